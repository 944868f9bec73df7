// Alaska conformal: an oblique stereographic projection from the conformal sphere, bent by a
// complex polynomial of degree six. The centre, the eccentricity and the coefficients are the
// published ones whatever the spheroid; only the semi-major axis scales the result.
#include "projections/kovAlcon.h"

#include <cmath>
#include <complex>

namespace {

using Complex = std::complex<double>;

constexpr double CenterLonDegrees = -152.0;
constexpr double CenterLatDegrees = 64.0;
constexpr double AlaskaEs = 0.006768657997291094;
constexpr int Degree = 6;
const Complex Coefficients[Degree] = {{0.9945303, 0.0},        {0.0052083, -0.0027404},
                                      {0.0072721, 0.0048181},  {-0.0151089, -0.1932526},
                                      {0.0642675, -0.1381226}, {0.3582802, -0.2884586}};
constexpr int MaxSteps = 20;
// Within this distance of the centre (30 degrees) every point comes back to within a
// micrometre.
const double PolynomialReachCosine = std::cos(30.0 * D2R);

struct {
    double RMajor, FalseEasting, FalseNorthing, E, LonCenter, LatCenter, SinP26, CosP26;
} K;

double ConformalLatitude(double phi) {
    const double esphi = K.E * std::sin(phi);
    return 2.0 * std::atan(std::tan((HALF_PI + phi) / 2.0) *
                           std::pow((1.0 - esphi) / (1.0 + esphi), K.E / 2.0)) -
           HALF_PI;
}

// The polynomial sum of a_j z^j for j = 1..6, and its derivative.
Complex Polynomial(Complex z) {
    Complex p = 0.0;
    for (int j = Degree - 1; j >= 0; --j)
        p = (p + Coefficients[j]) * z;
    return p;
}

Complex Derivative(Complex z) {
    Complex p = 0.0;
    for (int j = Degree - 1; j >= 0; --j)
        p = p * z + double(j + 1) * Coefficients[j];
    return p;
}

} // namespace

int AlconSetup(const ProjectionSetup& s) {
    K.RMajor = s.Major;
    K.FalseEasting = s.FalseEasting;
    K.FalseNorthing = s.FalseNorthing;
    K.LonCenter = CenterLonDegrees * D2R;
    K.LatCenter = CenterLatDegrees * D2R;
    K.E = std::sqrt(AlaskaEs);
    const double chio = ConformalLatitude(K.LatCenter);
    K.SinP26 = std::sin(chio);
    K.CosP26 = std::cos(chio);
    ReportAxes(s.Major, s.Minor);
    ReportCenterLon(K.LonCenter);
    ReportCenterLat(K.LatCenter);
    ReportFalseOrigin(K.FalseEasting, K.FalseNorthing);
    return OK;
}

namespace {

// The map point without the check of its place; the result is the cosine of the point's
// distance from the centre on the conformal sphere.
double Forward(double lon, double lat, double& x, double& y) {
    const double dlon = AdjustLon(lon - K.LonCenter);
    const double chi = ConformalLatitude(lat);
    const double sinChi = std::sin(chi), cosChi = std::cos(chi);
    const double cosLon = std::cos(dlon);
    const double cosz = K.SinP26 * sinChi + K.CosP26 * cosChi * cosLon;
    const double kPrime = 2.0 / (1.0 + cosz);
    const Complex z(kPrime * cosChi * std::sin(dlon),
                    kPrime * (K.CosP26 * sinChi - K.SinP26 * cosChi * cosLon));
    const Complex p = Polynomial(z);
    x = p.real() * K.RMajor + K.FalseEasting;
    y = p.imag() * K.RMajor + K.FalseNorthing;
    return cosz;
}

// The forward's round trip asks it without a report.
int Inverse(double x, double y, double& lon, double& lat, bool report) {
    const Complex target((x - K.FalseEasting) / K.RMajor, (y - K.FalseNorthing) / K.RMajor);
    int status = OK;
    // Newton's method on the polynomial, from the point itself.
    Complex z = target;
    for (int step = 0;; ++step) {
        const Complex dz = (Polynomial(z) - target) / Derivative(z);
        z -= dz;
        if (std::fabs(dz.real()) + std::fabs(dz.imag()) <= EPSLN) break;
        if (step + 1 >= MaxSteps) {
            if (report) ReportProjectionError(235, 235);
            status = 235;
            break;
        }
    }
    const double rh = std::abs(z);
    const double zAngle = 2.0 * std::atan(rh / 2.0);
    const double sinz = std::sin(zAngle), cosz = std::cos(zAngle);
    if (std::fabs(rh) <= EPSLN) {
        lon = K.LonCenter;
        lat = K.LatCenter;
        return status;
    }
    const double chi = Asinz(cosz * K.SinP26 + (z.imag() * sinz * K.CosP26) / rh);
    double phi = chi;
    for (int step = 0;; ++step) {
        const double esphi = K.E * std::sin(phi);
        const double dphi = 2.0 * std::atan(std::tan((HALF_PI + chi) / 2.0) *
                                            std::pow((1.0 + esphi) / (1.0 - esphi), K.E / 2.0)) -
                            HALF_PI - phi;
        phi += dphi;
        if (std::fabs(dphi) <= EPSLN) break;
        if (step + 1 >= MaxSteps) {
            if (report) ReportProjectionError(235, 235);
            return 236;
        }
    }
    lat = phi;
    lon = AdjustLon(K.LonCenter +
                    std::atan2(z.real() * sinz, rh * K.CosP26 * cosz - z.imag() * K.SinP26 * sinz));
    return status;
}

} // namespace

int AlconForward(double lon, double lat, double& x, double& y) {
    double east = 0.0, north = 0.0;
    // The polynomial holds over Alaska; far from it, it folds the globe over itself and places
    // points anywhere, and where a point is still placed right its own inverse brings it back.
    if (Forward(lon, lat, east, north) < PolynomialReachCosine) {
        double backLon = 0.0, backLat = 0.0;
        if (Inverse(east, north, backLon, backLat, false) != OK ||
            !(GroundMiss(K.RMajor, lon, lat, backLon, backLat) <= RoundTripTolerance)) {
            ReportProjectionError(UntaggedRoutine, PointCannotBeProjected);
            return PointCannotBeProjected;
        }
    }
    x = east;
    y = north;
    return OK;
}

int AlconInverse(double x, double y, double& lon, double& lat) {
    return Inverse(x, y, lon, lat, true);
}
