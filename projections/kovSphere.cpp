// Shared routines of the spherical projections.
#include "projections/kovSphere.h"

#include <cmath>

void AzimuthalCentre::Set(const ProjectionSetup& s) {
    Radius = s.Radius;
    Lon = s.P[4];
    Lat = s.P[5];
    SinLat = std::sin(Lat);
    CosLat = std::cos(Lat);
    FalseEasting = s.FalseEasting;
    FalseNorthing = s.FalseNorthing;
}

double AzimuthalCentre::Cosz(double lon, double lat, double& east, double& north) const {
    const double dlon = AdjustLon(lon - Lon);
    const double sinPhi = std::sin(lat), cosPhi = std::cos(lat), cosLon = std::cos(dlon);
    east = cosPhi * std::sin(dlon);
    north = CosLat * sinPhi - SinLat * cosPhi * cosLon;
    return SinLat * sinPhi + CosLat * cosPhi * cosLon;
}

double AzimuthalCentre::Cosz(double lon, double lat, double& east, double& north,
                             double& onePlusCosz) const {
    const double g = Cosz(lon, lat, east, north);
    if (g >= 0.0) {
        onePlusCosz = 1.0 + g;
        return g;
    }
    const double dlon = AdjustLon(lon - Lon);
    const double cosHalf = std::cos(0.5 * dlon), sinHalfSum = std::sin(0.5 * (lat + Lat));
    const double cosPhi = std::cos(lat);
    const double farMeridian = cosPhi * cosHalf * cosHalf;
    north = std::sin(lat + Lat) - 2.0 * SinLat * farMeridian;
    onePlusCosz = 2.0 * (sinHalfSum * sinHalfSum + CosLat * farMeridian);
    if (onePlusCosz < NearAntipode) NearAntipodeSums(lon, lat, east, north, onePlusCosz);
    return g;
}

void AzimuthalCentre::NearAntipodeSums(double lon, double lat, double& east, double& north,
                                       double& onePlusCosz) const {
    // The difference of two doubles is exact in the extended format, and the sines and cosines
    // of a difference near a half turn keep their digits there; no turn is taken off, as both
    // are periodic.
    const long double dlon = static_cast<long double>(lon) - Lon;
    const long double sum = static_cast<long double>(lat) + Lat, cosPhi = std::cos(lat + 0.0L);
    const long double cosHalf = std::cos(0.5L * dlon), sinHalfSum = std::sin(0.5L * sum);
    const long double farMeridian = cosPhi * cosHalf * cosHalf;
    east = static_cast<double>(cosPhi * std::sin(dlon));
    north = static_cast<double>(std::sin(sum) - 2.0L * std::sin(Lat + 0.0L) * farMeridian);
    onePlusCosz =
        static_cast<double>(2.0L * (sinHalfSum * sinHalfSum + std::cos(Lat + 0.0L) * farMeridian));
}

double AntipodeDistance(double onePlusCosz) {
    return 2.0 * std::asin(std::sqrt(std::fmin(1.0, 0.5 * onePlusCosz)));
}

void AzimuthalCentre::Place(double k, double east, double north, double& x, double& y) const {
    x = FalseEasting + Radius * k * east;
    y = FalseNorthing + Radius * k * north;
}

void AzimuthalCentre::FromDistance(double x, double y, double rho, double z, double& lon,
                                   double& lat) const {
    if (std::fabs(rho) <= EPSLN) {
        lon = Lon;
        lat = Lat;
        return;
    }
    const double sinz = std::sin(z), cosz = std::cos(z);
    lat = Asinz(cosz * SinLat + y * sinz * CosLat / rho);
    lon = AdjustLon(Lon + std::atan2(x * sinz, rho * CosLat * cosz - y * SinLat * sinz));
}

void ReportAzimuthalSetup(const AzimuthalCentre& c, bool asCentre) {
    ReportRadius(c.Radius);
    if (asCentre) {
        ReportCenterLon(c.Lon);
        ReportCenterLat(c.Lat);
    } else {
        ReportCentralMeridian(c.Lon);
        ReportOrigin(c.Lat);
    }
    ReportFalseOrigin(c.FalseEasting, c.FalseNorthing);
}

void WorldSphere::Set(const ProjectionSetup& s) {
    R = s.Radius;
    LonCenter = s.P[4];
    FalseEasting = s.FalseEasting;
    FalseNorthing = s.FalseNorthing;
    ReportRadius(R);
    ReportCenterLon(LonCenter);
    ReportFalseOrigin(FalseEasting, FalseNorthing);
}

namespace {

// Below this distance of p sin(lat) from pi, the Mollweide equation is solved about its pole.
constexpr double PoleReach = 1e-6;

// Near a pole of the Mollweide equation 2t + sin 2t = pi sin(lat), where 2t = pi - u, it reads
// u - sin u = pi (1 - sin |lat|): a triple root at the pole, towards which Newton's steps from
// the latitude shrink by a third each and stop far short of it. Its cube-root start and two
// steps on the series of u - sin u settle it.
double PolarAuxiliaryAngle(double lat) {
    const double half = std::sin(0.25 * PI - 0.5 * std::fabs(lat));
    const double c = 2.0 * PI * half * half;
    double u = std::cbrt(6.0 * c);
    for (int i = 0; i < 2 && u > 0.0; ++i) {
        const double u2 = u * u;
        const double f = u * u2 / 6.0 * (1.0 - u2 / 20.0 * (1.0 - u2 / 42.0)) - c;
        u -= f / (u2 / 2.0 * (1.0 - u2 / 12.0 * (1.0 - u2 / 30.0)));
    }
    const double t = 0.5 * (PI - u);
    return lat < 0.0 ? -t : t;
}

} // namespace

double OntoLobe(double lon, double lat, double west, double east, bool eastInside, double radius) {
    const double lastEast = eastInside ? east : std::nextafter(east, west);
    const double edge = lon < west ? west : lon > lastEast ? lastEast : lon;
    return radius * std::cos(lat) * std::fabs(lon - edge) <= RoundTripTolerance ? edge : lon;
}

bool AuxiliaryAngle(double lat, double p, int maxSteps, double& t) {
    const double target = p * std::sin(lat);
    if (p == PI && PI - std::fabs(target) < PoleReach) {
        t = PolarAuxiliaryAngle(lat);
        return true;
    }
    double theta = lat;
    for (int i = 0; i < maxSteps; ++i) {
        const double step = -(theta + std::sin(theta) - target) / (1.0 + std::cos(theta));
        theta += step;
        if (std::fabs(step) < EPSLN) {
            t = theta / 2.0;
            return true;
        }
    }
    t = theta / 2.0;
    return false;
}
