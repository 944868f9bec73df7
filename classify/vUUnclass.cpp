#include "classify/vUUnclass.h"

#include "classify/vClassDispatch.h"
#include "histogram/vSeedBreaks.h"
#include "shell/vGlobal.h"

#include <algorithm>

namespace {

struct SlotSlice {
    int Band; // BandRed, BandGreen or BandBlue
    int K;    // slice 1..9 of that band
};
// Slot n (1..20) at index n - 1.
constexpr SlotSlice SlotSlices[StatBoxerSlots] = {
    {BandRed, 1},   {BandRed, 2},   {BandRed, 3},   {BandRed, 4},   {BandRed, 5},
    {BandRed, 6},   {BandRed, 7},   {BandRed, 8},   {BandRed, 9},   {BandBlue, 1},
    {BandGreen, 1}, {BandGreen, 2}, {BandGreen, 3}, {BandGreen, 4}, {BandGreen, 5},
    {BandGreen, 6}, {BandGreen, 7}, {BandGreen, 8}, {BandGreen, 9}, {BandBlue, 2}};
// The order in which the slots wait for their seed.
constexpr int SeedOrder[StatBoxerSlots] = {10, 20, 1,  2,  3,  4,  5,  6,  7,  8,
                                           9,  11, 12, 13, 14, 15, 16, 17, 18, 19};

int ClampLimit(int v) {
    return std::clamp(v, 0, 255);
}

// One slot: its box per band (blue, green, red, the buffer's byte order), count and sums.
struct Slot {
    int Lo[3] = {0, 0, 0};
    int Hi[3] = {0, 0, 0};
    int32_t Count = 0;
    int64_t Sum[3] = {0, 0, 0};
};

// Byte index of a band within a pixel (blue, green, red).
constexpr int ByteOf(int band) {
    return 2 - band;
}

// Both box limits are clamped: with a negative radius the box is empty instead of reaching
// values no byte holds.
void CentreBox(Slot& s, const int centre[3], int32_t r) {
    for (int i = 0; i < 3; ++i) {
        s.Lo[i] =
            ClampLimit(static_cast<int>(std::clamp<int64_t>(int64_t{centre[i]} - r, -1, 256)));
        s.Hi[i] =
            ClampLimit(static_cast<int>(std::clamp<int64_t>(int64_t{centre[i]} + r, -1, 256)));
    }
}

} // namespace

std::array<uint32_t, StatBoxerSlots + 1> StatBoxerColors() {
    std::array<uint32_t, StatBoxerSlots + 1> c{};
    for (int n = 1; n <= 9; ++n)
        c[n] = ClassColorRamps[n - 1][11];
    c[10] = ClassColorRamps[0][9];
    for (int n = 11; n <= 19; ++n)
        c[n] = ClassColorRamps[n - 11][14];
    c[20] = ClassColorRamps[0][15];
    return c;
}

