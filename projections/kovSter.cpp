// Stereographic on the sphere: conformal, the antipode of the centre at infinity.
#include "projections/kovSter.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

AzimuthalCentre C;

} // namespace

int SterSetup(const ProjectionSetup& s) {
    C.Set(s);
    ReportAzimuthalSetup(C, false);
    return OK;
}

int SterForward(double lon, double lat, double& x, double& y) {
    double east, north, onePlus;
    C.Cosz(lon, lat, east, north, onePlus);
    if (onePlus <= EPSLN) {
        ReportProjectionError(103, 103);
        return 103;
    }
    // Toward the antipode the distance from the centre grows as 4R over the offset from the
    // antipode, and the offset's rounding moves it by 4R times that rounding over the offset
    // squared, the direction by as much again.
    const double farDistance = AntipodeDistance(onePlus);
    if (8.0 * C.Radius * AntipodeRounding / (farDistance * farDistance) > RoundTripTolerance) {
        ReportProjectionError(103, PointCannotBeProjected);
        return PointCannotBeProjected;
    }
    C.Place(2.0 / onePlus, east, north, x, y);
    return OK;
}

int SterInverse(double x, double y, double& lon, double& lat) {
    x -= C.FalseEasting;
    y -= C.FalseNorthing;
    const double rho = std::sqrt(x * x + y * y);
    C.FromDistance(x, y, rho, 2.0 * std::atan(rho / (2.0 * C.Radius)), lon, lat);
    return OK;
}
