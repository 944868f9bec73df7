// Transverse Mercator: the meridional-distance series on the ellipsoid, the closed forms on the
// sphere. UTM sets it up from the zone number. Away from the central meridian each result of
// the series is judged against Krüger's series in the third flattening, which stay within a
// millimetre of the exact projection everywhere the series could come within a metre of it.
#include "projections/kovTm.h"

#include <array>
#include <cmath>

namespace {

constexpr double InfinityTolerance = 1e-10;
constexpr int MaxIter = 6;
// Within this longitude of the central meridian the series of an ellipsoid no flatter than the
// spheroid table's place every point within a few millimetres of the exact projection, at
// every latitude, and need no judging.
constexpr double SeriesReach = 4.0 * D2R;
constexpr double SeriesEsLimit = 0.007;
// A result of the series farther than this, in metres, from the exact projection is refused.
constexpr double ExactTolerance = 1.0;
constexpr double UtmScale = 0.9996;
constexpr double UtmFalseEasting = 500000.0;
constexpr double UtmSouthFalseNorthing = 10000000.0;

// Krüger's coefficients to the sixth power of the third flattening n, each as the polynomial in
// n of its terms from n^j up: alpha for the forward, beta for the inverse.
constexpr int KrugerOrder = 6;
using KrugerTable = std::array<std::array<double, KrugerOrder>, KrugerOrder>;
constexpr KrugerTable KrugerAlpha = {{
    {1.0 / 2, -2.0 / 3, 5.0 / 16, 41.0 / 180, -127.0 / 288, 7891.0 / 37800},
    {13.0 / 48, -3.0 / 5, 557.0 / 1440, 281.0 / 630, -1983433.0 / 1935360},
    {61.0 / 240, -103.0 / 140, 15061.0 / 26880, 167603.0 / 181440},
    {49561.0 / 161280, -179.0 / 168, 6601661.0 / 7257600},
    {34729.0 / 80640, -3418889.0 / 1995840},
    {212378941.0 / 319334400},
}};
constexpr KrugerTable KrugerBeta = {{
    {1.0 / 2, -2.0 / 3, 37.0 / 96, -1.0 / 360, -81.0 / 512, 96199.0 / 604800},
    {1.0 / 48, 1.0 / 15, -437.0 / 1440, 46.0 / 105, -1118711.0 / 3870720},
    {17.0 / 480, -37.0 / 840, -209.0 / 4480, 5569.0 / 90720},
    {4397.0 / 161280, -11.0 / 504, -830251.0 / 7257600},
    {4583.0 / 161280, -108847.0 / 3991680},
    {20648693.0 / 638668800},
}};
constexpr int ConformalSteps = 10;

struct TmState {
    double RMajor, RMinor, ScaleFactor, LonCenter, LatOrigin, FalseEasting, FalseNorthing;
    double Es, Esp, E0, E1, E2, E3, Ml0;
    // How far from the central meridian a point is placed without judging it, and its tangent.
    double Reach, ReachTangent;
    bool Sphere;
    // Krüger's series: eccentricity, the rectifying radius times the scale, the coefficients
    // and the northing of the origin.
    double E, ScaledRadius, NorthingOfOrigin;
    std::array<double, KrugerOrder> Alpha, Beta;
} T;

std::array<double, KrugerOrder> KrugerCoefficients(const KrugerTable& table, double n) {
    std::array<double, KrugerOrder> c{};
    for (int j = 0; j < KrugerOrder; ++j) {
        double power = std::pow(n, j + 1);
        for (int i = 0; i + j < KrugerOrder; ++i, power *= n)
            c[j] += table[j][i] * power;
    }
    return c;
}

// The tangent of the conformal latitude from that of the latitude.
double ConformalTangent(double tau) {
    const double root = std::hypot(1.0, tau);
    const double sigma = std::sinh(T.E * std::atanh(T.E * tau / root));
    return tau * std::hypot(1.0, sigma) - sigma * root;
}

// Krüger's forward: map metres from the central meridian and the equator.
void ExactForward(double dlon, double lat, double& x, double& y) {
    const double tauPrime = ConformalTangent(std::tan(lat));
    const double cosLon = std::cos(dlon);
    const double xiPrime = std::atan2(tauPrime, cosLon);
    const double etaPrime = std::asinh(std::sin(dlon) / std::hypot(tauPrime, cosLon));
    double xi = xiPrime, eta = etaPrime;
    for (int j = 1; j <= KrugerOrder; ++j) {
        xi += T.Alpha[j - 1] * std::sin(2 * j * xiPrime) * std::cosh(2 * j * etaPrime);
        eta += T.Alpha[j - 1] * std::cos(2 * j * xiPrime) * std::sinh(2 * j * etaPrime);
    }
    x = T.ScaledRadius * eta;
    y = T.ScaledRadius * xi;
}

// Krüger's inverse of map metres from the central meridian and the equator; the latitude by
// Newton's method on the conformal latitude's tangent.
void ExactInverse(double x, double y, double& dlon, double& lat) {
    const double xi = y / T.ScaledRadius, eta = x / T.ScaledRadius;
    double xiPrime = xi, etaPrime = eta;
    for (int j = 1; j <= KrugerOrder; ++j) {
        xiPrime -= T.Beta[j - 1] * std::sin(2 * j * xi) * std::cosh(2 * j * eta);
        etaPrime -= T.Beta[j - 1] * std::cos(2 * j * xi) * std::sinh(2 * j * eta);
    }
    const double sinhEta = std::sinh(etaPrime), cosXi = std::cos(xiPrime);
    const double tauPrime = std::sin(xiPrime) / std::hypot(sinhEta, cosXi);
    dlon = std::atan2(sinhEta, cosXi);
    const double oneMinusEs = 1.0 - T.Es;
    double tau = tauPrime / oneMinusEs;
    for (int i = 0; i < ConformalSteps; ++i) {
        const double guess = ConformalTangent(tau);
        const double step = (tauPrime - guess) / std::hypot(1.0, guess) *
                            (1.0 + oneMinusEs * tau * tau) / (oneMinusEs * std::hypot(1.0, tau));
        tau += step;
        if (!(std::fabs(step) > 1e-14 * std::fmax(1.0, std::fabs(tau)))) break;
    }
    lat = std::atan(tau);
}

void Set(double major, double minor, double scale, double lonCenter, double latOrigin, double fe,
         double fn) {
    T.RMajor = major;
    T.RMinor = minor;
    T.ScaleFactor = scale;
    T.LonCenter = lonCenter;
    T.LatOrigin = latOrigin;
    T.FalseEasting = fe;
    T.FalseNorthing = fn;
    const double ratio = minor / major;
    T.Es = 1.0 - ratio * ratio;
    T.E0 = E0fn(T.Es);
    T.E1 = E1fn(T.Es);
    T.E2 = E2fn(T.Es);
    T.E3 = E3fn(T.Es);
    T.Ml0 = major * Mlfn(T.E0, T.E1, T.E2, T.E3, latOrigin);
    // Only a true sphere takes the sphere's closed forms. Taken below an eccentricity squared of
    // 1e-5, as published, they put an ellipsoid of 9.9e-6 36 m off at 45 degrees and 700 m off
    // far from the meridian; the series hold on such an ellipsoid as on any other.
    T.Sphere = !(T.Es > 0.0);
    T.Esp = T.Sphere ? 1.0 : T.Es / (1.0 - T.Es);
    T.Reach = T.Es <= SeriesEsLimit ? SeriesReach : 0.0;
    T.ReachTangent = std::tan(T.Reach);
    const double n = (major - minor) / (major + minor), n2 = n * n;
    T.E = std::sqrt(T.Es);
    T.ScaledRadius =
        scale * major / (1.0 + n) * (1.0 + n2 * (1.0 / 4 + n2 * (1.0 / 64 + n2 / 256)));
    T.Alpha = KrugerCoefficients(KrugerAlpha, n);
    T.Beta = KrugerCoefficients(KrugerBeta, n);
    double originX = 0.0;
    T.NorthingOfOrigin = 0.0;
    if (!T.Sphere) ExactForward(0.0, latOrigin, originX, T.NorthingOfOrigin);
}

} // namespace

