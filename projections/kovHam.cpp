// Hammer on the sphere: the equatorial Lambert azimuthal equal-area hemisphere stretched to
// the whole world.
#include "projections/kovHam.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

WorldSphere H;

} // namespace

int HamSetup(const ProjectionSetup& s) {
    H.Set(s);
    return OK;
}

int HamForward(double lon, double lat, double& x, double& y) {
    const double half = AdjustLon(lon - H.LonCenter) / 2.0;
    const double cosPhi = std::cos(lat);
    const double fac = H.R * SQRT2 / std::sqrt(1.0 + cosPhi * std::cos(half));
    x = H.FalseEasting + 2.0 * fac * cosPhi * std::sin(half);
    y = H.FalseNorthing + fac * std::sin(lat);
    return OK;
}

int HamInverse(double x, double y, double& lon, double& lat) {
    double xx = (x - H.FalseEasting) / H.R, yy = (y - H.FalseNorthing) / H.R;
    // The map is the ellipse of half axes 2 sqrt 2 and sqrt 2 radii. Past it the longitude
    // passes a half turn and wraps onto the other side; a point more than a metre past it is
    // refused, one within a metre taken onto it.
    const double scale = std::sqrt(0.125 * xx * xx + 0.5 * yy * yy);
    if ((scale - 1.0) * SQRT2 * H.R > 0.5 * RoundTripTolerance) {
        ReportProjectionError(UntaggedRoutine, InputDataError);
        return InputDataError;
    }
    if (scale > 1.0) {
        xx /= scale;
        yy /= scale;
    }
    const double z = std::sqrt(1.0 - 0.0625 * xx * xx - 0.25 * yy * yy);
    lon = AdjustLon(H.LonCenter + 2.0 * std::atan2(z * xx, 2.0 * (2.0 * z * z - 1.0)));
    lat = Asinz(z * yy);
    return OK;
}
