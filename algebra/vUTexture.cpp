#include "algebra/vUTexture.h"

#include "algebra/vUOutputRange.h"
#include "runtime/RtVector.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define TEXTURE_AVX512 1
#endif

// Buffer rows interleave blue, green and red, so byte i of a row and byte i + 3d are the same
// channel d pixels apart: every window operation below works on the bytes of a row as they lie,
// all three channels at once, with no splitting into planes.

namespace {

constexpr int32_t MaxSize = 9;
using WindowRows = std::array<const uint8_t*, MaxSize>;

// The frame of the texture operators: copy the picture (nothing more when the buffers are not
// ready), passes 0 .. lastPass over buffer rows h .. ImageMaxY - h, each starting with
// `beginPass(pass)`, each row computed by `row(pass, rows, dst)` (rows[r] is undo row
// y + r - h, dst the work row) and reported; an area too small for the window computes nothing.
// Then the border is cleared and the work buffer shown.
template <class BeginPass, class Row, class Report>
void RunTexturePasses(int32_t n, int32_t lastPass, BeginPass&& beginPass, Row&& row,
                      Report&& report) {
    FilterKernelSize = n;
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    const int32_t h = n / 2;
    if (ImageMaxX >= 2 * h && ImageMaxY >= 2 * h) {
        WindowRows rows{};
        for (int32_t pass = 0; pass <= lastPass; ++pass) {
            beginPass(pass);
            for (int32_t y = h; y <= ImageMaxY - h; ++y) {
                for (int32_t r = 0; r < n; ++r)
                    rows[r] = UndoRow(y + r - h);
                row(pass, rows.data(), WorkRow(y));
                report(pass, RowPercent(y, ImageMaxY));
            }
        }
    }
    ClearFilterBorder();
    ShowProcessedImage();
}

template <class Row> void RunTextureRows(int32_t n, Row&& row) {
    RunTexturePasses(
        n, 0, [](int32_t) {},
        [&row](int32_t, const uint8_t* const* rows, uint8_t* dst) { row(rows, dst); },
        [](int32_t, int32_t percent) { ShowProgress(percent); });
}

int32_t RowBytes() {
    return 3 * (ImageMaxX + 1);
}

// ---- Running extremes ----
//
// The extreme of a rectangle is the extreme over its rows of the extremes over its columns, so
// each window extreme is one pass down the rows and one along the row, each a plain byte loop
// the compiler turns into vector minima and maxima.

template <bool Max> inline uint8_t Extreme(uint8_t a, uint8_t b) {
    return Max ? (a > b ? a : b) : (a < b ? a : b);
}

// out[i] := the extreme of rows[0 .. count - 1][i], for i < len.
template <bool Max>
void VerticalExtreme(const uint8_t* const* rows, int32_t count, int32_t len, uint8_t* out) {
    std::memcpy(out, rows[0], static_cast<size_t>(len));
    for (int32_t r = 1; r < count; ++r) {
        const uint8_t* src = rows[r];
        for (int32_t i = 0; i < len; ++i)
            out[i] = Extreme<Max>(out[i], src[i]);
    }
}

// out[i] := the extreme of in[i + 3d] for d = -half .. half, for begin <= i < end.
template <bool Max>
void HorizontalExtreme(const uint8_t* in, int32_t begin, int32_t end, int32_t half, uint8_t* out) {
    const int32_t len = end - begin;
    if (len <= 0) return;
    uint8_t* o = out + begin;
    std::memcpy(o, in + begin - 3 * half, static_cast<size_t>(len));
    for (int32_t d = 1 - half; d <= half; ++d) {
        const uint8_t* src = in + begin + 3 * d;
        for (int32_t i = 0; i < len; ++i)
            o[i] = Extreme<Max>(o[i], src[i]);
    }
}

// The extreme of the whole n x n window of every byte of [begin, end).
template <bool Max>
void WindowExtreme(const uint8_t* const* rows, int32_t n, int32_t len, std::vector<uint8_t>& tmp,
                   uint8_t* out) {
    const int32_t h = n / 2;
    VerticalExtreme<Max>(rows, n, len, tmp.data());
    HorizontalExtreme<Max>(tmp.data(), 3 * h, len - 3 * h, h, out);
}

// ---- Rank selection ----
//
// The value of rank k (1-based, ascending) of a window is the largest c with at least
// need = n * n - k + 1 window values >= c, found without sorting and exact by construction: bit
// by bit from the top, each bit by counting the window values at or above the trial. The 9 x 9
// window takes its top four bits at once from its counts of values >= 16, 32, .., 240, which are
// box sums of column counts kept up to date as the window moves up a row (the counts fall as the
// threshold rises, so the top bits are how many of them reach `need`); for the smaller windows
// keeping those counts costs more than counting their values for the top bits. Each step is done
// for a vector of bytes at a time, with no data-dependent branch.

constexpr int CoarseSteps = 15; // thresholds 16, 32, .., 240
constexpr int32_t CoarseSize = 9;
template <int32_t N> constexpr bool Coarse = N == CoarseSize;

// triples[k - 1][i] += the number of bytes at i, i + 3 and i + 6 (three neighbouring pixels) of
// `came` that are >= 16k, less those of `gone` (when given), for k = 1 .. 15 and i < len - 6.
[[gnu::always_inline]] inline void SlideTriples(uint8_t* triples, const uint8_t* came,
                                                const uint8_t* gone, int32_t len) {
    for (int k = 1; k <= CoarseSteps; ++k) {
        uint8_t* triple = triples + static_cast<size_t>(k - 1) * len;
        const auto t = static_cast<uint8_t>(16 * k);
        for (int32_t i = 0; i + 6 < len; ++i) {
            int d = (came[i] >= t) + (came[i + 3] >= t) + (came[i + 6] >= t);
            if (gone) d -= (gone[i] >= t) + (gone[i + 3] >= t) + (gone[i + 6] >= t);
            triple[i] = static_cast<uint8_t>(triple[i] + d);
        }
    }
}

RT_WIDE_VECTORS void SlideTriplesWide(uint8_t* triples, const uint8_t* came, const uint8_t* gone,
                                      int32_t len) {
    SlideTriples(triples, came, gone, len);
}

#ifdef TEXTURE_AVX512
// Each 64 bytes of the two rows are read once for all fifteen thresholds.
__attribute__((target("avx512f,avx512bw"))) void
SlideTriples512(uint8_t* triples, const uint8_t* came, const uint8_t* gone, int32_t len) {
    const __m512i minusOne = _mm512_set1_epi8(-1);
    const __m512i zero = _mm512_setzero_si512();
    int32_t i = 0;
    for (; i + 6 + 64 <= len; i += 64) {
        const __m512i c[3] = {_mm512_loadu_si512(came + i), _mm512_loadu_si512(came + i + 3),
                              _mm512_loadu_si512(came + i + 6)};
        const __m512i g[3] = {gone ? _mm512_loadu_si512(gone + i) : zero,
                              gone ? _mm512_loadu_si512(gone + i + 3) : zero,
                              gone ? _mm512_loadu_si512(gone + i + 6) : zero};
        for (int k = 1; k <= CoarseSteps; ++k) {
            uint8_t* at = triples + static_cast<size_t>(k - 1) * len + i;
            const __m512i t = _mm512_set1_epi8(static_cast<char>(16 * k));
            __m512i triple = _mm512_loadu_si512(at);
            for (int d = 0; d < 3; ++d) {
                triple =
                    _mm512_mask_sub_epi8(triple, _mm512_cmpge_epu8_mask(c[d], t), triple, minusOne);
                triple =
                    _mm512_mask_add_epi8(triple, _mm512_cmpge_epu8_mask(g[d], t), triple, minusOne);
            }
            _mm512_storeu_si512(at, triple);
        }
    }
    for (; i + 6 < len; ++i)
        for (int k = 1; k <= CoarseSteps; ++k) {
            const int t = 16 * k;
            int d = (came[i] >= t) + (came[i + 3] >= t) + (came[i + 6] >= t);
            if (gone) d -= (gone[i] >= t) + (gone[i + 3] >= t) + (gone[i + 6] >= t);
            uint8_t& triple = triples[static_cast<size_t>(k - 1) * len + i];
            triple = static_cast<uint8_t>(triple + d);
        }
}

bool Lanes512Available() {
    static const bool available =
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
    return available;
}
#endif

void SlideTriplesOf(uint8_t* triples, const uint8_t* came, const uint8_t* gone, int32_t len) {
#ifdef TEXTURE_AVX512
    if (Lanes512Available()) return SlideTriples512(triples, came, gone, len);
#endif
    if (rt::WideVectorsAvailable()) return SlideTriplesWide(triples, came, gone, len);
    SlideTriples(triples, came, gone, len);
}

// For each byte i of a row and each threshold 16k, how many values of at least 16k the window's
// rows hold at i and at the same channel of the two pixels to its right.
class CoarseCounts {
  public:
    void Update(const uint8_t* const* rows, int32_t n, int32_t len) {
        // Moved up one row since the last call: take the row that left, add the row that came.
        const bool slide = Len == len && Rows == n && Next == rows[0];
        if (!slide) {
            Len = len;
            Rows = n;
            Triples.assign(static_cast<size_t>(CoarseSteps) * len, 0);
        }
        if (slide) {
            SlideTriplesOf(Triples.data(), rows[n - 1], Oldest, len);
        } else {
            for (int32_t r = 0; r < n; ++r)
                SlideTriplesOf(Triples.data(), rows[r], nullptr, len);
        }
        Oldest = rows[0];
        Next = rows[1];
    }
    const uint8_t* TriplesOf(int k) const {
        return Triples.data() + static_cast<size_t>(k - 1) * Len;
    }

