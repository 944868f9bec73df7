// The joint distribution of the working image's bands: the two-band scattergram (every pixel as a
// point of a 256 x 256 plane, with the class boxes of one seed row), and the colour cube that
// counts every colour in a byte, kept with the picture as the ".rs3" file and shown by slices.
#pragma once

#include "histogram/vHistogramTypes.h"
#include "shell/vPicture.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One byte a colour, blue outermost and red innermost, so that the file is the cube's memory: a
// 256-byte record of the reds for each green within each blue.
constexpr int64_t Count3DFileSize = int64_t{256} * 256 * 256;

struct ColorCube {
    std::vector<uint8_t> Cells;

    bool Empty() const { return Cells.empty(); }
    // All counts 0.
    void Allocate() { Cells.assign(static_cast<size_t>(Count3DFileSize), 0); }
    void Free() { std::vector<uint8_t>().swap(Cells); }
    static size_t Index(int red, int green, int blue) {
        return (static_cast<size_t>(blue) << 16) | (static_cast<size_t>(green) << 8) |
               static_cast<size_t>(red);
    }
    uint8_t At(int red, int green, int blue) const { return Cells[Index(red, green, blue)]; }
};

// Per-row progress (0..100) of a pass.
using RowProgress = std::function<void(int percent)>;

// ---- scattergram ----------------------------------------------------------------------------

// Which bands span the plane: item 0 red across and green up, 1 red across and blue up, 2 blue
// across and green up.
enum ScatterPlane { ScatterGreenRed = 0, ScatterBlueRed = 1, ScatterGreenBlue = 2 };
constexpr int ScatterSide = 256;

// Plots every pixel of a fresh copy of the displayed picture onto a white 256 x 256 plane at
// (across, 255 - up), in its own colour or black. False when the working buffers are missing.
bool PlotScattergram(int plane, bool black, Picture& out, const RowProgress& progress);
// Frames in blue the nine class boxes of seed row `method` of the two bands' tables.
void FrameClassBoxes(int plane, int method, Picture& out);

// ---- colour cube ----------------------------------------------------------------------------

// Adds a fresh copy of the displayed picture's colours to the cube (counts stop at 255). False
// when the working buffers are missing.
bool CountColorCube(ColorCube& cube);
// Adds one buffer row (blue, green, red bytes).
void CountColorRow(const uint8_t* row, int32_t width, ColorCube& cube);

// The cube file of the current picture, beside it.
std::string Count3DFileName();
// A cube file is ours only as a plain file (no link) of its exact size.
bool Count3DFileSound(const std::string& path);
// Reads the whole file into the cube; a file that is not sound, or one that cannot be read,
// changes nothing and gives false.
bool ReadCount3DFile(const std::string& path, ColorCube& cube);
// Replaces the file whole or leaves it as it was, raising the input/output error then. Anything
// else under the name that is not a sound cube file is left alone, and status panel 1 says so.
void WriteCount3DFile(const std::string& path, const ColorCube& cube);

// How a slice is laid: the band fixed at the slice value, and the bands across and up. Item 0
// fixes blue (red across, green up), 1 green (blue across, red up), 2 red (blue across, green up).
enum CubeView { ViewBlueSlice = 0, ViewGreenSlice = 1, ViewRedSlice = 2 };
// The red, green and blue of the cell at (across, up) of slice `slice`.
struct CubeCell {
    int Red, Green, Blue;
};
CubeCell CellOfView(int view, int across, int up, int slice);

// Cell colours: the colour the cell stands for, by count, or black.
enum CubeColoring { ColorActual = 0, ColorCoded = 1, ColorAllBlack = 2 };
uint32_t CubeCellPixel(int coloring, int count, int red, int green, int blue);

// Paints one slice onto a 256 x 256 picture, white for an empty cell; returns the slice's largest
// count.
int PaintCubeSlice(const ColorCube& cube, int view, int slice, int coloring, Picture& out,
                   const RowProgress& progress);
// All slices over one another on white, later slices over earlier ones, empty cells left as they
// are; returns the largest count.
int OverlayCubeSlices(const ColorCube& cube, int view, int coloring, Picture& out);
// Every pixel (R, G, B) of a fresh copy of the displayed picture at (R, 255 - G) on white, by the
// count of the cell its bands index in the view's order. False when the buffers are missing.
bool PaintImageCounts(const ColorCube& cube, int view, int coloring, Picture& out);