int TmSetup(const ProjectionSetup& s) {
    Set(s.Major, s.Minor, s.P[2], s.P[4], s.P[5], s.FalseEasting, s.FalseNorthing);
    ReportAxes(s.Major, s.Minor);
    ReportValue("Scale Factor at C. Meridian:    ", s.P[2]);
    ReportCentralMeridian(s.P[4]);
    ReportOrigin(s.P[5]);
    ReportFalseOrigin(s.FalseEasting, s.FalseNorthing);
    return OK;
}

int UtmSetup(const ProjectionSetup& s) {
    const int zone = s.Zone < 0 ? -s.Zone : s.Zone;
    if (zone < 1 || zone > 60) {
        ReportProjectionError(s.Forward ? UtmForwardSetupTag : UtmInverseSetupTag, IllegalZone);
        return IllegalZone;
    }
    const double centralMeridian = (zone * 6 - 183) * D2R;
    Set(s.Major, s.Minor, UtmScale, centralMeridian, 0.0, UtmFalseEasting,
        s.Zone < 0 ? UtmSouthFalseNorthing : 0.0);
    ReportIntValue(s.Zone, "Zone:     ");
    ReportAxes(s.Major, s.Minor);
    ReportValue("Scale Factor at C. Meridian:     ", UtmScale);
    ReportCentralMeridian(centralMeridian);
    return OK;
}

