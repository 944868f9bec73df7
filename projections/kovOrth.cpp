// Orthographic on the sphere: the near hemisphere seen from infinitely far.
#include "projections/kovOrth.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

AzimuthalCentre C;

} // namespace

int OrthSetup(const ProjectionSetup& s) {
    C.Set(s);
    ReportAzimuthalSetup(C, false);
    return OK;
}

int OrthForward(double lon, double lat, double& x, double& y) {
    double east, north;
    const double g = C.Cosz(lon, lat, east, north);
    // A point on the horizon itself still projects onto the rim.
    if (g < 0.0 && std::fabs(g) > EPSLN) {
        ReportProjectionError(143, 143);
        return 143;
    }
    C.Place(1.0, east, north, x, y);
    return OK;
}

int OrthInverse(double x, double y, double& lon, double& lat) {
    x -= C.FalseEasting;
    y -= C.FalseNorthing;
    const double rho = std::sqrt(x * x + y * y);
    // The rim's own points come back from the forward a rounding of the radius outside it, some
    // 1e-9 m: within a metre outside, a point is the rim's.
    if (rho > C.Radius + RoundTripTolerance) {
        ReportProjectionError(145, 145);
        return 145;
    }
    C.FromDistance(x, y, rho, Asinz(rho / C.Radius), lon, lat);
    return OK;
}
