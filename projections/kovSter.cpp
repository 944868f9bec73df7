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
    double east, north;
    const double g = C.Cosz(lon, lat, east, north);
    if (std::fabs(g + 1.0) <= EPSLN) {
        ReportProjectionError(103, 103);
        return 103;
    }
    C.Place(2.0 / (1.0 + g), east, north, x, y);
    return OK;
}

int SterInverse(double x, double y, double& lon, double& lat) {
    x -= C.FalseEasting;
    y -= C.FalseNorthing;
    const double rho = std::sqrt(x * x + y * y);
    C.FromDistance(x, y, rho, 2.0 * std::atan(rho / (2.0 * C.Radius)), lon, lat);
    return OK;
}