namespace {

// The series and closed forms at a longitude from the central meridian, without the check of
// their result.
int Forward(double dlon, double lat, double& x, double& y) {
    const double sinPhi = std::sin(lat), cosPhi = std::cos(lat);
    if (T.Sphere) {
        const double b = cosPhi * std::sin(dlon);
        if (std::fabs(std::fabs(b) - 1.0) < InfinityTolerance) {
            ReportProjectionError(93, 93);
            return 93;
        }
        x = 0.5 * T.RMajor * T.ScaleFactor * std::log((1.0 + b) / (1.0 - b)) + T.FalseEasting;
        // The angle whose cosine is cos(lat) cos(dlon) / sqrt(1 - b^2), taken from its sine and
        // cosine: the quotient rounds past one on the equator, where its arccosine is no number
        // or, just below one, a tenth of a metre off.
        double con = std::atan2(std::fabs(sinPhi), cosPhi * std::cos(dlon));
        if (lat < 0) con = -con;
        y = T.RMajor * T.ScaleFactor * (con - T.LatOrigin) + T.FalseNorthing;
        return OK;
    }
    const double al = cosPhi * dlon;
    const double als = al * al;
    const double c = T.Esp * cosPhi * cosPhi;
    const double tq = sinPhi / cosPhi;
    const double t = tq * tq;
    const double n = T.RMajor / std::sqrt(1.0 - T.Es * sinPhi * sinPhi);
    const double ml = T.RMajor * Mlfn(T.E0, T.E1, T.E2, T.E3, lat, sinPhi, cosPhi);
    x = T.ScaleFactor * n * al *
            (1.0 +
             als / 6.0 *
                 (1.0 - t + c + als / 20.0 * (5.0 - 18.0 * t + t * t + 72.0 * c - 58.0 * T.Esp))) +
        T.FalseEasting;
    y = T.ScaleFactor *
            (ml - T.Ml0 +
             n * tq *
                 (als * (0.5 + als / 24.0 *
                                   (5.0 - t + 9.0 * c + 4.0 * c * c +
                                    als / 30.0 *
                                        (61.0 - 58.0 * t + t * t + 600.0 * c - 330.0 * T.Esp))))) +
        T.FalseNorthing;
    return OK;
}

// Status 0 or 95; `judged` tells whether the result must be held against the exact projection.
int Inverse(double x, double y, double& lon, double& lat, bool& judged) {
    judged = false;
    x -= T.FalseEasting;
    y -= T.FalseNorthing;
    if (T.Sphere) {
        const double f = std::exp(x / (T.RMajor * T.ScaleFactor));
        const double g = 0.5 * (f - 1.0 / f);
        const double temp = T.LatOrigin + y / (T.RMajor * T.ScaleFactor);
        const double h = std::cos(temp);
        const double con = std::sqrt((1.0 - h * h) / (1.0 + g * g));
        lat = Asinz(con);
        if (temp < 0) lat = -lat;
        lon = (g == 0 && h == 0) ? T.LonCenter : AdjustLon(std::atan2(g, h) + T.LonCenter);
        return OK;
    }
    const double con = (T.Ml0 + y / T.ScaleFactor) / T.RMajor;
    double phi = con;
    for (int i = 0;; ++i) {
        double s2, s4, s6;
        MultipleSines(phi, s2, s4, s6);
        const double dphi = (con + T.E1 * s2 - T.E2 * s4 + T.E3 * s6) / T.E0 - phi;
        phi += dphi;
        if (std::fabs(dphi) <= EPSLN) break;
        if (i >= MaxIter) {
            ReportProjectionError(95, 95);
            return 95;
        }
    }
    if (std::fabs(phi) < HALF_PI) {
        const double sinPhi = std::sin(phi), cosPhi = std::cos(phi), tanPhi = sinPhi / cosPhi;
        const double c = T.Esp * cosPhi * cosPhi;
        const double cs = c * c;
        const double t = tanPhi * tanPhi;
        const double ts = t * t;
        const double w = 1.0 - T.Es * sinPhi * sinPhi;
        const double n = T.RMajor / std::sqrt(w);
        const double r = n * (1.0 - T.Es) / w;
        const double d = x / (n * T.ScaleFactor);
        const double ds = d * d;
        lat = phi - (n * tanPhi * ds / r) *
                        (0.5 - ds / 24.0 *
                                   (5.0 + 3.0 * t + 10.0 * c - 4.0 * cs - 9.0 * T.Esp -
                                    ds / 30.0 *
                                        (61.0 + 90.0 * t + 298.0 * c + 45.0 * ts - 252.0 * T.Esp -
                                         3.0 * cs)));
        lon = AdjustLon(
            T.LonCenter +
            (d *
             (1.0 -
              ds / 6.0 *
                  (1.0 + 2.0 * t + c -
                   ds / 20.0 * (5.0 - 2.0 * c + 28.0 * t - 3.0 * cs + 8.0 * T.Esp + 24.0 * ts))) /
             cosPhi));
        // The series run in powers of d / cos(phi), which is about the tangent of the point's
        // longitude from the meridian whatever its latitude: within the reach only where the
        // point is. The longitude they give tells nothing: near a pole a point far off comes
        // back near the meridian, at a wrong latitude.
        judged = !(std::fabs(d) <= T.ReachTangent * cosPhi);
    } else {
        // The pole the footpoint reached. The sign of y tells nothing: it is measured from the
        // origin, and with the origin at the south pole the whole map lies north of it.
        lat = phi < 0 ? -HALF_PI : HALF_PI;
        lon = T.LonCenter;
        judged = true;
    }
    return OK;
}

// Whether a point lies within the series' reach of the central meridian's great circle, as an
// angle on the sphere. Near a pole every meridian does, at any longitude from the central one:
// there the series in that longitude miss, or give no place at all past the pole, where
// Krüger's, worked from the point's conformal place, hold to the millimetre. Judged by the
// longitude instead, every point within a degree of a polar origin was refused.
bool NextToCentralLine(double dlon, double lat) {
    return std::fabs(std::cos(lat) * std::sin(dlon)) <= std::sin(SeriesReach);
}

} // namespace