void StatBoxerImage(uint8_t* buffer, int32_t stride, int32_t maxX, int32_t maxY,
                    const StatBoxerSetup& setup, const std::function<void(int32_t)>& progress) {
    std::array<Slot, StatBoxerSlots + 1> slots{};
    // Slice limits of the waiting slots: a seed must lie above the lower limit, up to the upper.
    std::array<int, StatBoxerSlots + 1> sliceLo{}, sliceHi{};
    for (int n = 1; n <= StatBoxerSlots; ++n) {
        const SlotSlice& sl = SlotSlices[n - 1];
        const SeedBreakRow& b = setup.Breaks[sl.Band];
        sliceLo[n] = sl.K == 1 ? 0 : static_cast<uint8_t>(b[sl.K - 1] + 1);
        sliceHi[n] = b[sl.K];
    }
    const size_t rowBytes = static_cast<size_t>(maxX + 1) * 3;

    int next = 0; // index into SeedOrder of the slot waiting for its seed
    for (int32_t y = 0; y <= maxY; ++y) {
        progress(RowPercent(y, maxY));
        if (next == StatBoxerSlots) continue;
        const uint8_t* px = buffer + static_cast<size_t>(y) * stride;
        for (size_t i = 0; i < rowBytes && next < StatBoxerSlots; i += 3) {
            const int n = SeedOrder[next];
            const int v = px[i + ByteOf(SlotSlices[n - 1].Band)];
            if (v <= sliceLo[n] || v > sliceHi[n]) continue;
            Slot& s = slots[n];
            const int value[3] = {px[i], px[i + 1], px[i + 2]};
            s.Count = 1;
            for (int c = 0; c < 3; ++c)
                s.Sum[c] = value[c];
            CentreBox(s, value, setup.Radius);
            ++next;
        }
    }

    std::array<uint8_t[3], StatBoxerSlots + 1> paint{};
    for (int n = 1; n <= StatBoxerSlots; ++n) {
        const uint32_t c = setup.Colors[n];
        paint[n][0] = static_cast<uint8_t>(c >> 16);
        paint[n][1] = static_cast<uint8_t>(c >> 8);
        paint[n][2] = static_cast<uint8_t>(c);
    }
    const uint8_t magenta[3] = {255, 0, 255};
    const bool nearest = setup.Classifier == 1;

    for (int32_t y = 0; y <= maxY; ++y) {
        progress(RowPercent(y, maxY));
        uint8_t* px = buffer + static_cast<size_t>(y) * stride;
        for (size_t i = 0; i < rowBytes; i += 3) {
            const int b = px[i], g = px[i + 1], r = px[i + 2];
            int taken = 0;
            for (int n = 1; n <= StatBoxerSlots; ++n) {
                Slot& s = slots[n];
                if (s.Count <= 0 || b < s.Lo[0] || b > s.Hi[0] || g < s.Lo[1] || g > s.Hi[1] ||
                    r < s.Lo[2] || r > s.Hi[2])
                    continue;
                ++s.Count;
                s.Sum[0] += b;
                s.Sum[1] += g;
                s.Sum[2] += r;
                const int centre[3] = {static_cast<int>(s.Sum[0] / s.Count),
                                       static_cast<int>(s.Sum[1] / s.Count),
                                       static_cast<int>(s.Sum[2] / s.Count)};
                CentreBox(s, centre, setup.Radius);
                taken = n;
                break;
            }
            if (taken == 0 && nearest) {
                int64_t best = 100000;
                taken = 1;
                for (int n = 1; n <= StatBoxerSlots; ++n) {
                    const Slot& s = slots[n];
                    if (s.Count <= 0) continue;
                    const int64_t d = std::abs(r - s.Sum[2] / s.Count) +
                                      std::abs(g - s.Sum[1] / s.Count) +
                                      std::abs(b - s.Sum[0] / s.Count);
                    if (d < best) {
                        best = d;
                        taken = n;
                    }
                }
            }
            const uint8_t* colour = taken ? paint[taken] : magenta;
            px[i] = colour[0];
            px[i + 1] = colour[1];
            px[i + 2] = colour[2];
        }
    }
}

void DoStatBoxer(int32_t Seed, int32_t Classifier, int32_t ClusterRadius, int32_t, int32_t,
                 int32_t) {
    if (Seed < 0 || Seed >= SeedMethodCount) return;
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    StatBoxerSetup setup;
    for (int band = 0; band < BandCount; ++band)
        setup.Breaks[band] = SeedBreakTables[band][static_cast<size_t>(Seed)];
    setup.Colors = StatBoxerColors();
    setup.Radius = ClusterRadius;
    setup.Classifier = Classifier;
    StatBoxerImage(WorkImageBuffer, ImageRowStride, ImageMaxX, ImageMaxY, setup, ShowProgress);
    ShowProcessedImage();
    RefreshSitePage();
}
