#include "classify/vUUnclass.h"

#include "classify/vClassDispatch.h"
#include "histogram/vSeedBreaks.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

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

// The slots' boxes: per band value, one bit per seeded slot whose box holds that value (bit
// n - 1 for slot n), so that the first box holding a pixel is the lowest bit of three ANDed
// masks. With each slot its centre (the running mean), count and sums; bands in the buffer's
// byte order (blue, green, red).
class SlotBoxes {
  public:
    explicit SlotBoxes(int32_t radius) : Radius(radius) {
        std::fill(std::begin(Unseeded), std::end(Unseeded), int16_t{0x7FFF});
    }

    // The slot's box around `centre`. Both limits are clamped: with a negative radius the box
    // is empty instead of reaching values no byte holds.
    void Place(int n, const int centre[3]) {
        for (int i = 0; i < 3; ++i) {
            if (Seeded & Bit(n) && Near[i][n - 1] == centre[i]) continue;
            if (Seeded & Bit(n)) Mark(i, n, false);
            Near[i][n - 1] = static_cast<int16_t>(centre[i]);
            Lo[n][i] = Limit(int64_t{centre[i]} - Radius);
            Hi[n][i] = Limit(int64_t{centre[i]} + Radius);
            Mark(i, n, true);
        }
        Seeded |= Bit(n);
        Unseeded[n - 1] = 0;
    }
    void Seed(int n, const uint8_t* px) {
        const int value[3] = {px[0], px[1], px[2]};
        Count[n] = 1;
        for (int i = 0; i < 3; ++i)
            Sum[n][i] = value[i];
        Place(n, value);
    }
    // The first slot whose box holds the pixel, 0 for none.
    int Holding(const uint8_t* px) const {
        const uint32_t m = Masks[0][px[0]] & Masks[1][px[1]] & Masks[2][px[2]];
        return m ? std::countr_zero(m) + 1 : 0;
    }
    // The pixel joins slot n and its box follows the new mean.
    void Take(int n, const uint8_t* px) {
        const int32_t count = ++Count[n];
        int centre[3];
        for (int i = 0; i < 3; ++i)
            centre[i] = static_cast<int>((Sum[n][i] += px[i]) / count);
        Place(n, centre);
    }
    // The seeded slot with the nearest centre; ties and no seeded slot give the lowest number.
    // Every distance is worked out in 16-bit lanes (an unseeded slot's is forced to 0x7FFF,
    // above any real distance of at most 765), then the first smallest is taken: no branch on
    // the pixel's values, and the loops vectorise.
    int Nearest(const uint8_t* px) const {
        alignas(32) int16_t d[Lanes];
        const int16_t b = px[0], g = px[1], r = px[2];
        for (int k = 0; k < Lanes; ++k) {
            const int16_t db = static_cast<int16_t>(b - Near[0][k]);
            const int16_t dg = static_cast<int16_t>(g - Near[1][k]);
            const int16_t dr = static_cast<int16_t>(r - Near[2][k]);
            d[k] = static_cast<int16_t>((std::max<int16_t>(db, static_cast<int16_t>(-db)) +
                                         std::max<int16_t>(dg, static_cast<int16_t>(-dg)) +
                                         std::max<int16_t>(dr, static_cast<int16_t>(-dr))) |
                                        Unseeded[k]);
        }
        int16_t smallest = d[0];
        for (int k = 1; k < Lanes; ++k)
            smallest = std::min(smallest, d[k]);
        int k = 0;
        while (d[k] != smallest)
            ++k;
        return k + 1;
    }

  private:
    static uint32_t Bit(int n) { return 1u << (n - 1); }
    static int Limit(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, 0, 255)); }
    void Mark(int band, int n, bool on) {
        for (int v = Lo[n][band]; v <= Hi[n][band]; ++v)
            Masks[band][v] = on ? Masks[band][v] | Bit(n) : Masks[band][v] & ~Bit(n);
    }

    int32_t Radius;
    uint32_t Seeded = 0;
    std::array<std::array<uint32_t, 256>, 3> Masks{};
    // The centres by band, slot n at n - 1, in the lanes of Nearest.
    static constexpr int Lanes = 32;
    alignas(32) int16_t Near[3][Lanes] = {};
    alignas(32) int16_t Unseeded[Lanes];
    int Lo[StatBoxerSlots + 1][3] = {};
    int Hi[StatBoxerSlots + 1][3] = {};
    int32_t Count[StatBoxerSlots + 1] = {};
    // 64 bits: a slot of a large picture passes 2^31 and its mean must not wrap.
    int64_t Sum[StatBoxerSlots + 1][3] = {};
};

// Byte index of a band within a pixel (blue, green, red).
constexpr int ByteOf(int band) {
    return 2 - band;
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
    SlotBoxes slots(setup.Radius);
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
            slots.Seed(n, px + i);
            ++next;
        }
    }

    std::array<std::array<uint8_t, 3>, StatBoxerSlots + 1> paint{};
    paint[0] = {255, 0, 255}; // unclassified, blue green red
    for (int n = 1; n <= StatBoxerSlots; ++n) {
        const uint32_t c = setup.Colors[n];
        paint[n] = {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                    static_cast<uint8_t>(c)};
    }
    const bool nearest = setup.Classifier == 1;

    for (int32_t y = 0; y <= maxY; ++y) {
        progress(RowPercent(y, maxY));
        uint8_t* px = buffer + static_cast<size_t>(y) * stride;
        for (size_t i = 0; i < rowBytes; i += 3) {
            int n = slots.Holding(px + i);
            if (n)
                slots.Take(n, px + i);
            else if (nearest)
                n = slots.Nearest(px + i);
            px[i] = paint[n][0];
            px[i + 1] = paint[n][1];
            px[i + 2] = paint[n][2];
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
    StatBoxerImage(WorkImageBuffer, ImageRowStride, ImageMaxX, ImageMaxY, setup, ShowClassProgress);
    ShowProcessedImage();
    RefreshSitePage();
    ShowClassProgress(0);
}
