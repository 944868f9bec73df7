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
    return g;
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

bool AuxiliaryAngle(double lat, double p, int maxSteps, double& t) {
    const double target = p * std::sin(lat);
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
