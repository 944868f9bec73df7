// The scattergram and the colour cube read the undo copy row by row through raw pointers; the
// cube file is the cube's own memory, written whole or not at all.
#include "histogram/vColorCube.h"

#include "histogram/vHistogramPages.h"
#include "histogram/vSeedBreaks.h"
#include "histogram/vUHistoCC.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <array>

namespace {

constexpr uint32_t WhitePixel = 0xFFFFFFFFu;
constexpr uint32_t BlackPixel = 0xFF000000u;
constexpr uint32_t BoxPixel = 0xFF0000FFu; // blue

// The bands across and up of each scattergram item.
struct PlaneBands {
    int Across, Up;
};
constexpr std::array<PlaneBands, 3> ScatterBands{
    {{BandRed, BandGreen}, {BandRed, BandBlue}, {BandBlue, BandGreen}}};

int ClampedItem(int item) {
    return std::clamp(item, 0, 2);
}

void FillWhite(Picture& out) {
    out.Resize(ScatterSide, ScatterSide);
    std::fill(out.Pixels.begin(), out.Pixels.end(), WhitePixel);
}

int Percent(int value, int last) {
    return static_cast<int>(Round(100.0 * value / last));
}

// An outline of the rectangle from (left, top) to (right, bottom), right and bottom exclusive,
// clipped to the picture; an empty rectangle draws nothing.
void FrameRect(Picture& out, int left, int top, int right, int bottom, uint32_t pixel) {
    if (right <= left || bottom <= top) return;
    auto put = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < out.Width && y < out.Height) out.At(x, y) = pixel;
    };
    for (int x = left; x < right; ++x) {
        put(x, top);
        put(x, bottom - 1);
    }
    for (int y = top; y < bottom; ++y) {
        put(left, y);
        put(right - 1, y);
    }
}

} // namespace

// ---- scattergram ----------------------------------------------------------------------------

bool PlotScattergram(int plane, bool black, Picture& out, const RowProgress& progress) {
    CopyImageForReading();
    if (!ImageBuffersLocked) return false;
    FillWhite(out);
    // Byte offsets of the bands within a buffer pixel (blue, green, red).
    static constexpr int Offset[BandCount] = {2, 1, 0};
    const PlaneBands bands = ScatterBands[static_cast<size_t>(ClampedItem(plane))];
    const int across = Offset[bands.Across], up = Offset[bands.Up];
    const int32_t width = ImageMaxX + 1;
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        const uint8_t* p = WorkRow(y);
        for (int32_t x = 0; x < width; ++x, p += 3)
            out.At(p[across], 255 - p[up]) = black ? BlackPixel : PackPixel(p[2], p[1], p[0]);
        if (progress) progress(RowPercent(y, ImageMaxY));
    }
    UnlockImageBuffers();
    return true;
}

void FrameClassBoxes(int plane, int method, Picture& out) {
    const PlaneBands bands = ScatterBands[static_cast<size_t>(ClampedItem(plane))];
    const size_t row = static_cast<size_t>(std::clamp(method, 0, SeedMethodCount - 1));
    const SeedBreakRow& across = SeedBreakTables[static_cast<size_t>(bands.Across)][row];
    const SeedBreakRow& up = SeedBreakTables[static_cast<size_t>(bands.Up)][row];
    for (size_t k = 0; k < 9; ++k)
        FrameRect(out, across[k], 255 - up[k + 1], across[k + 1], 255 - up[k], BoxPixel);
}

// ---- colour cube ----------------------------------------------------------------------------

void CountColorRow(const uint8_t* row, int32_t width, ColorCube& cube) {
    // The cells of a varied picture are scattered over 16 MiB: asking for the cell of a pixel a
    // few ahead hides most of the wait for memory.
    constexpr int32_t Ahead = 16;
    uint8_t* cells = cube.Cells.data();
    const int32_t prefetched = std::max(width - Ahead, 0);
    int32_t x = 0;
    for (; x < prefetched; ++x, row += 3) {
        const uint8_t* next = row + 3 * Ahead;
        __builtin_prefetch(&cells[ColorCube::Index(next[2], next[1], next[0])], 1);
        uint8_t& c = cells[ColorCube::Index(row[2], row[1], row[0])];
        c = static_cast<uint8_t>(c + (c != 255));
    }
    for (; x < width; ++x, row += 3) {
        uint8_t& c = cells[ColorCube::Index(row[2], row[1], row[0])];
        c = static_cast<uint8_t>(c + (c != 255));
    }
}

bool CountColorCube(ColorCube& cube) {
    if (cube.Empty()) cube.Allocate();
    CopyImageForReading();
    if (!ImageBuffersLocked) return false;
    const int32_t width = ImageMaxX + 1;
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        CountColorRow(WorkRow(y), width, cube);
        ShowStageProgress(2, RowPercent(y, ImageMaxY));
    }
    UnlockImageBuffers();
    ShowStageProgress(4, 100);
    return true;
}

