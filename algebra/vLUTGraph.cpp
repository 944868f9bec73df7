#include "algebra/vLUTGraph.h"

#include "runtime/RtNumbers.h"

#include <algorithm>

std::vector<double> GraphCurve;
int32_t GraphColor = gcAll;
int32_t GraphFunction = 0;
bool GraphActive = false;
bool GraphDragging = false;
GraphPoint RubberPoint;

const std::array<const char*, 11> GraphFunctionNames = {
    "RGB",       "Min Max",        "Histogram EQ", "Negative", "Gray",  "Stretch Linear",
    "Sine Wave", "Hyper Contrast", "Exponent",     "Log",      "Gamma",
};

namespace {

std::vector<double> IdentityCurve() {
    const LUTTable t = IdentityLUT();
    return {t.begin(), t.end()};
}

std::vector<double> CurveOf(const LUTTable& t) {
    return {t.begin(), t.end()};
}

LUTTable* TableOf(int32_t color) {
    switch (color) {
    case gcRed:
        return &RedLUT;
    case gcGreen:
        return &GreenLUT;
    case gcBlue:
        return &BlueLUT;
    default:
        return nullptr;
    }
}

void CurveInto(LUTTable& t) {
    std::copy(GraphCurve.begin(), GraphCurve.end(), t.begin());
}

} // namespace

void ActivateGraph() {
    GraphFunction = 0;
    LUTFunction = lfHandDrawn;
    GraphCurve = IdentityCurve();
    RedLUT = GreenLUT = BlueLUT = IdentityLUT();
    GraphActive = true;
    GraphColor = gcAll;
}

void ClearGraph() {
    GraphActive = true;
    GraphDragging = false;
    GraphColor = gcAll;
    GraphCurve = IdentityCurve();
    RedLUT = GreenLUT = BlueLUT = IdentityLUT();
}

void StoreGraphCurve() {
    // Before the graph is active there is no curve to store.
    if (GraphCurve.size() != 256) return;
    if (LUTTable* t = TableOf(GraphColor)) {
        CurveInto(*t);
    } else {
        CurveInto(RedLUT);
        CurveInto(GreenLUT);
        CurveInto(BlueLUT);
    }
}

void ChooseGraphColor(int32_t color) {
    StoreGraphCurve();
    const LUTTable* t = TableOf(color);
    GraphCurve = t ? CurveOf(*t) : IdentityCurve();
    GraphColor = t ? color : gcAll;
}

void UseGraphFunction() {
    ClearGraph();
    DoLUTGraph(GraphFunction);
    LUTFunction = lfHandDrawn;
    for (int i = 0; i < 256; ++i) {
        if (GraphFunction == lfGray) {
            const double v = (0.001 + RedLUT[i] + GreenLUT[i] + BlueLUT[i]) / 100.0;
            RedLUT[i] = GreenLUT[i] = BlueLUT[i] = v;
        }
        for (LUTTable* t : {&RedLUT, &GreenLUT, &BlueLUT})
            (*t)[i] = std::clamp((*t)[i], 0.0, 255.0);
    }
    GraphCurve = CurveOf(RedLUT);
    GraphColor = gcRed;
}

void LoadGraphTables(const LUTTables& tables) {
    ClearGraph();
    RedLUT = tables[0];
    GreenLUT = tables[1];
    BlueLUT = tables[2];
    GraphCurve = CurveOf(RedLUT);
    GraphActive = true;
    GraphColor = gcRed;
}

void ApplyRubberPoint(int32_t drawMode) {
    RubberPoint.X = std::clamp(RubberPoint.X, 0, 255);
    RubberPoint.Y = std::clamp(RubberPoint.Y, 0, 255);
    if (GraphCurve.size() != 256) return;
    const int32_t x = RubberPoint.X;
    const double y = RubberPoint.Y;
    if (drawMode != gdStepUp) {
        GraphCurve[x] = y;
        return;
    }
    // Entry 0 stays as it is.
    for (int32_t i = 1; i <= x; ++i)
        if (GraphCurve[i] > y) GraphCurve[i] = y;
    for (int32_t i = x; i <= 255; ++i)
        if (GraphCurve[i] < y) GraphCurve[i] = y;
}

void CloseGraph() {
    GraphCurve.clear();
    GraphActive = false;
    GraphDragging = false;
}

int32_t GraphRowOf(double value) {
    // Loaded tables may hold any finite value; beyond the picture only the direction matters.
    return 255 - static_cast<int32_t>(Round(std::clamp(value, -2.0, 257.0)));
}
