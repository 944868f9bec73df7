// The land-cover classes that classified and density-sliced pictures are painted with: nine
// classes, each with a class colour and sixteen shades that stand for named sub-classes. The
// colours themselves are options (ClassColors, ClassColorRamps); this table gives every cell of
// the 9 x 17 colour grid its colour, its type code and its description.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int LandCoverClassCount = 9;
// Row 0 is the class colour, rows 1 to 16 its shades from the brightest down.
constexpr int ClassGridRows = 17;

struct LandCoverClass {
    const char* Name;      // also the description of the class colour
    const char* ColorType; // the type code of the class colour
    int ColorSlot;         // where ClassColors keeps the class colour
    const char* ShadeName; // the description of the darker shades, rows 10 to 16
    char Code;             // the class letter of the shades' type codes
    const char* Shades[9]; // descriptions of rows 1 to 9
};

extern const std::array<LandCoverClass, LandCoverClassCount> LandCoverClasses;

// The global that holds the colour of a grid cell; null outside the grid.
uint32_t* ClassCellColor(int column, int row);
// The type code and the description of a cell; empty outside the grid.
std::string ClassCellType(int column, int row);
std::string ClassCellDescription(int column, int row);
