// What the histogram window's colour-plane page and its print window show, without the windows:
// the plane chosen by colour space and item, the colour read-outs under the mouse, and where the
// printed pictures and panels go on the page.
#pragma once

#include "shell/imaging/vUImageProcessingPrimitives.h"

#include <array>
#include <string>
#include <vector>

enum ColorSpaceItem { SpaceRGB = 0, SpaceHSV = 1, SpaceHLS = 2, SpaceCMYK = 3 };

// The plane items of a colour space ("RGB Composite", "Red", ...).
const std::vector<const char*>& ColorPlaneItems(int space);
// The plane index of item `item` of a colour space.
int ColorPlaneIndexOf(int space, int item);
// The RGB planes and the two hues are the planes a picture can show in colour or in grey.
bool MonochromeBoxApplies(int plane);

// The read-outs of one pixel: location, RGB, HSV, HLS, CMYK, intensity, lightness and YIQ.
struct ColorReadouts {
    std::string Location, RGB, HSV, HLS, CMYK, Intensity, Lightness, YIQ;
};
ColorReadouts ReadoutsOf(int x, int y, RGBTriple pixel);

// A rectangle on the page, right and bottom exclusive.
struct PageRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const PageRect&, const PageRect&) = default;
};

// The large picture: 80 % of the page width from 12 %, five text lines down, in the picture's
// proportions; too tall for the page less ten text lines, it is made that high, its width
// scaled and the picture centred across.
PageRect BigPictureRect(int pageWidth, int pageHeight, int textHeight, int pictureWidth,
                        int pictureHeight);
// The small picture: 40 % of the page width from 30 %, five text lines down, in proportion.
PageRect SmallPictureRect(int pageWidth, int textHeight, int pictureWidth, int pictureHeight);

// The nine panels of a sheet, row by row: each a quarter of the page wide and three quarters of
// that high, the three of a row spread evenly across, the rows half a text line apart below the
// title, so that the three rows fit a landscape page.
std::array<PageRect, 9> SheetPanels(int pageWidth, int textHeight);
// The planes of the nine panels in that order; the picture panel of the histogram sheet is the
// composite.
constexpr std::array<int, 9> SheetPlanes{1, 2, 3, 14, 8, 0, 4, 5, 6};
constexpr int SheetPicturePanel = 5;

// "Min=12  Max=250  Mean=100.5  S.D.=20.3" of a plane's statistics.
std::string PanelStatisticsText(double min, double max, double mean, double deviation);
