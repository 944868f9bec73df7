// The print layout's arithmetic: the printed size of the picture for each enlargement on a page,
// whether the legend fits, where the legend and the picture go on the page, and the scale of
// the small page picture. Sizes are printer device pixels and picture pixels.
#pragma once

#include <cstdint>

// The choices of "Print Size": 1 to 6 times, then the largest size the page takes.
enum PrintSizeChoice : int32_t { psOriginal = 0, psSixTimes = 5, psMaxSize = 6 };
// The choices of "Legend".
enum LegendPlace : int32_t { lpNone = 0, lpTop = 1, lpBottom = 2 };

struct PrintedSize {
    bool Fits = false;
    int32_t Width = 0;
    int32_t Height = 0;
};

// The picture (imageWidth x imageHeight) printed by `choice` on a page of the given size. A
// whole-number enlargement fits only strictly inside the page. "Max Size" takes the largest
// whole factor for a picture smaller than the page, else shrinks it 100 pixels inside the page
// by the smaller of the two ratios. An empty picture or page fits nowhere.
PrintedSize CheckImageSize(int32_t choice, int32_t imageWidth, int32_t imageHeight,
                           int32_t pageWidth, int32_t pageHeight);

// No legend always fits; a legend above or below fits when narrower than the page.
bool LegendFitsPage(int32_t place, int64_t legendWidth, int32_t pageWidth);

// Where the title and the author line start (their top), for a legend above or below.
struct LegendSpots {
    int32_t TitleX = 0;
    int32_t AuthorX = 0;
    int32_t Y = 0;
};
LegendSpots PlaceLegend(int32_t place, int32_t pageWidth, int32_t pageHeight, int32_t titleWidth,
                        int32_t authorWidth, int32_t legendHeight);

// The printed picture centred on the page.
struct PageRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};
PageRect CentredOnPage(int32_t pageWidth, int32_t pageHeight, const PrintedSize& printed);

// The page picture's scale in printer pixels a screen pixel: BasePreviewScale, or more when the
// page would not fit a box of boxWidth x boxHeight screen pixels at that scale (a fine printer
// resolution).
constexpr double BasePreviewScale = 13.77;
double PreviewScale(int32_t pageWidth, int32_t pageHeight, int32_t boxWidth, int32_t boxHeight);
// Printer pixels to the page picture's screen pixels.
int32_t PreviewPixels(int64_t printerPixels, double scale);
