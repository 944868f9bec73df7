// Density slicing: threshold grading, the dominant-channel and ordering slices.
#include "histogram/vUISOHO.h"

namespace soho {

namespace {

// The class of v against bounds t div 2, t, 2t, 3t, 4t (and 5t for grades): the first bound v
// lies below, counted from 1; past the last, one more.
template <size_t Bounds> std::array<uint8_t, 256> Classes(int32_t t) {
    const int64_t t64 = t;
    const std::array<int64_t, 6> bounds{t64 / 2, t64, 2 * t64, 3 * t64, 4 * t64, 5 * t64};
    std::array<uint8_t, 256> out{};
    for (int v = 0; v < 256; ++v) {
        size_t k = 0;
        while (k < Bounds && v >= bounds[k])
            ++k;
        out[v] = static_cast<uint8_t>(k + 1);
    }
    return out;
}

// Dominant channel x grade, or largest of the ordering into its middle channel.
void GradeDominant(int32_t t) {
    const auto grade = ThresholdGrades(t);
    SliceFrame([&grade](uint8_t* out, int r, int g, int b) {
        const int rgb[3] = {r, g, b};
        const int d = Dominant(r, g, b);
        out[0] = out[1] = out[2] = 0;
        out[d] = GradeLevels[grade[rgb[d]] - 1];
    });
}

void GradeOrdering(int32_t t) {
    const auto grade = ThresholdGrades(t);
    SliceFrame([&grade](uint8_t* out, int r, int g, int b) {
        const int rgb[3] = {r, g, b};
        const Ordering o = OrderingOf(r, g, b);
        out[0] = out[1] = out[2] = 0;
        out[o.Middle] = GradeLevels[grade[rgb[o.Largest]] - 1];
    });
}

// Keeps the pixel with its dominant channel set to the bucket's level when its slice number
// (6 per channel) is n, else white.
void SliceDominant(uint8_t n, const std::array<uint8_t, 256>& bucket) {
    SliceFrame([&bucket, n](uint8_t* out, int r, int g, int b) {
        const int rgb[3] = {r, g, b};
        const int d = Dominant(r, g, b);
        const int k = bucket[rgb[d]];
        if (6 * d + k != n) {
            out[0] = out[1] = out[2] = 255;
            return;
        }
        out[0] = static_cast<uint8_t>(r);
        out[1] = static_cast<uint8_t>(g);
        out[2] = static_cast<uint8_t>(b);
        out[d] = BucketLevels[k - 1];
    });
}

void SliceOrdering(uint8_t n, const std::array<uint8_t, 256>& bucket) {
    SliceFrame([&bucket, n](uint8_t* out, int r, int g, int b) {
        const int rgb[3] = {r, g, b};
        const Ordering o = OrderingOf(r, g, b);
        const int k = bucket[rgb[o.Largest]];
        if (6 * (o.Number - 1) + k != n) {
            out[0] = out[1] = out[2] = 255;
            return;
        }
        out[0] = static_cast<uint8_t>(r);
        out[1] = static_cast<uint8_t>(g);
        out[2] = static_cast<uint8_t>(b);
        out[o.Middle] = BucketLevels[k - 1];
    });
}

} // namespace

std::array<uint8_t, 256> ThresholdGrades(int32_t t) {
    return Classes<6>(t);
}

std::array<uint8_t, 256> ThresholdBuckets(int32_t t) {
    return Classes<5>(t);
}

std::array<uint8_t, 256> FixedBuckets() {
    static constexpr std::array<int, 5> bounds{25, 50, 100, 150, 200};
    std::array<uint8_t, 256> out{};
    for (int v = 0; v < 256; ++v) {
        int k = 0;
        while (k < 5 && v >= bounds[k])
            ++k;
        out[v] = static_cast<uint8_t>(k + 1);
    }
    return out;
}

} // namespace soho

using namespace soho;

void Do_Europa(int32_t t) {
    GradeDominant(t);
}

void Do_DoDoClass(int32_t t) {
    GradeOrdering(t);
}

void Do_DoDo(int32_t t) {
    GradeOrdering(t);
}

void Do_Class(int32_t t) {
    // Ramp group and entry per dominant channel (red, green, blue) and grade 1..7.
    static constexpr std::array<int, 3> groups{7, 2, 0};
    static constexpr std::array<std::array<int, 7>, 3> entries{{
        {5, 7, 9, 11, 13, 14, 15},
        {6, 8, 10, 11, 12, 14, 15},
        {5, 7, 8, 10, 11, 14, 15},
    }};
    const auto grade = ThresholdGrades(t);
    SliceFrame([&grade](uint8_t* out, int r, int g, int b) {
        const int rgb[3] = {r, g, b};
        const int d = Dominant(r, g, b);
        ColourBytes(ClassColorRamps[groups[d]][entries[d][grade[rgb[d]] - 1]], out);
    });
}

void Do_Tone(int32_t t) {
    const auto grade = ThresholdGrades(t);
    SliceFrame([&grade](uint8_t* out, int r, int g, int b) {
        static constexpr std::array<int, 6> entries{5, 7, 9, 11, 13, 15};
        const int k = grade[std::max(r, std::max(g, b))];
        ColourBytes(k == 7 ? ClassColorRamps[8][15] : ClassColorRamps[3][entries[k - 1]], out);
    });
}

void Do_SetSlice(uint8_t n) {
    SliceDominant(n, FixedBuckets());
}

void Do_SetandSlice(uint8_t n, int32_t t) {
    SliceDominant(n, ThresholdBuckets(t));
}

void Do_SetOSlice(uint8_t n) {
    SliceOrdering(n, FixedBuckets());
}

void Do_SetOSIlice(uint8_t n, int32_t t) {
    SliceOrdering(n, ThresholdBuckets(t));
}