  private:
    std::vector<uint8_t> Triples;
    int32_t Len = 0, Rows = 0;
    const uint8_t* Oldest = nullptr;
    const uint8_t* Next = nullptr;
};

typedef uint8_t Bytes16 __attribute__((vector_size(16)));
typedef uint8_t Bytes32 __attribute__((vector_size(32)));

template <class V, int32_t N>
[[gnu::always_inline]] inline void SelectRankLanes(const uint8_t* const* rows,
                                                   const CoarseCounts& coarse, int32_t begin,
                                                   int32_t end, uint8_t need, uint8_t* dst) {
    constexpr int32_t L = sizeof(V);
    constexpr int32_t H = N / 2;
    const V needs = V{} + need;
    const V sixteen = V{} + static_cast<uint8_t>(16);
    for (int32_t i = begin; i < end; i += L) {
        const int32_t at = i + L > end ? end - L : i;
        V value = V{};
        for (int k = 1; k <= (Coarse<N> ? CoarseSteps : 0); ++k) {
            const uint8_t* p = coarse.TriplesOf(k) + at - 3 * H;
            V box = V{};
            for (int32_t c = 0; c < N; c += 3) {
                V v;
                std::memcpy(&v, p + 3 * c, L);
                box += v;
            }
            value += (V)(box >= needs) & sixteen;
        }
        for (int bit = Coarse<N> ? 8 : 128; bit > 0; bit >>= 1) {
            const V trial = value | static_cast<uint8_t>(bit);
            // Three counts, so that the additions do not wait on one another.
            V counts[3] = {};
            for (int32_t r = 0; r < N; ++r) {
                const uint8_t* p = rows[r] + at - 3 * H;
                for (int32_t c = 0; c < N; ++c) {
                    V v;
                    std::memcpy(&v, p + 3 * c, L);
                    counts[c % 3] -= (V)(v >= trial);
                }
            }
            const V take = (V)(counts[0] + counts[1] + counts[2] >= needs);
            value = (trial & take) | (value & ~take);
        }
        std::memcpy(dst + at, &value, L);
    }
}

template <int32_t N>
void SelectRankScalar(const uint8_t* const* rows, int32_t begin, int32_t end, uint8_t need,
                      uint8_t* dst) {
    constexpr int32_t H = N / 2;
    for (int32_t i = begin; i < end; ++i) {
        int value = 0;
        for (int bit = 128; bit > 0; bit >>= 1) {
            const int trial = value | bit;
            int count = 0;
            for (int32_t r = 0; r < N; ++r)
                for (int32_t c = 0; c < N; ++c)
                    count += rows[r][i + 3 * (c - H)] >= trial;
            if (count >= need) value = trial;
        }
        dst[i] = static_cast<uint8_t>(value);
    }
}

template <int32_t N>
RT_WIDE_VECTORS void SelectRankWide(const uint8_t* const* rows, const CoarseCounts& coarse,
                                    int32_t begin, int32_t end, uint8_t need, uint8_t* dst) {
    SelectRankLanes<Bytes32, N>(rows, coarse, begin, end, need, dst);
}

#ifdef TEXTURE_AVX512
// The same with 64 lanes, where a comparison gives a mask that adds to a count directly.
template <int32_t N>
__attribute__((target("avx512f,avx512bw"))) void
SelectRank512(const uint8_t* const* rows, const CoarseCounts& coarse, int32_t begin, int32_t end,
              uint8_t need, uint8_t* dst) {
    constexpr int32_t L = 64;
    constexpr int32_t H = N / 2;
    const __m512i needs = _mm512_set1_epi8(static_cast<char>(need));
    const __m512i minusOne = _mm512_set1_epi8(-1);
    const __m512i sixteen = _mm512_set1_epi8(16);
    for (int32_t i = begin; i < end; i += L) {
        const int32_t at = i + L > end ? end - L : i;
        __m512i value = _mm512_setzero_si512();
        for (int k = 1; k <= (Coarse<N> ? CoarseSteps : 0); ++k) {
            const uint8_t* p = coarse.TriplesOf(k) + at - 3 * H;
            __m512i box = _mm512_setzero_si512();
            for (int32_t c = 0; c < N; c += 3)
                box = _mm512_add_epi8(box, _mm512_loadu_si512(p + 3 * c));
            value = _mm512_mask_add_epi8(value, _mm512_cmpge_epu8_mask(box, needs), value, sixteen);
        }
        for (int bit = Coarse<N> ? 8 : 128; bit > 0; bit >>= 1) {
            const __m512i trial = _mm512_or_si512(value, _mm512_set1_epi8(static_cast<char>(bit)));
            __m512i counts[3] = {_mm512_setzero_si512(), _mm512_setzero_si512(),
                                 _mm512_setzero_si512()};
            for (int32_t r = 0; r < N; ++r) {
                const uint8_t* p = rows[r] + at - 3 * H;
                for (int32_t c = 0; c < N; ++c) {
                    const __mmask64 above =
                        _mm512_cmpge_epu8_mask(_mm512_loadu_si512(p + 3 * c), trial);
                    counts[c % 3] =
                        _mm512_mask_sub_epi8(counts[c % 3], above, counts[c % 3], minusOne);
                }
            }
            const __m512i count = _mm512_add_epi8(_mm512_add_epi8(counts[0], counts[1]), counts[2]);
            value = _mm512_mask_mov_epi8(value, _mm512_cmpge_epu8_mask(count, needs), trial);
        }
        _mm512_storeu_si512(dst + at, value);
    }
}
#endif

template <int32_t N>
void SelectRankOf(const uint8_t* const* rows, const CoarseCounts& coarse, int32_t begin,
                  int32_t end, uint8_t need, uint8_t* dst) {
#ifdef TEXTURE_AVX512
    if (end - begin >= 64 && Lanes512Available())
        return SelectRank512<N>(rows, coarse, begin, end, need, dst);
#endif
    if (end - begin >= 32 && rt::WideVectorsAvailable())
        SelectRankWide<N>(rows, coarse, begin, end, need, dst);
    else if (end - begin >= 16)
        SelectRankLanes<Bytes16, N>(rows, coarse, begin, end, need, dst);
    else
        SelectRankScalar<N>(rows, begin, end, need, dst);
}

// Every byte of [begin, end) := rank `rank` of its n x n window; `coarse` holds the counts of
// this window band.
void SelectRank(const uint8_t* const* rows, const CoarseCounts& coarse, int32_t n, int32_t begin,
                int32_t end, int32_t rank, uint8_t* dst) {
    const auto need = static_cast<uint8_t>(n * n - rank + 1);
    switch (n) {
    case 3:
        return SelectRankOf<3>(rows, coarse, begin, end, need, dst);
    case 5:
        return SelectRankOf<5>(rows, coarse, begin, end, need, dst);
    case 7:
        return SelectRankOf<7>(rows, coarse, begin, end, need, dst);
    default:
        return SelectRankOf<9>(rows, coarse, begin, end, need, dst);
    }
}

// ---- Top hat and rolling ball ----

// The extremes of the four corner cells and of the other cells of every byte's window.
struct GroupExtremes {
    std::vector<uint8_t> Edges, Inner, CoreA, CoreB, Corner;
    explicit GroupExtremes(int32_t len)
        : Edges(len), Inner(len), CoreA(len), CoreB(len), Corner(len) {}

