// General vertical near-side perspective on the sphere: the globe seen from a point at a
// height above the centre; only what lies inside the horizon of that point.
#include "projections/kovGvnsp.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

AzimuthalCentre C;
// The distance of the viewpoint from the globe's centre, in radii.
double P = 1.0;

} // namespace

int GvnspSetup(const ProjectionSetup& s) {
    const double height = s.P[2];
    C.Set(s);
    P = 1.0 + height / C.Radius;
    // A viewpoint on or under the surface, or above it by less than the radius can tell,
    // sees nothing: its horizon shrinks onto the centre and no point has a place.
    if (!(P > 1.0)) {
        ReportProjectionError(UntaggedRoutine, InputDataError);
        return InputDataError;
    }
    ReportRadius(C.Radius);
    ReportValue(s.Forward ? "Height of Point Above Surface of Sphere:   "
                          : "Height of Point Above Surface of Sphere:    ",
                height);
    ReportCenterLon(C.Lon);
    ReportCenterLat(C.Lat);
    ReportFalseOrigin(C.FalseEasting, C.FalseNorthing);
    return OK;
}

int GvnspForward(double lon, double lat, double& x, double& y) {
    double east, north;
    const double g = C.Cosz(lon, lat, east, north);
    if (g < 1.0 / P) {
        ReportProjectionError(153, 153);
        return 153;
    }
    C.Place((P - 1.0) / (P - g), east, north, x, y);
    return OK;
}

int GvnspInverse(double x, double y, double& lon, double& lat) {
    x -= C.FalseEasting;
    y -= C.FalseNorthing;
    const double rho = std::sqrt(x * x + y * y);
    const double r = rho / C.Radius;
    const double con = P - 1.0, com = P + 1.0;
    if (r > std::sqrt(con / com)) {
        ReportProjectionError(155, 155);
        return 155;
    }
    double z = 0.0;
    if (r > 0.0) z = Asinz((P - std::sqrt(1.0 - r * r * com / con)) / (con / r + r / con));
    C.FromDistance(x, y, rho, z, lon, lat);
    return OK;
}
