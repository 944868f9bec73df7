// What the histogram window's pages show, without the window: band histograms drawn as bars
// into pictures, the natural-break edits read as breaks, the proposed names of the saved
// pictures and the statistics text of the "SC data" page.
#pragma once

#include "histogram/vHistogramTypes.h"
#include "shell/vPicture.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The bands' drawing colours as colour values (0x00BBGGRR), red, green, blue.
constexpr std::array<uint32_t, BandCount> BandColors{0x0000FFu, 0x008000u, 0xFF0000u};
constexpr uint32_t BlackColor = 0x000000u;
constexpr uint32_t WhiteColor = 0xFFFFFFu;

// The picture pixel of a colour value.
uint32_t PixelOfColor(uint32_t color);

// One colour per channel value: the colour of its bar.
using BarColors = std::array<uint32_t, 256>;
BarColors UniformBars(uint32_t color);
// Each value in the colour of its class as the row steps through the values.
BarColors ClassBars(const SeedBreakRow& row);

// The bar geometry of a plot: value i is drawn at column FirstColumn + i * Step.
struct BarLayout {
    int FirstColumn;
    int Step;
};
// The histogram page: bars from column 25, the value range marked at columns 23 and 281.
constexpr BarLayout BandHistogramLayout{25, 1};
constexpr std::array<int, 2> BandHistogramEndMarks{23, 281};
// The natural-break page: bar i at column 2i.
constexpr BarLayout NaturalBreakLayout{0, 2};

// Clears the picture white and draws every value's bar, scaled so that h[mode] reaches the top
// row. A histogram whose mode holds no count draws no bars.
void PlotHistogramBars(const BandHistogram& h, int32_t mode, const BarColors& colors,
                       BarLayout layout, Picture& out);
// Draws the bar of one value again in a colour, over what is there.
void PlotHistogramBar(const BandHistogram& h, int32_t mode, int value, uint32_t color,
                      BarLayout layout, Picture& out);
// A full-height line of one colour at a column.
void PlotColumn(int column, uint32_t color, Picture& out);

// A natural-break edit's text as a break: not a whole number gives 0; the value is clamped to
// 0..255.
uint8_t BreakFromText(std::string_view text);

// The name a saved histogram picture is proposed under: the image folder, the picture's name
// less its last four characters, and `suffix` ("HR.bmp").
std::string HistogramPictureName(const std::string& directory, const std::string& imageName,
                                 std::string_view suffix);

// The statistics text of the "SC data" page, one line each: the picture's size, the band pairs,
// each band's statistics and every row of the three seed-break tables.
std::vector<std::string> ClassifierStatisticsText();
