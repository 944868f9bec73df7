#include "bandproc/vBandStats.h"

#include "bandproc/vUPrepare.h"
#include "histogram/vUHistoCC.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobalMessages.h"

#include <algorithm>
#include <climits>
#include <cmath>

TStatsReference BandStatsReference;

namespace {

constexpr int StatsMismatchMessage = 39981;
constexpr int BadSizeMessage = 36;

// A correction's result as a table byte: an overflow stays at its end of 0..255 (a power that
// overflows to infinity is white) and a result that is not a number is black.
uint8_t CorrectionByte(double r) {
    if (std::isnan(r)) return 0;
    return ProductByte(std::clamp(r, 0.0, 255.0));
}

void Report(const RowProgress& progress, int64_t rowsDone, int64_t rows) {
    if (progress) progress(RowGauge(rowsDone, rows));
}

// Histogram equalisation over `levels` output levels: each grey value goes through the band's
// cumulative count, at the middle of its own samples, onto a level, and level L is the grey
// L x 256 / levels, so the band spreads over the levels. Taking each level to the value where the
// running total of value x count reached it inverted the distribution instead and squeezed every
// band towards its middle.
void Equalise(int32_t levels, const BandHistogram& counts, CorrectionTable& lut) {
    levels = std::clamp(levels, 1, EqualiseAllLevels);
    int64_t total = 0;
    for (const auto c : counts)
        total += c;
    int64_t below = 0;
    for (int v = 0; v < 256; ++v) {
        const int64_t through = below + counts[v];
        const int64_t level =
            total == 0 ? v * levels / 256
                       : std::min<int64_t>(levels - 1, levels * (below + through) / (2 * total));
        lut[v] = static_cast<uint8_t>(level * 256 / levels);
        below = through;
    }
}

} // namespace

StatsRecord DoAllStats(const BandHistogram& counts, int64_t pixels, TStatsReference& reference) {
    const BandStatistics f = BandFigures(counts);
    const BandSpreadRecord spread = Spread(counts, f);
    StatsRecord s;
    s.Min = f.Min;
    s.Max = f.Max;
    s.Mean = f.Mean;
    s.Median = f.Median;
    s.Mode = f.Mode;
    s.Sum = f.Sum;
    s.Num = f.Count;
    s.Range = f.Range;
    s.Variance = spread.Variance;
    s.SD = spread.SD;
    if (reference.Minimum == 255) reference.Minimum = s.Min;
    if (reference.Range == 0) reference.Range = s.Range;
    if (s.Num != pixels) ShowMessageNumber(StatsMismatchMessage);
    return s;
}

CorrectionTable DoLUT(const TCorrection& c, const TStatsReference& reference,
                      const BandHistogram& bandCounts) {
    CorrectionTable lut{};
    if (c.Number == 3) {
        Equalise(c.P, bandCounts, lut);
        return lut;
    }
    const double P = c.P;
    const double s = c.Positive ? 1.0 : -1.0;
    const double span = c.Q - c.P == 0 ? 1.0 : static_cast<double>(c.Q - c.P);
    for (int i = 0; i < 256; ++i) {
        const double v = i;
        double r = v;
        switch (c.Number) {
        case 1:
            r = (v - reference.Minimum) / reference.Range * 256.0;
            break;
        case 2:
            r = (v - P) / span * 256.0;
            break;
        case 4:
            r = 255.0 - v;
            break;
        case 5:
            r = std::sin(v * 0.0245 - 3.14) * P + s * v;
            break;
        case 6:
            r = std::sin(v * 0.0245 - 3.14) * (s * v) + P;
            break;
        case 7:
            r = v * std::pow(P + 0.01, 10.0 / (v + 0.01));
            break;
        case 8:
            r = i == 0 ? (P + 0.01) / 10.0 : (P / 10.0) * std::pow(v, 100.0 / (v + 0.1));
            break;
        case 9:
            r = i == 0 ? 10.0 : 10.0 * std::pow(v, 100.0 / (P + 0.1));
            break;
        default:
            break;
        }
        lut[i] = CorrectionByte(r);
    }
    return lut;
}

bool LoadBandBlock(const std::string& path, int64_t w, int64_t h, TBandBlock& block,
                   BandHistogram& counts, const RowProgress& progress) {
    // The counts are 32-bit: a band of more samples could not be counted.
    if (!SaneBandSize(w, h) || w * h > INT32_MAX) {
        ShowMessageNumber(BadSizeMessage);
        return false;
    }
    if (RefuseMisfitBand(path, w, h)) return false;
    TBandReader reader(path, w, h);
    TBandBlock fresh{w, h, std::vector<uint8_t>(static_cast<size_t>(w * h))};
    BandHistogram freshCounts{};
    for (int64_t y = 0; y < h; ++y) {
        uint8_t* row = fresh.Samples.data() + y * w;
        reader.ReadRow(row);
        for (int64_t x = 0; x < w; ++x)
            ++freshCounts[row[x]];
        Report(progress, y + 1, h);
    }
    block = std::move(fresh);
    counts = freshCounts;
    Report(progress, 0, h);
    return true;
}

void CorrectBandBlock(const TBandBlock& in, const CorrectionTable& lut, TBandBlock& out,
                      BandHistogram& counts, const RowProgress& progress) {
    out.W = in.W;
    out.H = in.H;
    out.Samples.resize(in.Samples.size());
    counts.fill(0);
    for (int64_t y = 0; y < in.H; ++y) {
        const uint8_t* src = in.Samples.data() + y * in.W;
        uint8_t* dst = out.Samples.data() + y * in.W;
        for (int64_t x = 0; x < in.W; ++x) {
            dst[x] = lut[src[x]];
            ++counts[dst[x]];
        }
        Report(progress, y + 1, in.H);
    }
    Report(progress, 0, in.H);
}

bool SaveBandBlock(const std::string& path, const TBandBlock& block, const TReplaceLeave& leave) {
    try {
        WriteFileOrRaise(path, block.Samples, leave);
    } catch (const EFileKept&) {
        return false;
    }
    return true;
}
