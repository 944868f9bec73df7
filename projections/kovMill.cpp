// Miller cylindrical on the sphere: Mercator's spacing of the parallels at four fifths of the
// latitude, stretched back, so the poles are finite.
#include "projections/kovMill.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

constexpr double QuarterPi = PI / 4.0;
constexpr double LatitudeShrink = 0.4;

WorldSphere M;

} // namespace

int MillSetup(const ProjectionSetup& s) {
    M.Set(s);
    return OK;
}

int MillForward(double lon, double lat, double& x, double& y) {
    x = M.FalseEasting + M.R * AdjustLon(lon - M.LonCenter);
    y = M.FalseNorthing +
        M.R * std::log(std::tan(QuarterPi + lat * LatitudeShrink)) / (2.0 * LatitudeShrink);
    return OK;
}

int MillInverse(double x, double y, double& lon, double& lat) {
    if (PastMapEdge(x - M.FalseEasting, PI * M.R, UntaggedRoutine)) return InputDataError;
    lon = AdjustLon(M.LonCenter + (x - M.FalseEasting) / M.R);
    lat = (std::atan(std::exp(2.0 * LatitudeShrink * (y - M.FalseNorthing) / M.R)) - QuarterPi) /
          LatitudeShrink;
    return OK;
}
