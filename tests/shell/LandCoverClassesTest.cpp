#include "shell/vGlobal.h"
#include "shell/vLandCoverClasses.h"

#include <gtest/gtest.h>

namespace {

// Every cell's type code, column by column, rows 0 to 16.
const char* const ExpectedTypes[9][17] = {
    {"Color1 ", "LLW :90", "LMW: 80", "LDW: 70", "MLW: 60", "MMW: 50", "MDW: 40", "DLW 30",
     "DMW 20", "DDW 10", "ULW: 009", "UMW: 008", "UDW: 007", "VLW: 006", "VMW: 005", "VDW: 004",
     "UVW: 003"},
    {"Color2", "LLC: 90", "LMC: 80", "LDC: 70", "MLC: 60", "MMC: 50", "MDC: 40", "DLC: 30",
     "DMC: 20", "DDC: 10", "ULC: 009", "UMC: 008", "UDC: 007", "VLC: 006", "VMC: 005", "VDC: 004",
     "UVC: 003"},
    {"Color3", "LLF: 90", "LMF: 80", "LDF: 70", "MLF: 60", "MMF: 50", "MDF: 40", "DLF: 30",
     "DMF: 20", "DDF: 10", "ULF: 009", "UMF: 008", "UDF: 007", "VLF: 006", "VMF: 005", "VDF: 004",
     "UVF: 003"},
    {"Color4", "LLA: 90", "LMA: 80", "LDA: 70", "MLA: 60", "MMA: 50", "MDA: 40", "DLA: 30",
     "DMA: 20", "DDA: 10", "ULA: 009", "UMA: 008", "UDA: 007", "VLA: 006", "VMA: 005", "VDA: 004",
     "UVA: 003"},
    {"Color5", "LLR: 90", "LMR: 80", "LDR: 70", "MLR: 60", "MMR: 50", "MDR: 40", "DLR: 30",
     "DMR: 20", "DDR: 10", "ULR 009", "UMR: 008", "UDR: 007", "VLR: 006", "VMR: 005", "VDR 004",
     "UVR: 003"},
    {"Color6", "LLT: 90", "LMT 80", "LDT: 70", "MLT 60", "MMT: 50", "MDT: 40", "DLT: 30", "DMT: 20",
     "DDT: 10", "ULT: 009", "UMT: 008", "UDT: 007", "VLT: 006", "VMT: 005", "VDT: 004", "UVT: 003"},
    {"Color7", "LLB: 90", "LMB: 80", "LDB: 70", "MLB: 60", "MMB: 50", "MDB: 40", "DLB: 30",
     "DMB: 20", "DDB: 10", "ULB: 009", "UMB: 008", "UDB: 007", "VLB: 006", "VMB: 005", "VDB: 004",
     "UVB: 003"},
    {"Color8", "LLU: 90", "LMU: 80", "LDU: 70", "MLU: 60", "MMU: 50", "MDU: 40", "DLU: 30",
     "DMU: 20", "DDU: 10", "ULU: 009", "UMU: 008", "UDU: 007", "VLU: 006", "VMU: 005", "VDU: 004",
     "UVU: 003"},
    {"Color9", "LLS: 90", "LMS: 80", "LDS: 70", "MLS: 60", "MMS: 50", "MDS: 40", "DLS: 30",
     "DMS: 20", "DDS: 10", "ULS: 009", "UMS: 008", "UDS: 007", "VLS: 006", "VMS 005", "VDS: 004",
     "UVS: 003"},
};

// Descriptions of rows 0 to 9, then the one of rows 10 to 16.
const char* const ExpectedDescriptions[9][11] = {
    {"Water", "Rocky Wetland", "Riverine: Intermittent", "Riverine: Upper Perennial",
     "Riverine Braided", "Riverine: Lower Perennial", "Riverine: Tidal", "Lacustrine: Limnetic",
     "Estuary: Subtidal", "Marine: Subtidal", "Water"},
    {"Wetland", "Unconsolidated: Mud", "Moss-Lichen Wetland", "Scrub-Shrub Wetland",
     "Forested Wetland", "Emergent Wetland", "Aquatic Bed Wetland", "Lacustrine: Littoral",
     "Estuary: Intertidal", "Marine: Intertidal", "Wetland"},
    {"Forest", "Forest: Cut", "Forest: Burnt", "Krumholz Zone/Edge", "Scrub Forest",
     "Broadleaf Deciduous", "Broadleaf Evergreen", "Needle Deciduous", "Needle Evergreen",
     "Tropical Forest: Jungle", "Forest"},
    {"Agriculture", "Dead Crops", "Pasture", "Crops", "IR Healthy Crops", "Irrigated Crops",
     "Nurseries: Mixed Ag", "Vineyards", "Confined Feeding Operations", "Orchards and Groves",
     "Agricultural"},
    {"Rangeland", "Prairie: Dead", "Herb: Dead", "Shrub: Dead", "Prairie: OK", "Herb: OK",
     "Shrub: OK", "Prairie: Healthy", "Herbaceous Healthy", "Shrub and brush: Healthy",
     "Rangeland"},
    {"Tundra", "Moss: Dead", "Herb: Dead", "Shrub: Dead", "Moss: OK", "Herb: OK", "Shrub: OK",
     "Moss: Healthy", "Herb: Healthy", "Shrub and Brush: Healthy", "Tundra"},
    {"Barren Land", "Dry salt flats", "Sand: not beaches", "Beaches", "Bare Exposed Rock",
     "Transitional areas", "EPA NBC Zoned", "Gravel pits", "Quarries", "Strip Mines",
     "Barren Land"},
    {"Urban", "Industrial Extraction", "Industrial Production",
     "Industrial and Commercial complexes", "Commercial and Services",
     "Major Roads: Transportation", "Minor Roads: Transportation", "Utilities", "Communications",
     "Residential", "Urban"},
    {"Snow or Ice", "New Snow", "White Snow", "Snow Fields", "Broken Snow", "Ice Fields",
     "Moving Ice-Flows", "Mountain Ice", "Icebergs", "Glaciers", "Snow: Glaciers"},
};

TEST(LandCoverClasses, EveryCellHasItsTypeCodeAndDescription) {
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 17; ++r) {
            SCOPED_TRACE(testing::Message() << "column " << c << " row " << r);
            EXPECT_EQ(ClassCellType(c, r), ExpectedTypes[c][r]);
            EXPECT_EQ(ClassCellDescription(c, r), ExpectedDescriptions[c][r < 10 ? r : 10]);
        }
    for (const auto& [c, r] : {std::pair{9, 0}, {0, 17}, {-1, 0}, {0, -1}}) {
        EXPECT_EQ(ClassCellColor(c, r), nullptr);
        EXPECT_EQ(ClassCellType(c, r), "");
    }
}