int TmForward(double lon, double lat, double& x, double& y) {
    const double dlon = AdjustLon(lon - T.LonCenter);
    double east = 0.0, north = 0.0;
    const int status = Forward(dlon, lat, east, north);
    if (status != OK) return status;
    if (!T.Sphere && std::fabs(dlon) > T.Reach) {
        double exactX = 0.0, exactY = 0.0;
        ExactForward(dlon, lat, exactX, exactY);
        const double miss = std::hypot(east - T.FalseEasting - exactX,
                                       north - T.FalseNorthing - (exactY - T.NorthingOfOrigin));
        if (!(miss <= ExactTolerance)) {
            if (!NextToCentralLine(dlon, lat)) {
                ReportProjectionError(93, PointCannotBeProjected);
                return PointCannotBeProjected;
            }
            east = T.FalseEasting + exactX;
            north = T.FalseNorthing + exactY - T.NorthingOfOrigin;
        }
    }
    x = east;
    y = north;
    return OK;
}

int TmInverse(double x, double y, double& lon, double& lat) {
    double seriesLon = 0.0, seriesLat = 0.0;
    bool judged = false;
    const int status = Inverse(x, y, seriesLon, seriesLat, judged);
    if (status != OK) return status;
    if (judged) {
        double dlon = 0.0, exactLat = 0.0;
        ExactInverse(x - T.FalseEasting, y - T.FalseNorthing + T.NorthingOfOrigin, dlon, exactLat);
        if (!(GroundMiss(T.RMajor, seriesLon, seriesLat, T.LonCenter + dlon, exactLat) <=
              ExactTolerance)) {
            if (!NextToCentralLine(dlon, exactLat)) {
                ReportProjectionError(95, PointCannotBeProjected);
                return PointCannotBeProjected;
            }
            seriesLon = AdjustLon(T.LonCenter + dlon);
            seriesLat = exactLat;
        }
    }
    lon = seriesLon;
    lat = seriesLat;
    return OK;
}