    template <bool Max> void Compute(const uint8_t* const* rows, int32_t n, int32_t len) {
        const int32_t h = n / 2, begin = 3 * h, end = len - 3 * h;
        const uint8_t* edgeRows[2] = {rows[0], rows[n - 1]};
        VerticalExtreme<Max>(edgeRows, 2, len, Edges.data());
        VerticalExtreme<Max>(rows + 1, n - 2, len, Inner.data());
        HorizontalExtreme<Max>(Inner.data(), begin, end, h, CoreA.data());
        HorizontalExtreme<Max>(Edges.data(), begin, end, h - 1, CoreB.data());
        for (int32_t i = begin; i < end; ++i) {
            CoreA[i] = Extreme<Max>(CoreA[i], CoreB[i]);
            Corner[i] = Extreme<Max>(Edges[i - 3 * h], Edges[i + 3 * h]);
        }
    }
};

// ---- Variance ----

// sums[i - begin] := the sum of the squared differences above 1 between byte i and the cells of
// its window off the centre row and column.
void VarianceSums(const uint8_t* const* rows, int32_t n, int32_t begin, int32_t end,
                  int32_t* sums) {
    const int32_t h = n / 2, len = end - begin;
    std::fill(sums, sums + len, 0);
    const uint8_t* centre = rows[h] + begin;
    for (int32_t r = 0; r < n; ++r) {
        if (r == h) continue;
        for (int32_t c = 0; c < n; ++c) {
            if (c == h) continue;
            const uint8_t* cell = rows[r] + begin + 3 * (c - h);
            for (int32_t i = 0; i < len; ++i) {
                const int32_t d = centre[i] - cell[i];
                const int32_t d2 = d * d;
                sums[i] += d2 > 1 ? d2 : 0;
            }
        }
    }
}

template <RangeStep S>
void MapVarianceRow(const int32_t* sums, int32_t len, int32_t begin, OutputRange& out,
                    uint8_t* dst) {
    for (int32_t i = 0; i < len; ++i) {
        ChannelRange& channel = out.Channels[static_cast<size_t>((begin + i) % 3)];
        const double sum = sums[i];
        if constexpr (S == RangeStep::Gather) {
            channel.Track(sum);
        } else if constexpr (S == RangeStep::Stretch) {
            // A channel whose every sum was the same has no spread to stretch: it is flat, and
            // writes 0 rather than ending the run on a division by zero.
            dst[begin + i] = channel.Range == 0.0
                                 ? 0
                                 : static_cast<uint8_t>(OutputValue<S>(sum, out.Steps, channel));
        } else if constexpr (StepWrites<S>) {
            const double s = std::sqrt(sum < 1.0 ? 1.0 : sum);
            dst[begin + i] = static_cast<uint8_t>(OutputValue<S>(s, out.Steps, channel));
        }
    }
}

// ---- Slope direction ----

struct SlopeCell {
    int32_t Row, Column;
    uint8_t Code;
};
// In the order the cells are tried; the last is taken when no earlier one holds the minimum.
constexpr SlopeCell SlopeCells[9] = {{0, 0, 160},  {1, 1, 250},  {1, 0, 170},
                                     {1, -1, 120}, {0, 1, 240},  {0, -1, 110},
                                     {-1, 1, 230}, {-1, 0, 150}, {-1, -1, 100}};

void SlopeDirRow(const uint8_t* const* rows, int32_t len, uint8_t* dst) {
    for (int32_t i = 3; i < len - 3; ++i) {
        uint8_t m = 255;
        for (int32_t r = 0; r < 3; ++r)
            for (int32_t c = -1; c <= 1; ++c)
                m = std::min(m, rows[r][i + 3 * c]);
        uint8_t code = SlopeCells[8].Code;
        for (int k = 0; k < 8; ++k)
            if (rows[1 + SlopeCells[k].Row][i + 3 * SlopeCells[k].Column] == m) {
                code = SlopeCells[k].Code;
                break;
            }
        dst[i] = code;
    }
}

} // namespace

