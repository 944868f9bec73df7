#include "shell/vLandCoverClasses.h"

#include "shell/vGlobalOptions.h"

// Urban and Barren Land keep their class colours in each other's numbered slot; the
// classification window's colour buttons use the same slots, so both windows agree.
const std::array<LandCoverClass, LandCoverClassCount> LandCoverClasses = {{
    {"Water",
     "Color1 ",
     0,
     "Water",
     'W',
     {"Rocky Wetland", "Riverine: Intermittent", "Riverine: Upper Perennial", "Riverine Braided",
      "Riverine: Lower Perennial", "Riverine: Tidal", "Lacustrine: Limnetic", "Estuary: Subtidal",
      "Marine: Subtidal"}},
    {"Wetland",
     "Color2",
     1,
     "Wetland",
     'C',
     {"Unconsolidated: Mud", "Moss-Lichen Wetland", "Scrub-Shrub Wetland", "Forested Wetland",
      "Emergent Wetland", "Aquatic Bed Wetland", "Lacustrine: Littoral", "Estuary: Intertidal",
      "Marine: Intertidal"}},
    {"Forest",
     "Color3",
     2,
     "Forest",
     'F',
     {"Forest: Cut", "Forest: Burnt", "Krumholz Zone/Edge", "Scrub Forest", "Broadleaf Deciduous",
      "Broadleaf Evergreen", "Needle Deciduous", "Needle Evergreen", "Tropical Forest: Jungle"}},
    {"Agriculture",
     "Color4",
     3,
     "Agricultural",
     'A',
     {"Dead Crops", "Pasture", "Crops", "IR Healthy Crops", "Irrigated Crops",
      "Nurseries: Mixed Ag", "Vineyards", "Confined Feeding Operations", "Orchards and Groves"}},
    {"Rangeland",
     "Color5",
     4,
     "Rangeland",
     'R',
     {"Prairie: Dead", "Herb: Dead", "Shrub: Dead", "Prairie: OK", "Herb: OK", "Shrub: OK",
      "Prairie: Healthy", "Herbaceous Healthy", "Shrub and brush: Healthy"}},
    {"Tundra",
     "Color6",
     5,
     "Tundra",
     'T',
     {"Moss: Dead", "Herb: Dead", "Shrub: Dead", "Moss: OK", "Herb: OK", "Shrub: OK",
      "Moss: Healthy", "Herb: Healthy", "Shrub and Brush: Healthy"}},
    {"Barren Land",
     "Color7",
     7,
     "Barren Land",
     'B',
     {"Dry salt flats", "Sand: not beaches", "Beaches", "Bare Exposed Rock", "Transitional areas",
      "EPA NBC Zoned", "Gravel pits", "Quarries", "Strip Mines"}},
    {"Urban",
     "Color8",
     6,
     "Urban",
     'U',
     {"Industrial Extraction", "Industrial Production", "Industrial and Commercial complexes",
      "Commercial and Services", "Major Roads: Transportation", "Minor Roads: Transportation",
      "Utilities", "Communications", "Residential"}},
    {"Snow or Ice",
     "Color9",
     8,
     "Snow: Glaciers",
     'S',
     {"New Snow", "White Snow", "Snow Fields", "Broken Snow", "Ice Fields", "Moving Ice-Flows",
      "Mountain Ice", "Icebergs", "Glaciers"}},
}};

namespace {

bool InGrid(int column, int row) {
    return column >= 0 && column < LandCoverClassCount && row >= 0 && row < ClassGridRows;
}

struct ShadeLevel {
    const char* Level;
    const char* Number;
};

// Rows 1 to 16: brightness level and number of the shade's type code.
const ShadeLevel ShadeLevels[ClassGridRows - 1] = {
    {"LL", "90"},  {"LM", "80"},  {"LD", "70"},  {"ML", "60"},  {"MM", "50"},  {"MD", "40"},
    {"DL", "30"},  {"DM", "20"},  {"DD", "10"},  {"UL", "009"}, {"UM", "008"}, {"UD", "007"},
    {"VL", "006"}, {"VM", "005"}, {"VD", "004"}, {"UV", "003"},
};

struct IrregularType {
    int Column;
    int Row;
    const char* Type;
};

// Type codes stored in other forms; shown exactly so, since sites and reports carry them.
const IrregularType IrregularTypes[] = {
    {0, 1, "LLW :90"},  {0, 7, "DLW 30"}, {0, 8, "DMW 20"}, {0, 9, "DDW 10"},   {4, 10, "ULR 009"},
    {4, 15, "VDR 004"}, {5, 2, "LMT 80"}, {5, 4, "MLT 60"}, {8, 14, "VMS 005"},
};

} // namespace

uint32_t* ClassCellColor(int column, int row) {
    if (!InGrid(column, row)) return nullptr;
    if (row == 0) return &ClassColors[static_cast<size_t>(LandCoverClasses[column].ColorSlot)];
    return &ClassColorRamps[static_cast<size_t>(column)][static_cast<size_t>(16 - row)];
}

std::string ClassCellType(int column, int row) {
    if (!InGrid(column, row)) return {};
    const LandCoverClass& c = LandCoverClasses[column];
    if (row == 0) return c.ColorType;
    for (const IrregularType& t : IrregularTypes)
        if (t.Column == column && t.Row == row) return t.Type;
    const ShadeLevel& s = ShadeLevels[row - 1];
    return std::string(s.Level) + c.Code + ": " + s.Number;
}

std::string ClassCellDescription(int column, int row) {
    if (!InGrid(column, row)) return {};
    const LandCoverClass& c = LandCoverClasses[column];
    if (row == 0) return c.Name;
    return row <= 9 ? c.Shades[row - 1] : c.ShadeName;
}
