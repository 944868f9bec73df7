// Wagner IV on the sphere: a Mollweide-like equal-area projection with flat poles.
#include "projections/kovWiv.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

constexpr int MaxSteps = 31;
// The published rounded constants of the projection.
constexpr double XScale = 0.86310;
constexpr double YScale = 1.56548;
constexpr double AngleScale = 2.960420506177634; // (4 pi + 3 sqrt 3) / 6

WorldSphere W;

} // namespace

int WivSetup(const ProjectionSetup& s) {
    W.Set(s);
    return OK;
}

int WivForward(double lon, double lat, double& x, double& y) {
    double theta;
    if (!AuxiliaryAngle(lat, AngleScale, MaxSteps, theta)) {
        // An angle that did not settle gives no point rather than whatever x and y held.
        ReportProjectionError(243, 241);
        return 241;
    }
    x = W.FalseEasting + XScale * W.R * AdjustLon(lon - W.LonCenter) * std::cos(theta);
    y = W.FalseNorthing + YScale * W.R * std::sin(theta);
    return OK;
}

int WivInverse(double x, double y, double& lon, double& lat) {
    // Past a pole line, or past the edge on the point's row, the arcsine clamps and the
    // longitude wraps onto places that are not the point's.
    if (PastMapEdge(y - W.FalseNorthing, YScale * W.R, UntaggedRoutine)) return InputDataError;
    const double theta = Asinz((y - W.FalseNorthing) / (YScale * W.R));
    if (PastMapEdge(x - W.FalseEasting, XScale * W.R * PI * std::cos(theta), UntaggedRoutine))
        return InputDataError;
    lon = AdjustLon(W.LonCenter + (x - W.FalseEasting) / (XScale * W.R * std::cos(theta)));
    lat = Asinz((2.0 * theta + std::sin(2.0 * theta)) / AngleScale);
    return OK;
}