int32_t TextureSizeOf(int32_t value) {
    if (value % 2 == 0 && value < MaxSize) ++value;
    return std::clamp(value, 3, MaxSize);
}

int32_t TextureHeightOf(int32_t value) {
    return std::clamp(value, 3, 45);
}

void DoTextureRank(uint8_t Op, int32_t N) {
    const int32_t n = TextureSizeOf(N);
    const int32_t h = n / 2;
    std::vector<uint8_t> low, high;
    CoarseCounts coarse;
    RunTextureRows(n, [&](const uint8_t* const* rows, uint8_t* dst) {
        const int32_t len = RowBytes(), begin = 3 * h, end = len - 3 * h;
        low.resize(static_cast<size_t>(len));
        high.resize(static_cast<size_t>(len));
        switch (Op) {
        case 1: // the largest of the window, as the button has always given
            WindowExtreme<true>(rows, n, len, high, dst);
            break;
        case 2:
            WindowExtreme<false>(rows, n, len, low, dst);
            break;
        case 3:
            // The middle value of the n * n: the rank n * n div 2 of the 1-based list would be the
            // one below it.
            if (n == CoarseSize) coarse.Update(rows, n, len);
            SelectRank(rows, coarse, n, begin, end, (n * n + 1) / 2, dst);
            break;
        case 4: // the smallest minus the largest would be black everywhere: the spread instead
        case 5: {
            WindowExtreme<true>(rows, n, len, high, dst);
            WindowExtreme<false>(rows, n, len, high, low.data());
            for (int32_t i = begin; i < end; ++i)
                dst[i] = static_cast<uint8_t>(dst[i] - low[i]);
            break;
        }
        default:
            std::memset(dst + begin, 0, static_cast<size_t>(end - begin));
            break;
        }
    });
}

