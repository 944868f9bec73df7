#include "shell/vPrintLayout.h"

#include "runtime/RtNumbers.h"

#include <algorithm>

namespace {
constexpr int32_t MaxSizeMargin = 100;
constexpr int32_t LegendGap = 40;
} // namespace

PrintedSize CheckImageSize(int32_t choice, int32_t imageWidth, int32_t imageHeight,
                           int32_t pageWidth, int32_t pageHeight) {
    PrintedSize out;
    if (imageWidth <= 0 || imageHeight <= 0 || pageWidth <= 0 || pageHeight <= 0) return out;
    const int64_t w = imageWidth, h = imageHeight;
    if (choice >= psOriginal && choice <= psSixTimes) {
        const int64_t k = choice + 1;
        if (k * h < pageHeight && k * w < pageWidth)
            out = {true, static_cast<int32_t>(k * w), static_cast<int32_t>(k * h)};
    } else if (choice == psMaxSize) {
        if (w < pageWidth && h < pageHeight) {
            const int64_t factor = std::min(pageWidth / w, pageHeight / h);
            out = {true, static_cast<int32_t>(factor * w), static_cast<int32_t>(factor * h)};
        } else {
            // The smaller ratio governs: the side the whole-number comparison chose could leave
            // the other side running off the page.
            const double scale =
                std::min(static_cast<double>(pageWidth - MaxSizeMargin) / static_cast<double>(w),
                         static_cast<double>(pageHeight - MaxSizeMargin) / static_cast<double>(h));
            const int64_t pw = Round(scale * static_cast<double>(w));
            const int64_t ph = Round(scale * static_cast<double>(h));
            if (pw > 0 && ph > 0) out = {true, static_cast<int32_t>(pw), static_cast<int32_t>(ph)};
        }
    }
    return out;
}

bool LegendFitsPage(int32_t place, int64_t legendWidth, int32_t pageWidth) {
    return place == lpNone || legendWidth < pageWidth;
}

LegendSpots PlaceLegend(int32_t place, int32_t pageWidth, int32_t pageHeight, int32_t titleWidth,
                        int32_t authorWidth, int32_t legendHeight) {
    const int32_t free = pageWidth - (titleWidth + authorWidth);
    LegendSpots s;
    s.TitleX = free / 4;
    s.AuthorX = free / 2 + titleWidth;
    s.Y = place == lpTop ? legendHeight + LegendGap : pageHeight - LegendGap - legendHeight;
    return s;
}

PageRect CentredOnPage(int32_t pageWidth, int32_t pageHeight, const PrintedSize& printed) {
    return {(pageWidth - printed.Width) / 2, (pageHeight - printed.Height) / 2, printed.Width,
            printed.Height};
}

double PreviewScale(int32_t pageWidth, int32_t pageHeight, int32_t boxWidth, int32_t boxHeight) {
    double scale = BasePreviewScale;
    if (boxWidth > 0) scale = std::max(scale, static_cast<double>(pageWidth) / boxWidth);
    if (boxHeight > 0) scale = std::max(scale, static_cast<double>(pageHeight) / boxHeight);
    return scale;
}

int32_t PreviewPixels(int64_t printerPixels, double scale) {
    return static_cast<int32_t>(Round(static_cast<double>(printerPixels) / scale));
}