TEST(LandCoverClasses, CellsReachTheirColoursWithUrbanAndBarrenLandSwapped) {
    const int slots[9] = {0, 1, 2, 3, 4, 5, 7, 6, 8};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(ClassCellColor(c, 0), &ClassColors[slots[c]]) << c;
        // Row 1 is the brightest shade, row 16 the darkest; the groups follow the columns.
        for (int r = 1; r < 17; ++r)
            EXPECT_EQ(ClassCellColor(c, r), &ClassColorRamps[c][16 - r]) << c << " " << r;
    }
}

TEST(LandCoverClasses, ColourResetGivesTheFirstRunColoursAndKeepsEntryZero) {
    ColorSettings.fill(0x424242);
    ClassColors.fill(1);
    for (auto& g : ClassColorRamps)
        g.fill(1);
    ResetClassColors();
    const std::array<uint32_t, 8> settings = {0x424242, 0xFFFFFF, 0x000000, 0x000000,
                                              0xFE00FE, 0x7F007F, 0x00BFBF, 0x00FEFE};
    const std::array<uint32_t, 9> classes = {0xBF0000, 0xBFBF00, 0x00BF00, 0x9F9FBF, 0x007FBF,
                                             0x9FBF9F, 0x0000BF, 0xBFAFBF, 0xBFBFBF};
    const std::array<std::array<uint32_t, 16>, 9> ramps = {{
        {0x0F0000, 0x1F0000, 0x2F0000, 0x3F0000, 0x4F0000, 0x5F0000, 0x6F0000, 0x7F0000, 0x8F0000,
         0x9F0000, 0xAF0000, 0xBF0000, 0xCF0000, 0xDF0000, 0xEF0000, 0xFE0000},
        {0x0F0F00, 0x1F1F00, 0x2F2F00, 0x3F3F00, 0x4F4F00, 0x5F5F00, 0x6F6F00, 0x7F7F00, 0x8F8F00,
         0x9F9F00, 0xAFAF00, 0xBFBF00, 0xCFCF00, 0xDFDF00, 0xEFEF00, 0xFEFE00},
        {0x000F00, 0x001F00, 0x002F00, 0x003F00, 0x004F00, 0x005F00, 0x006F00, 0x007F00, 0x008F00,
         0x009F00, 0x00AF00, 0x00BF00, 0x00CF00, 0x00DF00, 0x00EF00, 0x00FE00},
        {0x01010F, 0x05051F, 0x0F0F2F, 0x1F1F3F, 0x2F2F4F, 0x3F3F5F, 0x4F4F6F, 0x5F5F7F, 0x6F6F8F,
         0x7F7F9F, 0x8F8FAF, 0x9F9FBF, 0xAFAFCF, 0xBFBFDF, 0xCFCFEF, 0xDFDFFE},
        {0x00030F, 0x00071F, 0x00102F, 0x00133F, 0x000F4F, 0x001F5F, 0x002F6F, 0x003F7F, 0x004F8F,
         0x005F9F, 0x006FAF, 0x007FBF, 0x008FCF, 0x009FDF, 0x00AFEF, 0x00BFFE},
        {0x060F06, 0x121F12, 0x0F2F0F, 0x1F3F1F, 0x2F4F2F, 0x3F5F3F, 0x4F6F4F, 0x5F7F5F, 0x6F8F6F,
         0x7F9F7F, 0x8FAF8F, 0x9FBF9F, 0xAFCFAF, 0xBFDFBF, 0xCFEFCF, 0xDFFEDF},
        {0x0F060F, 0x1F0F1F, 0x2F1F2F, 0x3F2F3F, 0x4F3F4F, 0x5F4F5F, 0x6F5F6F, 0x7F6F7F, 0x8F7F8F,
         0x9F8F9F, 0xAF9FAF, 0xBFAFBF, 0xCFBFCF, 0xDFCFDF, 0xEFDFEF, 0xFEEFFE},
        {0x00000F, 0x00001F, 0x00002F, 0x00003F, 0x00004F, 0x00005F, 0x00006F, 0x00007F, 0x00008F,
         0x00009F, 0x0000AF, 0x0000BF, 0x0000CF, 0x0000DF, 0x0000EF, 0x0000FE},
        {0x0F0F0F, 0x1F1F1F, 0x2F2F2F, 0x3F3F3F, 0x4F4F4F, 0x5F5F5F, 0x6F6F6F, 0x7F7F7F, 0x8F8F8F,
         0x9F9F9F, 0xAFAFAF, 0xBFBFBF, 0xCFCFCF, 0xDFDFDF, 0xEFEFEF, 0xFEFEFE},
    }};
    EXPECT_EQ(ColorSettings, settings);
    EXPECT_EQ(ClassColors, classes);
    for (int g = 0; g < 9; ++g)
        EXPECT_EQ(ClassColorRamps[g], ramps[g]) << "group " << g;
}

} // namespace
