// Equirectangular on the sphere: meridians and parallels equally spaced, true to scale along
// the latitude of true scale.
#include "projections/kovEqui.h"

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
    if (std::fabs(phi) > HALF_PI) {
        ReportProjectionError(174, 174);
        return 174;
    }
    lat = phi;
    lon = AdjustLon(E.LonCenter + (x - E.FalseEasting) / (E.R * std::cos(E.LatTrueScale)));
    return OK;
}
