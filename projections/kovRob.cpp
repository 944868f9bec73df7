// Robinson on the sphere: lengths of the parallels and their distances from the equator taken
// from Robinson's table at 5-degree steps, interpolated by Stirling's central differences.
#include "projections/kovRob.h"

#include "projections/kovSphere.h"

#include <cmath>

namespace {

constexpr double StepDegrees = 5.0;
constexpr double XScale = 0.8487;
constexpr double YScale = 1.3523;
constexpr int MaxSteps = 75;
// Nodes from -5 to 90 degrees; node 0 (the one below the equator) mirrors 5 degrees so that
// the first interval has a node on each side.
constexpr int NodeCount = 20;

struct Node {
    double Length, Ordinate;
};

WorldSphere B;
Node Table[NodeCount];

void FillTable() {
    static const double lengths[NodeCount] = {
        0.9986, 1.0,    0.9986, 0.9954, 0.9900, 0.9822, 0.9730, 0.9600, 0.9427, 0.9216,
        0.8962, 0.8679, 0.8350, 0.7986, 0.7597, 0.7186, 0.6732, 0.6213, 0.5722, 0.5322};
    static const double ordinates[NodeCount] = {
        -0.0620, 0.0,    0.0620, 0.1240, 0.1860, 0.2480, 0.3100, 0.3720, 0.4340, 0.4958,
        0.5571,  0.6176, 0.6769, 0.7346, 0.7903, 0.8435, 0.8936, 0.9394, 0.9761, 1.0000};
    for (int i = 0; i < NodeCount; ++i)
        Table[i] = {lengths[i], ordinates[i]};
}

// The interval of |latitude| in steps, as the node below and the fraction above it; 90 degrees
// is the end of the last interval, and a latitude past it is taken as the pole.
void Interval(double steps, int& node, double& p) {
    // Clamped as a real first: a latitude past the table (or not a number) must not reach the
    // conversion to an index.
    double below = std::floor(steps);
    if (!(below <= NodeCount - 3)) below = NodeCount - 3;
    if (below < 0) below = 0;
    node = static_cast<int>(below);
    p = steps - below;
    if (p > 1.0) p = 1.0;
    ++node;
}

double Stirling(double below, double at, double above, double p) {
    return at + p * (above - below) / 2.0 + p * p * (above - 2.0 * at + below) / 2.0;
}

double Length(int n, double p) {
    return Stirling(Table[n - 1].Length, Table[n].Length, Table[n + 1].Length, p);
}

double Ordinate(int n, double p) {
    return Stirling(Table[n - 1].Ordinate, Table[n].Ordinate, Table[n + 1].Ordinate, p);
}

int TooManySteps() {
    ReportProjectionError(234, 234);
    return 234;
}

} // namespace

int RobSetup(const ProjectionSetup& s) {
    FillTable();
    B.Set(s);
    return OK;
}

int RobForward(double lon, double lat, double& x, double& y) {
    int n;
    double p;
    Interval(std::fabs(lat) * R2D / StepDegrees, n, p);
    x = B.FalseEasting + XScale * B.R * Length(n, p) * AdjustLon(lon - B.LonCenter);
    y = B.FalseNorthing + (lat < 0 ? -1.0 : 1.0) * YScale * B.R * Ordinate(n, p);
    return OK;
}

// The ordinate is searched for by Newton's method on the interpolating polynomial, moving to
// the neighbouring interval whenever a step leaves the current one.
int RobInverse(double x, double y, double& lon, double& lat) {
    const double yy = (y - B.FalseNorthing) / (YScale * B.R);
    const double target = std::fabs(yy);
    if (!(target <= 1.0 + EPSLN)) return TooManySteps();
    double steps = target * (NodeCount - 2);
    int n = 0;
    double p = 0;
    for (int i = 0;; ++i) {
        if (i > MaxSteps) return TooManySteps();
        Interval(steps, n, p);
        const double slope =
            (Table[n + 1].Ordinate - Table[n - 1].Ordinate) / 2.0 +
            p * (Table[n + 1].Ordinate - 2.0 * Table[n].Ordinate + Table[n - 1].Ordinate);
        const double step = (target - Ordinate(n, p)) / slope;
        steps += step;
        if (steps < 0) steps = 0;
        if (steps > NodeCount - 2) steps = NodeCount - 2;
        if (std::fabs(step) <= EPSLN) break;
    }
    Interval(steps, n, p);
    if (PastMapEdge(x - B.FalseEasting, XScale * B.R * Length(n, p) * PI, 234))
        return InputDataError;
    lat = (yy < 0 ? -steps : steps) * StepDegrees * D2R;
    lon = AdjustLon(B.LonCenter + (x - B.FalseEasting) / (XScale * B.R * Length(n, p)));
    return OK;
}
