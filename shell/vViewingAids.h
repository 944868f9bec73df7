// The two viewing aids of the main window: the cursor pixel grid (the red, green and blue
// values of the 26 x 26 block marked in pixel-values mode, and its text report) and the
// magnifier's enlarged picture. Both read the displayed picture itself: taking a copy for
// processing would replace the user's Undo.
#pragma once

#include "shell/vPicture.h"
#include "shell/vToolModes.h"

#include <array>
#include <string>
#include <vector>

constexpr int CursorGridSide = 26;
// The report leaves out the last grid column and row.
constexpr int CursorReportSide = 25;

// Cells[r][c]: grid column r holds image row top + r, grid row c image column left + c; each
// cell "red,green,blue". Cells whose pixel lies outside the picture are empty, and so is the
// whole grid when the box's bottom lies above its top.
struct CursorGrid {
    std::array<std::array<std::string, CursorGridSide>, CursorGridSide> Cells;
};
CursorGrid ReadCursorGrid(const Picture& picture, SelectionRect box);
// " Row r Col c : cell" for r = 0..24 and, within each, c = 0..24.
std::vector<std::string> CursorReportLines(const CursorGrid& grid);
// "X: left.. right Y: top.. bottom   ".
std::string CursorPanelCaption(SelectionRect box);

// The magnifier's view is a square of this side; it shows 2 x half-size image pixels.
constexpr int MagnifierViewSide = 128;
int32_t MagnifierHalfSizeFor(int magnification);
// The square of 2 x halfSize pixels whose top-left corner is (x, y), stretched over the whole
// view (each image pixel repeated, none blended); pixels beyond the picture's edge are black.
// With `cross`, columns 63 and 64 and rows 63 and 64 of the view are black.
void MagnifyInto(const Picture& picture, int x, int y, int halfSize, bool cross, Picture& view);