std::string Count3DFileName() {
    return CompanionPath("rs3");
}

bool Count3DFileSound(const std::string& path) {
    return PlainFileExists(path) && FileSizeOf(path) == Count3DFileSize;
}

bool ReadCount3DFile(const std::string& path, ColorCube& cube) {
    if (!Count3DFileSound(path)) return false;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes) || static_cast<int64_t>(bytes.size()) != Count3DFileSize)
        return false;
    cube.Cells.swap(bytes);
    StampShownFile(path);
    ShowStageProgress(5, 100);
    ShowStageProgress(4, 100);
    return true;
}

void WriteCount3DFile(const std::string& path, const ColorCube& cube) {
    if (cube.Empty()) return;
    if (NameTaken(path) && !Count3DFileSound(path)) {
        HookStatus(1, RefusedCompanionsStatus({path}));
        return;
    }
    ShowStageProgress(3, 0);
    // The shown picture's companion, as its counts and tables are.
    WriteMadeFileOrRaise(path, cube.Cells.data(), cube.Cells.size(), ShownPictureLeave());
    StampShownFile(path);
    ShowStageProgress(3, 100);
}

CubeCell CellOfView(int view, int across, int up, int slice) {
    switch (view) {
    case ViewGreenSlice:
        return {up, slice, across};
    case ViewRedSlice:
        return {slice, up, across};
    default:
        return {across, up, slice};
    }
}

uint32_t CubeCellPixel(int coloring, int count, int red, int green, int blue) {
    switch (coloring) {
    case ColorCoded:
        if (count <= 3) return PixelOfColor(0xFF0000u);
        if (count <= 6) return PixelOfColor(0x008000u);
        if (count <= 10) return PixelOfColor(0x0000FFu);
        return PixelOfColor(0xFF00FFu);
    case ColorAllBlack:
        return BlackPixel;
    default:
        return PackPixel(static_cast<uint8_t>(red), static_cast<uint8_t>(green),
                         static_cast<uint8_t>(blue));
    }
}

int PaintCubeSlice(const ColorCube& cube, int view, int slice, int coloring, Picture& out,
                   const RowProgress& progress) {
    out.Resize(ScatterSide, ScatterSide);
    if (cube.Empty()) return 0;
    slice = std::clamp(slice, 0, 255);
    int largest = 0;
    for (int up = 0; up < 256; ++up) {
        uint32_t* row = out.Row(255 - up);
        for (int across = 0; across < 256; ++across) {
            const CubeCell c = CellOfView(view, across, up, slice);
            const int count = cube.At(c.Red, c.Green, c.Blue);
            largest = std::max(largest, count);
            row[across] =
                count == 0 ? WhitePixel : CubeCellPixel(coloring, count, c.Red, c.Green, c.Blue);
        }
        if (progress) progress(Percent(up, 255));
    }
    return largest;
}

int OverlayCubeSlices(const ColorCube& cube, int view, int coloring, Picture& out) {
    FillWhite(out);
    if (cube.Empty()) return 0;
    int largest = 0;
    for (int slice = 0; slice < 256; ++slice)
        for (int up = 0; up < 256; ++up) {
            uint32_t* row = out.Row(255 - up);
            for (int across = 0; across < 256; ++across) {
                const CubeCell c = CellOfView(view, across, up, slice);
                const int count = cube.At(c.Red, c.Green, c.Blue);
                if (count == 0) continue;
                largest = std::max(largest, count);
                row[across] = CubeCellPixel(coloring, count, c.Red, c.Green, c.Blue);
            }
        }
    return largest;
}

bool PaintImageCounts(const ColorCube& cube, int view, int coloring, Picture& out) {
    if (cube.Empty()) return false;
    CopyImageForReading();
    if (!ImageBuffersLocked) return false;
    FillWhite(out);
    const int32_t width = ImageMaxX + 1;
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        const uint8_t* p = WorkRow(y);
        for (int32_t x = 0; x < width; ++x, p += 3) {
            const int r = p[2], g = p[1], b = p[0];
            // The view orders the bands that index the cube, not where the point goes.
            const std::array<int, 3> index = view == ViewGreenSlice ? std::array{g, b, r}
                                             : view == ViewRedSlice ? std::array{b, g, r}
                                                                    : std::array{r, g, b};
            const int count = cube.At(index[0], index[1], index[2]);
            if (count != 0)
                out.At(r, 255 - g) = CubeCellPixel(coloring, count, index[0], index[1], index[2]);
        }
        ShowStageProgress(2, RowPercent(y, ImageMaxY));
    }
    UnlockImageBuffers();
    ShowStageProgress(4, 100);
    return true;
}
