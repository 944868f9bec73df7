// Sinusoidal on the sphere: equal-area, parallels true to scale.
#include "projections/kovSin.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

WorldSphere S;

} // namespace

int SinSetup(const ProjectionSetup& s) {
    S.Set(s);
    return OK;
}

int SinForward(double lon, double lat, double& x, double& y) {
    x = S.FalseEasting + S.R * AdjustLon(lon - S.LonCenter) * std::cos(lat);
    y = S.FalseNorthing + S.R * lat;
    return OK;
}

int SinInverse(double x, double y, double& lon, double& lat) {
    x -= S.FalseEasting;
    const double phi = (y - S.FalseNorthing) / S.R;
    // A pole's own northing comes back a rounding past it.
    if (!(std::fabs(phi) <= HALF_PI + MapEdgeSlack)) {
        ReportProjectionError(164, 164);
        return 164;
    }
    const double halfWidth = PI * S.R * std::cos(phi);
    if (PastMapEdge(x, halfWidth, 164)) return 164;
    lat = std::fmax(-HALF_PI, std::fmin(HALF_PI, phi));
    // At a pole every longitude is the same point.
    lon = std::fabs(std::fabs(phi) - HALF_PI) > EPSLN
              ? AdjustLon(S.LonCenter + std::fmax(-PI, std::fmin(PI, PI * x / halfWidth)))
              : S.LonCenter;
    return OK;
}
