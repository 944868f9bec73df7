// Wagner IV on the sphere: a Mollweide-like equal-area projection with flat poles.
#include "projections/kovWiv.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

constexpr int MaxSteps = 31;
// The constants to full precision: the published five-digit values put points up to 97 m off
// the equal-area map whose poles lie at 60 degrees of the auxiliary angle.
constexpr double AngleScale = 2.960420506177634; // (4 pi + 3 sqrt 3) / 6
constexpr double XScale = 0.8630951398862576;    // sqrt(4 sqrt 3 / (pi AngleScale))
constexpr double YScale = 1.5654814159993373;    // pi XScale / sqrt 3
constexpr double PoleAngle = PI / 3.0;
// Within this of one, the sine of the latitude is the pole's: its arcsine there would give a
// latitude a hundred-millionth of a radian short of it.
constexpr double PoleSineRounding = 4.0 * 2.220446049250313e-16;

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
    if (PastMapEdge(y - W.FalseNorthing, YScale * W.R * std::sin(PoleAngle), UntaggedRoutine))
        return InputDataError;
    const double theta =
        std::fmax(-PoleAngle, std::fmin(PoleAngle, Asinz((y - W.FalseNorthing) / (YScale * W.R))));
    if (PastMapEdge(x - W.FalseEasting, XScale * W.R * PI * std::cos(theta), UntaggedRoutine))
        return InputDataError;
    lon = AdjustLon(W.LonCenter + (x - W.FalseEasting) / (XScale * W.R * std::cos(theta)));
    const double sine = (2.0 * theta + std::sin(2.0 * theta)) / AngleScale;
    lat = std::fabs(sine) >= 1.0 - PoleSineRounding ? std::copysign(HALF_PI, sine) : Asinz(sine);
    return OK;
}
