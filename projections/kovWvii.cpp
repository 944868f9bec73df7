// Wagner VII on the sphere: Hammer's construction on a sphere whose latitudes are shrunk so
// that the poles become lines.
#include "projections/kovWvii.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

// sin 65 degrees to full precision: the published 0.90631 put points up to 88 m off.
constexpr double LatitudeShrink = 0.9063077870366499;
constexpr double XScale = 2.66723;
constexpr double YScale = 1.24104;

WorldSphere W;

} // namespace

int WviiSetup(const ProjectionSetup& s) {
    W.Set(s);
    return OK;
}

int WviiForward(double lon, double lat, double& x, double& y) {
    const double third = AdjustLon(lon - W.LonCenter) / 3.0;
    const double s = LatitudeShrink * std::sin(lat);
    const double c0 = std::sqrt(1.0 - s * s);
    const double c1 = std::sqrt(2.0 / (1.0 + c0 * std::cos(third)));
    x = W.FalseEasting + XScale * W.R * c0 * c1 * std::sin(third);
    y = W.FalseNorthing + YScale * W.R * s * c1;
    return OK;
}

// Back through the equatorial Lambert azimuthal equal-area of the shrunk sphere.
int WviiInverse(double x, double y, double& lon, double& lat) {
    const double xx = (x - W.FalseEasting) / (XScale * W.R);
    const double yy = (y - W.FalseNorthing) / (YScale * W.R);
    const double rho = std::sqrt(xx * xx + yy * yy);
    double third = 0.0, s = 0.0;
    if (rho > EPSLN) {
        const double z = 2.0 * Asinz(rho / 2.0);
        s = yy * std::sin(z) / rho;
        third = std::atan2(xx * std::sin(z), rho * std::cos(z));
    }
    // The map covers a third of a turn of the shrunk sphere's hemisphere either side of the
    // meridian, up to the shrunk poles. Past that the arcsines clamp and the longitude wraps
    // onto places that are not the point's: more than about a metre past, the point is
    // refused.
    const double slack = RoundTripTolerance / W.R;
    if (!(rho <= 2.0 + slack) || !(std::fabs(third) <= PI / 3.0 + slack) ||
        !(std::fabs(s) <= LatitudeShrink + slack)) {
        ReportProjectionError(UntaggedRoutine, InputDataError);
        return InputDataError;
    }
    third = std::fmax(-PI / 3.0, std::fmin(PI / 3.0, third));
    lat = Asinz(s / LatitudeShrink);
    lon = AdjustLon(W.LonCenter + 3.0 * third);
    return OK;
}
