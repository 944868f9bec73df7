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
    if (std::fabs(phi) > HALF_PI) {
        ReportProjectionError(164, 164);
        return 164;
    }
    lat = phi;
    // At a pole every longitude is the same point.
    lon = std::fabs(std::fabs(phi) - HALF_PI) > EPSLN
              ? AdjustLon(S.LonCenter + x / (S.R * std::cos(phi)))
              : S.LonCenter;
    return OK;
}