void DoATexture(uint8_t Op, int32_t N, int32_t Height) {
    const int32_t n = TextureSizeOf(N);
    const int32_t h = n / 2;
    const bool infrared = Op == 3 || Op == 4;
    const bool topHat = Op == 1 || Op == 3;
    GroupExtremes low(0), high(0);
    RunTextureRows(n, [&](const uint8_t* const* rows, uint8_t* dst) {
        const int32_t len = RowBytes();
        if (low.Edges.size() != static_cast<size_t>(len)) low = high = GroupExtremes(len);
        if (Op < 1 || Op > 4) {
            std::memset(dst + 3 * h, 0, static_cast<size_t>(len - 6 * h));
            return;
        }
        if (topHat)
            low.Compute<false>(rows, n, len);
        else
            high.Compute<true>(rows, n, len);
        const uint8_t* centre = rows[h];
        for (int32_t x = 3 * h; x < len - 3 * h; x += 3) {
            // Where red outweighs blue and green together (vegetation in the infrared), a
            // quarter of the height decides.
            const bool redder = infrared && centre[x] + centre[x + 1] < centre[x + 2];
            const int32_t t = redder ? Height / 4 : Height;
            for (int32_t i = x; i < x + 3; ++i) {
                const bool cleared =
                    topHat ? low.Corner[i] + t > low.CoreA[i] : high.Corner[i] > high.CoreA[i] - t;
                dst[i] = cleared ? 0 : centre[i];
            }
        }
    });
}

