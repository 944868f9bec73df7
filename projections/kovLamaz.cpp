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
    double east, north;
    const double g = C.Cosz(lon, lat, east, north);
    if (g == -1.0) {
        // The message names the circle the antipode is spread over.
        ReportProjectionError(113, 113, 0, 0, 2.0 * C.Radius);
        return 113;
    }
    C.Place(std::sqrt(2.0 / (1.0 + g)), east, north, x, y);
    return OK;
}

int LamazInverse(double x, double y, double& lon, double& lat) {
    x -= C.FalseEasting;
    y -= C.FalseNorthing;
    const double rho = std::sqrt(x * x + y * y);
    if (rho > 2.0 * C.Radius + EPSLN) {
        ReportProjectionError(115, 115);
        return 115;
    }
    C.FromDistance(x, y, rho, 2.0 * Asinz(rho / (2.0 * C.Radius)), lon, lat);
    return OK;
}
