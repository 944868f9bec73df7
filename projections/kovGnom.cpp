// Gnomonic on the sphere: great circles as straight lines, only the near hemisphere.
#include "projections/kovGnom.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

AzimuthalCentre C;

} // namespace

int GnomSetup(const ProjectionSetup& s) {
    C.Set(s);
    ReportAzimuthalSetup(C, true);
    return OK;
}

int GnomForward(double lon, double lat, double& x, double& y) {
    double east, north;
    const double g = C.Cosz(lon, lat, east, north);
    // A point 90 degrees off lies at infinity; rounding leaves its cosine a few 1e-17 above 0,
    // which would place it some 1e23 m away.
    if (g <= EPSLN) {
        ReportProjectionError(133, 133);
        return 133;
    }
    C.Place(1.0 / g, east, north, x, y);
    return OK;
}

int GnomInverse(double x, double y, double& lon, double& lat) {
    x -= C.FalseEasting;
    y -= C.FalseNorthing;
    const double rho = std::sqrt(x * x + y * y);
    C.FromDistance(x, y, rho, std::atan(rho / C.Radius), lon, lat);
    return OK;
}
