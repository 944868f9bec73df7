#include "histogram/vClassDisplay.h"

#include "histogram/vSeedBreaks.h"
#include "shell/vGlobal.h"
#include "shell/vToolModes.h"

#include <bit>

namespace {

constexpr int NoToggleMessage = 39;

// Bit k (1..9) set when a value passes the test of class k for this row.
using ClassMasks = std::array<uint16_t, 256>;

ClassMasks MasksOf(const SeedBreakRow& row) {
    ClassMasks masks{};
    for (int v = 0; v < 256; ++v) {
        uint16_t m = 0;
        if (v <= row[1]) m |= 1u << 1;
        for (int k = 2; k <= 8; ++k)
            if (row[k - 1] < v && v <= row[k]) m |= static_cast<uint16_t>(1u << k);
        if (v > row[8]) m |= 1u << 9;
        masks[v] = m;
    }
    return masks;
}

// The class of a mask: its lowest class bit, 0 for none.
int ClassOfMask(uint16_t m) {
    return m == 0 ? 0 : std::countr_zero(m);
}

struct Bgr {
    uint8_t B, G, R;
};

Bgr BgrOf(uint32_t color) {
    return {static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 8),
            static_cast<uint8_t>(color)};
}

// Per class 0..9 the bytes written; class 0 is the default colour.
std::array<Bgr, 10> ClassBytes() {
    std::array<Bgr, 10> bytes{};
    bytes[0] = BgrOf(DefaultClassColor());
    for (int k = 1; k <= ClassCount; ++k)
        bytes[static_cast<size_t>(k)] = BgrOf(ClassColorOf(k));
    return bytes;
}

void PutClass(uint8_t* dst, const Bgr& c) {
    dst[0] = c.B;
    dst[1] = c.G;
    dst[2] = c.R;
}

// The colour of each value of one band, looked up once per pixel.
void PaintBandRow(const uint8_t* src, uint8_t* dst, int32_t width,
                  const std::array<Bgr, 256>& colors, int channel) {
    for (int32_t x = 0; x < width; ++x, src += 3, dst += 3)
        PutClass(dst, colors[src[channel]]);
}

void PaintBgrRow(const uint8_t* src, uint8_t* dst, int32_t width,
                 const std::array<ClassMasks, BandCount>& masks, const std::array<Bgr, 10>& bytes) {
    for (int32_t x = 0; x < width; ++x, src += 3, dst += 3) {
        const uint16_t m =
            masks[BandRed][src[2]] & masks[BandGreen][src[1]] & masks[BandBlue][src[0]];
        PutClass(dst, bytes[static_cast<size_t>(ClassOfMask(m))]);
    }
}

} // namespace

uint32_t ClassColorOf(int k) {
    static constexpr std::array<int, 10> entry{0, 0, 1, 2, 3, 4, 5, 7, 6, 8};
    if (k < 1) k = 1;
    return ClassColors[static_cast<size_t>(entry[static_cast<size_t>(k > 9 ? 9 : k)])];
}

uint32_t DefaultClassColor() {
    return ColorSettings[1];
}

int ClassOfValue(const SeedBreakRow& row, int v) {
    return ClassOfMask(MasksOf(row)[static_cast<size_t>(v & 0xFF)]);
}

std::array<uint8_t, 256> SteppedClasses(const SeedBreakRow& row) {
    std::array<uint8_t, 256> classes{};
    int k = 1;
    for (int v = 0; v < 256; ++v) {
        if (k <= 9 && v > row[static_cast<size_t>(k)]) ++k;
        classes[static_cast<size_t>(v)] = static_cast<uint8_t>(k);
    }
    return classes;
}

void SelectClassToggle(int item) {
    ToggleBlue = item == ToggleItemBlue;
    ToggleGreen = item == ToggleItemGreen;
    ToggleRed = item == ToggleItemRed;
    ToggleRGB = item == ToggleItemBGR;
}

int ClassToggleItemOf(int current) {
    if (ToggleRGB) return ToggleItemBGR;
    if (ToggleRed) return ToggleItemRed;
    if (ToggleGreen) return ToggleItemGreen;
    if (ToggleBlue) return ToggleItemBlue;
    return current;
}

void SelectClassBreaks(int method) {
    if (method < 0 || method >= SeedMethodCount) return;
    for (int band = 0; band < BandCount; ++band)
        CurrentClassBreaks[static_cast<size_t>(band)] =
            SeedBreakTables[static_cast<size_t>(band)][static_cast<size_t>(method)];
}

void ShowClassesDisplay(int32_t) {
    if (!ToggleRed && !ToggleGreen && !ToggleBlue && !ToggleRGB) {
        ShowMessageNumber(NoToggleMessage);
        return;
    }
    if (!WorkImageBuffer || !UndoImageBuffer || !ImageBuffersAllocated) return;
    std::array<ClassMasks, BandCount> masks;
    for (size_t b = 0; b < masks.size(); ++b)
        masks[b] = MasksOf(CurrentClassBreaks[b]);
    // Buffer bytes are blue, green, red: the channel of a band is 2 - band.
    const int band = ToggleRed ? BandRed : (ToggleGreen ? BandGreen : (ToggleBlue ? BandBlue : -1));
    const int channel = band < 0 ? 0 : 2 - band;
    const std::array<Bgr, 10> bytes = ClassBytes();
    std::array<Bgr, 256> bandColors{};
    if (band >= 0)
        for (size_t v = 0; v < bandColors.size(); ++v)
            bandColors[v] =
                bytes[static_cast<size_t>(ClassOfMask(masks[static_cast<size_t>(band)][v]))];
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        if (band < 0)
            PaintBgrRow(UndoRow(y), WorkRow(y), ImageMaxX + 1, masks, bytes);
        else
            PaintBandRow(UndoRow(y), WorkRow(y), ImageMaxX + 1, bandColors, channel);
        ShowProgress(RowPercent(y, ImageMaxY));
    }
    if (ClassMethodCycleMode) ShowProcessedImage();
}