void DoTextureVariance(int32_t LastPass, int32_t N) {
    const int32_t n = TextureSizeOf(N);
    const int32_t h = n / 2;
    OutputRange out(HonouredOptions{}, MinimumPrecision::Double);
    const bool twoParts = AutoRangeOption;
    std::vector<int32_t> sums;
    RunTexturePasses(
        n, std::min(LastPass, 1), [&out](int32_t) { out.BeginPass(); },
        [&](int32_t pass, const uint8_t* const* rows, uint8_t* dst) {
            const int32_t begin = 3 * h, len = RowBytes() - 6 * h;
            sums.resize(static_cast<size_t>(len));
            VarianceSums(rows, n, begin, begin + len, sums.data());
            switch (out.StepOfPass(pass)) {
            case RangeStep::Gather:
                return MapVarianceRow<RangeStep::Gather>(sums.data(), len, begin, out, dst);
            case RangeStep::Stretch:
                return MapVarianceRow<RangeStep::Stretch>(sums.data(), len, begin, out, dst);
            case RangeStep::BelowZero:
                return MapVarianceRow<RangeStep::BelowZero>(sums.data(), len, begin, out, dst);
            case RangeStep::Scale0To255:
                return MapVarianceRow<RangeStep::Scale0To255>(sums.data(), len, begin, out, dst);
            case RangeStep::Clip:
                return MapVarianceRow<RangeStep::Clip>(sums.data(), len, begin, out, dst);
            case RangeStep::Discard:
                return;
            }
        },
        [twoParts](int32_t pass, int32_t percent) {
            if (!twoParts)
                ShowProgress(percent);
            else if (pass == 0)
                ShowPartProgress(1, percent, ProcessMinValue, ProcessMaxValue);
            else
                ShowPartProgress(2, percent, 0.0, 0.0);
        });
}

