// Mollweide on the sphere: equal-area, the world in an ellipse twice as wide as high.
#include "projections/kovMolw.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

constexpr int MaxSteps = 51;
constexpr double XScale = 2.0 * SQRT2 / PI;

WorldSphere M;

} // namespace

int MolwSetup(const ProjectionSetup& s) {
    M.Set(s);
    return OK;
}

int MolwForward(double lon, double lat, double& x, double& y) {
    double theta;
    if (!AuxiliaryAngle(lat, PI, MaxSteps, theta)) {
        ReportProjectionError(242, 241);
        return 241;
    }
    x = M.FalseEasting + XScale * M.R * AdjustLon(lon - M.LonCenter) * std::cos(theta);
    y = M.FalseNorthing + SQRT2 * M.R * std::sin(theta);
    return OK;
}

int MolwInverse(double x, double y, double& lon, double& lat) {
    // Past a pole, or past the edge on the point's row, the arcsines clamp and the longitude
    // wraps onto places that are not the point's.
    if (PastMapEdge(y - M.FalseNorthing, SQRT2 * M.R, UntaggedRoutine)) return InputDataError;
    const double theta = Asinz((y - M.FalseNorthing) / (SQRT2 * M.R));
    const double cosTheta = std::cos(theta);
    if (PastMapEdge(x - M.FalseEasting, XScale * M.R * PI * cosTheta, UntaggedRoutine))
        return InputDataError;
    lon = std::fabs(cosTheta) > EPSLN
              ? AdjustLon(M.LonCenter + (x - M.FalseEasting) / (XScale * M.R * cosTheta))
              : M.LonCenter;
    lat = Asinz((2.0 * theta + std::sin(2.0 * theta)) / PI);
    return OK;
}
