// The magic wand: grows a region of colours close to a seed colour by four-neighbour steps, and
// marks the region's outline by inverting its pixels.
#pragma once

#include "shell/vPicture.h"

#include <cstdint>
#include <vector>

// A mask indexed (x, y), sized a few cells past the picture; true is "in the region".
struct TBool2dArray {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Cells; // row by row

    void Resize(int32_t width, int32_t height) {
        Width = width;
        Height = height;
        Cells.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    }
    bool At(int32_t x, int32_t y) const { return Cells[static_cast<size_t>(y) * Width + x] != 0; }
};

// The wand's shared state: the preview holds a copy of the picture; a region is being grown.
extern bool WandActive;
extern bool WandBusy;

// Grows the region from (x, y): every pixel reachable by four-neighbour steps whose red, green
// and blue each lie within tolerance * 150 of the seed colour's (red in the colour's low byte).
// The seed enters the mask only when a neighbour of it does. A seed off the picture grows
// nothing.
void MagicWandMask(const Picture& picture, int32_t x, int32_t y, TBool2dArray& mask,
                   double tolerance, uint32_t seedColor);
// Inverts the pixels of the region that have a neighbour outside it; the outermost rows and
// columns are never touched.
void DrawMaskOutline(Picture& picture, const TBool2dArray& mask);