void DoSlopeDir() {
    RunTextureRows(
        3, [](const uint8_t* const* rows, uint8_t* dst) { SlopeDirRow(rows, RowBytes(), dst); });
}

const std::array<TextureCommand, 12> TextureCommands = {{
    {351, TextureArgs::Size, 1, 0},
    {352, TextureArgs::Size, 2, 0},
    {353, TextureArgs::TwoSizes, 2, 1},
    {354, TextureArgs::TwoSizes, 1, 2},
    {355, TextureArgs::Size, 3, 0},
    {356, TextureArgs::Size, 4, 0},
    {357, TextureArgs::Size, 5, 0},
    {358, TextureArgs::Variance, 0, 0},
    {359, TextureArgs::SizeHeight, 1, 0},
    {360, TextureArgs::SizeHeight, 2, 0},
    {361, TextureArgs::SizeHeight, 3, 0},
    {362, TextureArgs::SizeHeight, 4, 0},
}};

const TextureCommand* FindTextureCommand(int32_t code) {
    for (const TextureCommand& c : TextureCommands)
        if (c.Code == code) return &c;
    return nullptr;
}

void RunTextureCommand(const TextureCommand& command, int32_t first, int32_t second) {
    const int32_t n = TextureSizeOf(first);
    switch (command.Args) {
    case TextureArgs::Size:
        DoTextureRank(command.Op, n);
        break;
    case TextureArgs::TwoSizes:
        RunAsOneUndoStep([&] {
            DoTextureRank(command.Op, n);
            DoTextureRank(command.SecondOp, TextureSizeOf(second));
        });
        break;
    case TextureArgs::SizeHeight:
        DoATexture(command.Op, n, TextureHeightOf(second));
        break;
    case TextureArgs::Variance:
        DoTextureVariance(second, n);
        break;
    }
}
