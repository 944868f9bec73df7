// Lambert azimuthal equal-area on the sphere: the whole globe inside a circle of twice the
// radius, the antipode of the centre spread over that circle.
#include "projections/kovLamaz.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

AzimuthalCentre C;

} // namespace

int LamazSetup(const ProjectionSetup& s) {
    C.Set(s);
    ReportAzimuthalSetup(C, true);
    return OK;
}

int LamazForward(double lon, double lat, double& x, double& y) {
    double east, north, onePlus;
    C.Cosz(lon, lat, east, north, onePlus);
    // The antipode itself, as near as an angle in doubles tells it (pi is one). A cosz that
    // rounds to -1 is not enough: 1 + cosz keeps the digits of points up to 1.5e-8 from it.
    const double farDistance = AntipodeDistance(onePlus);
    if (farDistance <= HalfTurnRounding) {
        // The message names the circle the antipode is spread over.
        ReportProjectionError(113, 113, 0, 0, 2.0 * C.Radius);
        return 113;
    }
    // Near the antipode a point's place on the circle follows its direction from the antipode,
    // which the rounding of its offset turns by that rounding over the offset.
    if (2.0 * C.Radius * AntipodeRounding / farDistance > RoundTripTolerance) {
        ReportProjectionError(113, PointCannotBeProjected);
        return PointCannotBeProjected;
    }
    C.Place(std::sqrt(2.0 / onePlus), east, north, x, y);
    return OK;
}

int LamazInverse(double x, double y, double& lon, double& lat) {
    x -= C.FalseEasting;
    y -= C.FalseNorthing;
    const double rho = std::sqrt(x * x + y * y);
    // Points next to the antipode come back from the forward a rounding of the radius outside
    // the circle, some 1e-9 m: within a metre outside, a point is the circle's.
    if (rho > 2.0 * C.Radius + RoundTripTolerance) {
        ReportProjectionError(115, 115);
        return 115;
    }
    C.FromDistance(x, y, rho, 2.0 * Asinz(rho / (2.0 * C.Radius)), lon, lat);
    return OK;
}
