// Azimuthal equidistant on the sphere: distances from the centre true to scale, the antipode
// spread over the circle of radius pi R.
#include "projections/kovAzim.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

AzimuthalCentre C;

} // namespace

int AzimSetup(const ProjectionSetup& s) {
    C.Set(s);
    ReportAzimuthalSetup(C, false);
    return OK;
}

int AzimForward(double lon, double lat, double& x, double& y) {
    double east, north, onePlus;
    const double g = C.Cosz(lon, lat, east, north, onePlus);
    double k = 1.0;
    if (onePlus <= EPSLN) {
        ReportProjectionError(123, 123, 0, 0, PI * C.Radius);
        return 123;
    }
    if (g < 0.0) {
        // The distance from the centre as pi less that from the antipode, whose sine keeps its
        // digits: the arccosine of cosz near -1 gave places metres off.
        const double farDistance = AntipodeDistance(onePlus);
        k = (PI - farDistance) / std::sin(farDistance);
    } else if (std::fabs(g - 1.0) > EPSLN) {
        const double z = std::acos(g);
        k = z / std::sin(z);
    }
    C.Place(k, east, north, x, y);
    return OK;
}

int AzimInverse(double x, double y, double& lon, double& lat) {
    x -= C.FalseEasting;
    y -= C.FalseNorthing;
    const double rho = std::sqrt(x * x + y * y);
    if (rho > PI * C.Radius) {
        ReportProjectionError(125, 125);
        return 125;
    }
    C.FromDistance(x, y, rho, rho / C.Radius, lon, lat);
    return OK;
}
