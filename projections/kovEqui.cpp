// Equirectangular on the sphere: meridians and parallels equally spaced, true to scale along
// the latitude of true scale.
#include "projections/kovEqui.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

struct {
    double R, LonCenter, LatTrueScale, FalseEasting, FalseNorthing;
} E;

} // namespace

int EquiSetup(const ProjectionSetup& s) {
    E = {s.Radius, s.P[4], s.P[5], s.FalseEasting, s.FalseNorthing};
    ReportRadius(E.R);
    ReportCentralMeridian(E.LonCenter);
    ReportOrigin(E.LatTrueScale);
    ReportFalseOrigin(E.FalseEasting, E.FalseNorthing);
    return OK;
}

int EquiForward(double lon, double lat, double& x, double& y) {
    x = E.FalseEasting + E.R * AdjustLon(lon - E.LonCenter) * std::cos(E.LatTrueScale);
    y = E.FalseNorthing + E.R * lat;
    return OK;
}

int EquiInverse(double x, double y, double& lon, double& lat) {
    const double phi = (y - E.FalseNorthing) / E.R;
    const double halfWidth = PI * E.R * std::cos(E.LatTrueScale);
    x -= E.FalseEasting;
    // A pole's own northing comes back a rounding past it.
    if (!(std::fabs(phi) <= HALF_PI + MapEdgeSlack)) {
        ReportProjectionError(174, 174);
        return 174;
    }
    if (PastMapEdge(x, halfWidth, 174)) return 174;
    lat = std::fmax(-HALF_PI, std::fmin(HALF_PI, phi));
    lon = AdjustLon(E.LonCenter + std::fmax(-PI, std::fmin(PI, PI * x / halfWidth)));
    return OK;
}
