#include "histogram/vHistogramPages.h"

#include "histogram/vClassDisplay.h"
#include "histogram/vSeedBreaks.h"
#include "histogram/vUHistoCC.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalImage.h"

#include <algorithm>

namespace {

// The top row of a value's bar; the picture's height when the bar is empty.
int BarTop(const BandHistogram& h, int32_t mode, int value, int height) {
    const int32_t peak = h[static_cast<size_t>(mode & 0xFF)];
    const double scale = static_cast<double>(height) / peak;
    const int64_t top = height - Round(h[static_cast<size_t>(value)] * scale);
    // A count above the mode's (statistics from another picture) stops at the top.
    return static_cast<int>(std::clamp<int64_t>(top, 0, height));
}

void FillColumn(Picture& out, int column, int from, uint32_t pixel) {
    if (column < 0 || column >= out.Width) return;
    for (int y = from; y < out.Height; ++y)
        out.Row(y)[column] = pixel;
}

} // namespace

uint32_t PixelOfColor(uint32_t color) {
    return PackPixel(static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 8),
                     static_cast<uint8_t>(color >> 16));
}

BarColors UniformBars(uint32_t color) {
    BarColors colors;
    colors.fill(color);
    return colors;
}

BarColors ClassBars(const SeedBreakRow& row) {
    const std::array<uint8_t, 256> classes = SteppedClasses(row);
    BarColors colors;
    for (size_t v = 0; v < colors.size(); ++v)
        colors[v] = ClassColorOf(classes[v]);
    return colors;
}

void PlotHistogramBars(const BandHistogram& h, int32_t mode, const BarColors& colors,
                       BarLayout layout, Picture& out) {
    std::fill(out.Pixels.begin(), out.Pixels.end(), PixelOfColor(WhiteColor));
    // Without a count at the mode there is nothing to scale by: an empty plot, not a division
    // by zero.
    if (h[static_cast<size_t>(mode & 0xFF)] <= 0) return;
    for (int v = 0; v < 256; ++v)
        PlotHistogramBar(h, mode, v, colors[static_cast<size_t>(v)], layout, out);
}

void PlotHistogramBar(const BandHistogram& h, int32_t mode, int value, uint32_t color,
                      BarLayout layout, Picture& out) {
    if (value < 0 || value > 255 || h[static_cast<size_t>(mode & 0xFF)] <= 0) return;
    FillColumn(out, layout.FirstColumn + value * layout.Step, BarTop(h, mode, value, out.Height),
               PixelOfColor(color));
}

void PlotColumn(int column, uint32_t color, Picture& out) {
    FillColumn(out, column, 0, PixelOfColor(color));
}

uint8_t BreakFromText(std::string_view text) {
    const int64_t v = StrToIntDef(text, 0);
    return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 255));
}

std::string HistogramPictureName(const std::string& directory, const std::string& imageName,
                                 std::string_view suffix) {
    const size_t keep = imageName.size() > 4 ? imageName.size() - 4 : 0;
    return directory + imageName.substr(0, keep) + std::string(suffix);
}

std::vector<std::string> ClassifierStatisticsText() {
    const int64_t width = int64_t{ImageMaxX} + 1, height = int64_t{ImageMaxY} + 1;
    std::vector<std::string> lines{"Image Size: " + IntToStr(width * height),
                                   "Image Width: " + IntToStr(width),
                                   "Image Height: " + IntToStr(height)};
    static const char* const pairNames[3] = {"B12", "B13", "B23"};
    for (size_t p = 0; p < BandPairStats.size(); ++p) {
        lines.push_back(std::string(pairNames[p]) + "CoVariance" +
                        FormatFixed(BandPairStats[p].CoVariance, 8, 3));
        lines.push_back(std::string(pairNames[p]) + "R" + FormatFixed(BandPairStats[p].R, 8, 3));
    }
    static const char* const bandNames[BandCount] = {"Red", "Green", "Blue"};
    for (size_t b = 0; b < BandHistogramStats.size(); ++b) {
        const BandStatistics& s = BandHistogramStats[b];
        const std::string name = bandNames[b];
        for (const auto& [label, value] : {std::pair{"Min", s.Min},
                                           {"Mode", s.Mode},
                                           {"Median", s.Median},
                                           {"Max", s.Max},
                                           {"Mean", s.Mean}})
            lines.push_back(name + label + IntToStr(value));
        lines.push_back(name + "Variance" + FormatFixed(BandSpread[b].Variance, 8, 2));
        lines.push_back(name + "SD" + FormatFixed(BandSpread[b].SD, 8, 2));
    }
    static const char* const rowLabels[BandCount] = {"Red:   ", "Green: ", "Blue:   "};
    for (size_t r = 0; r < SeedMethodCount; ++r) {
        lines.push_back(IntToStr(static_cast<int64_t>(r)));
        for (size_t b = 0; b < SeedBreakTables.size(); ++b) {
            std::string line = rowLabels[b];
            for (size_t k = 0; k < 10; ++k)
                line += " [" + IntToStr(static_cast<int64_t>(k)) +
                        "]: " + IntToStr(SeedBreakTables[b][r][k]);
            lines.push_back(std::move(line));
        }
    }
    return lines;
}
