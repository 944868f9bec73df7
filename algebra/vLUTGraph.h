// The look-up-table graph: a curve of 256 reals drawn by hand for one table or all three, the
// eleven function shapes it can start from, and the rules that store a curve into its tables.
// The drawing itself (the graph picture and its pens) belongs to the window.
#pragma once

#include "algebra/vColorLUT.h"
#include "algebra/vLUTFile.h"

#include <cstdint>
#include <vector>

// The curve being drawn, entry x the output for input x; 256 entries while the graph is active,
// empty before and after.
extern std::vector<double> GraphCurve;
// The table(s) the curve belongs to.
enum GraphColorCode : int32_t { gcAll = 0, gcRed = 1, gcGreen = 2, gcBlue = 3 };
extern int32_t GraphColor;
// The function shape chosen in the graph's list.
extern int32_t GraphFunction;
extern bool GraphActive;
extern bool GraphDragging;
// The current point in graph units: X the input value, Y the output value.
struct GraphPoint {
    int32_t X = 0;
    int32_t Y = 0;
};
extern GraphPoint RubberPoint;

// Draw modes: one entry per point, or a curve kept non-decreasing around each point.
enum GraphDrawMode : int32_t { gdAnyLine = 0, gdStepUp = 1 };

// The names of the function shapes, by index.
extern const std::array<const char*, 11> GraphFunctionNames;

// The graph made active on the identity: LUTFunction 16, all three tables and the curve the
// identity, colour "All", shape 0.
void ActivateGraph();
// The curve and the tables back to the identity, colour "All", the graph active.
void ClearGraph();
// The curve into the table(s) of its colour ("All": all three); the curve itself is kept.
void StoreGraphCurve();
// A new colour: the curve is stored under the old one ("All" then starts the next curve from the
// identity), and the new colour's table becomes the curve ("All": the identity).
void ChooseGraphColor(int32_t color);
// Clears, fills the tables with the shape of GraphFunction ("Gray" as the sum of its three
// weights over 100), clamps every entry to 0..255 and makes the red table the curve.
void UseGraphFunction();
// Loaded tables in place of the three: cleared first, then the red table becomes the curve.
void LoadGraphTables(const LUTTables& tables);
// Clamps RubberPoint to 0..255 and applies it to the curve by the draw mode.
void ApplyRubberPoint(int32_t drawMode);
// The graph is no longer shown: the curve emptied, drawing off.
void CloseGraph();
// The row of the graph picture (top 0) where curve entry x is drawn, kept within a few pixels of
// the picture for values far outside 0..255.
int32_t GraphRowOf(double value);
