// Counting, statistics and the three companion files of the working image. The files are trusted
// once written, so a reader accepts only a plain file of the exact size (or line count) with
// sound values. Anything else under the name (a damaged file, a file of someone else's, a link) is
// refused and left as it is: the figures of that load stay in memory and the status bar says so.
#include "histogram/vUHistoCC.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "runtime/RtRecords.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <utility>
#include <variant>
#include <vector>

BandHistogram RedHistogram{};
BandHistogram GreenHistogram{};
BandHistogram BlueHistogram{};
std::array<BandStatistics, BandCount> BandHistogramStats{};
std::array<BandSpreadRecord, BandCount> BandSpread{};
std::array<BandPairRecord, 3> BandPairStats{};

std::string CountFileName;
std::string SeedFileName;
std::string StatisticsFileName;
bool CountFileExists = false;
bool SeedFileExists = false;
bool StatisticsFileExists = false;
bool CountFileRefused = false;
bool SeedFileRefused = false;
bool StatisticsFileRefused = false;
bool ImageHasZeros = false;

BandHistogram& HistogramOf(int band) {
    return band == BandRed ? RedHistogram : (band == BandGreen ? GreenHistogram : BlueHistogram);
}

namespace {

constexpr int StatsMismatchMessage = 39981;
constexpr const char* ZerosStatus = "Image has Zeros, will take a while longer...";

// ---- counts (.adc) --------------------------------------------------------------------------

// A count is never negative, a band never holds more pixels than a 32-bit count can say, and the
// three bands of one picture count the same pixels, at least one; a file that claims otherwise is
// not ours (empty bands would leave the histogram displays nothing to scale by).
bool DecodeCountFile(const std::vector<uint8_t>& bytes, std::array<BandHistogram, BandCount>& out) {
    if (static_cast<int64_t>(bytes.size()) != CountFileSize) return false;
    int64_t firstTotal = 0;
    for (int band = 0; band < BandCount; ++band) {
        int64_t total = 0;
        for (int i = 0; i < 256; ++i) {
            const int32_t v = LeI32(&bytes[band * CountRecordSize + 4 * i]);
            if (v < 0) return false;
            total += v;
            out[band][i] = v;
        }
        if (total < 1 || total > std::numeric_limits<int32_t>::max()) return false;
        if (band == 0) firstTotal = total;
        if (total != firstTotal) return false;
    }
    return true;
}

// ---- statistics (.adt) ----------------------------------------------------------------------

struct StatisticsSet {
    std::array<BandStatistics, BandCount> Stats{};
    std::array<BandSpreadRecord, BandCount> Spread{};
    std::array<BandPairRecord, 3> Pairs{};
};

using StatisticsField = std::variant<int32_t*, int64_t*, double*>;
using StatisticsLayout = std::array<StatisticsField, StatisticsLineCount>;

// The 36 lines of the file in their order; reader and writer both walk this.
StatisticsLayout StatisticsLines(StatisticsSet& s) {
    StatisticsLayout lines;
    size_t n = 0;
    for (int b = 0; b < BandCount; ++b) {
        lines[n++] = &s.Stats[b].Mean;
        lines[n++] = &s.Spread[b].SD;
        lines[n++] = &s.Spread[b].Variance;
    }
    for (int b = 0; b < BandCount; ++b) {
        BandStatistics& st = s.Stats[b];
        lines[n++] = &st.Min;
        lines[n++] = &st.Max;
        lines[n++] = &st.Median;
        lines[n++] = &st.Mode;
        lines[n++] = &st.Sum;
        lines[n++] = &st.Count;
        lines[n++] = &st.Range;
    }
    for (auto& pair : s.Pairs) {
        lines[n++] = &pair.CoVariance;
        lines[n++] = &pair.R;
    }
    return lines;
}

StatisticsSet CurrentStatistics() {
    return {BandHistogramStats, BandSpread, BandPairStats};
}

// The reals in the 23-character scientific form: " 1.50000000000000E+0000".
std::string StatisticsReal(double v) {
    return FormatScientific(v, 23, 15, 4);
}

std::string EncodeStatistics(StatisticsSet s) {
    std::vector<std::string> text;
    for (const StatisticsField& field : StatisticsLines(s)) {
        if (auto* i = std::get_if<int32_t*>(&field))
            text.push_back(IntToStr(**i));
        else if (auto* l = std::get_if<int64_t*>(&field))
            text.push_back(IntToStr(**l));
        else
            text.push_back(StatisticsReal(*std::get<double*>(field)));
    }
    return JoinLinesCRLF(text);
}

// The histogram window indexes the counts by Mode and shows the other four as channel values, so a
// file that puts any of them outside 0..255 is not one this program wrote.
bool ChannelValuesSound(const BandStatistics& s) {
    for (int32_t v : {s.Min, s.Max, s.Mean, s.Median, s.Mode})
        if (v < 0 || v > 255) return false;
    return true;
}

bool DecodeStatistics(const std::string& text, StatisticsSet& out) {
    const std::vector<std::string> lines = SplitLines(text);
    if (static_cast<int>(lines.size()) != StatisticsLineCount) return false;
    StatisticsSet s;
    const StatisticsLayout fields = StatisticsLines(s);
    try {
        for (int n = 0; n < StatisticsLineCount; ++n) {
            const StatisticsField& field = fields[n];
            if (auto* i = std::get_if<int32_t*>(&field)) {
                const int64_t v = StrToInt(lines[n]);
                if (v < std::numeric_limits<int32_t>::min() ||
                    v > std::numeric_limits<int32_t>::max())
                    return false;
                **i = static_cast<int32_t>(v);
            } else if (auto* l = std::get_if<int64_t*>(&field)) {
                **l = StrToInt(lines[n]);
            } else {
                const double v = StrToFloat(lines[n]);
                if (!std::isfinite(v)) return false;
                *std::get<double*>(field) = v;
            }
        }
    } catch (const EConvertError&) {
        return false;
    }
    for (const BandStatistics& band : s.Stats)
        if (!ChannelValuesSound(band)) return false;
    out = s;
    return true;
}

// The 36 lines of a real file take under a kilobyte; anything far larger is not read into memory.
constexpr int64_t StatisticsFileLimit = 4096;

bool ReadStatisticsText(const std::string& path, StatisticsSet& out) {
    const int64_t size = FileSizeOf(path);
    if (size < 0 || size > StatisticsFileLimit) return false;
    std::string text;
    return ReadWholeFile(path, text) && DecodeStatistics(text, out);
}

} // namespace

// ---- statistics -----------------------------------------------------------------------------

BandStatistics BandFigures(const BandHistogram& h) {
    BandStatistics s;
    int64_t count = 0;
    int first = -1, last = -1;
    int32_t best = h[0];
    for (int i = 0; i < 256; ++i) {
        if (h[i] >= 1) {
            if (first < 0) first = i;
            last = i;
        }
        if (h[i] > best) {
            best = h[i];
            s.Mode = i;
        }
        s.Sum += int64_t{i} * h[i];
        count += h[i];
    }
    s.Count = static_cast<int32_t>(count);
    s.Min = first < 0 ? 0 : first;
    s.Max = last < 0 ? 0 : last;
    s.Range = s.Max - s.Min + 1;
    s.Mean = count > 0 ? static_cast<int32_t>(Round(static_cast<double>(s.Sum) / count)) : 0;
    s.Median = MedianOf(h, count);
    return s;
}

int32_t MedianOf(const BandHistogram& h, int64_t count) {
    const int64_t half = count / 2;
    int64_t cumulative = 0;
    for (int i = 0; i < 256; ++i) {
        cumulative += h[i];
        if (cumulative > half) return i;
    }
    return 0;
}

// The deviations are taken from the rounded mean. Each term fits 64 bits exactly; a band of
// one pixel (or none) has no spread.
BandSpreadRecord Spread(const BandHistogram& h, const BandStatistics& s) {
    BandSpreadRecord r;
    if (s.Count <= 1) return r;
    int64_t sum = 0;
    for (int i = 0; i < 256; ++i)
        if (h[i] > 0) {
            const int64_t d = i - s.Mean;
            sum += d * d * h[i];
        }
    r.Variance = static_cast<double>(static_cast<long double>(sum) / (s.Count - 1));
    r.SD = std::sqrt(r.Variance);
    return r;
}

namespace {

// Products of the counts bin by bin; with counts of at most 2^31 per band their sum stays below
// 2^62.
BandPairRecord PairFigures(int a, int b, int32_t count) {
    BandPairRecord r;
    if (count <= 0) return r;
    const BandHistogram& ha = HistogramOf(a);
    const BandHistogram& hb = HistogramOf(b);
    int64_t products = 0;
    for (int i = 0; i < 256; ++i)
        products += int64_t{ha[i]} * hb[i];
    const long double t =
        static_cast<long double>(BandHistogramStats[a].Sum - BandHistogramStats[b].Sum) / count;
    r.CoVariance = static_cast<double>((static_cast<long double>(products) - t) / count - 1.0L);
    const double sds = BandSpread[a].SD * BandSpread[b].SD;
    r.R = sds == 0.0 ? 0.0 : r.CoVariance / sds;
    return r;
}

// ---- sort -----------------------------------------------------------------------------------

template <bool Ascending> void QuickSort(SortValueArray& v, int lo, int hi) {
    // The pivot is a value halfway between the ends, not an element.
    const int32_t pivot = static_cast<int32_t>((int64_t{v[lo]} + v[hi]) / 2);
    int i = lo, j = hi;
    do {
        if constexpr (Ascending) {
            while (v[i] < pivot)
                ++i;
            while (v[j] > pivot)
                --j;
        } else {
            while (v[i] > pivot)
                ++i;
            while (v[j] < pivot)
                --j;
        }
        if (i <= j) {
            if (v[i] != v[j]) std::swap(v[i], v[j]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (j > lo) QuickSort<Ascending>(v, lo, j);
    if (i < hi) QuickSort<Ascending>(v, i, hi);
}

} // namespace

// ---- file names and existence ---------------------------------------------------------------

std::string CompanionPath(std::string_view extension) {
    const std::string name = HistogramFileName(CurrentImageName, extension);
    // Kept with the picture, in its own folder, whichever folder another window has chosen.
    const std::string& folder = CurrentImageFolder;
    const std::string found = FindFileCaseInsensitive(folder, name);
    if (!found.empty()) return found;
    return folder.empty() ? name : IncludeTrailingPathDelimiter(folder) + name;
}

std::string RefusedCompanionsStatus(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths)
        names += (names.empty() ? "" : ", ") + ExtractFileName(path);
    return "Refused " + names + ": counts kept in memory, nothing written";
}

namespace {

// A link is refused even when it names a sound file: what is read under a name is what a later
// write would replace, and a write never goes through a link.
void CheckCompanion(std::string_view extension, std::string& name, bool& exists, bool& refused,
                    bool (*sound)(const std::string&)) {
    name = CompanionPath(extension);
    exists = PlainFileExists(name) && sound(name);
    refused = !exists && NameTaken(name);
}

bool CountFileSound(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::array<BandHistogram, BandCount> counts;
    return FileSizeOf(path) == CountFileSize && ReadWholeFile(path, bytes) &&
           DecodeCountFile(bytes, counts);
}

bool SeedFileSound(const std::string& path) {
    return FileSizeOf(path) == SeedFileSize;
}

bool StatisticsFileSound(const std::string& path) {
    StatisticsSet unused;
    return ReadStatisticsText(path, unused);
}

} // namespace

void CheckCountFile() {
    CheckCompanion("adc", CountFileName, CountFileExists, CountFileRefused, CountFileSound);
}

void CheckSeedFile() {
    CheckCompanion("ads", SeedFileName, SeedFileExists, SeedFileRefused, SeedFileSound);
}

void CheckStatisticsFile() {
    CheckCompanion("adt", StatisticsFileName, StatisticsFileExists, StatisticsFileRefused,
                   StatisticsFileSound);
}

// ---- readers and writers --------------------------------------------------------------------

bool ReadCountFile() {
    std::vector<uint8_t> bytes;
    std::array<BandHistogram, BandCount> counts;
    if (!ReadWholeFile(CountFileName, bytes) || !DecodeCountFile(bytes, counts)) return false;
    for (int band = 0; band < BandCount; ++band)
        HistogramOf(band) = counts[band];
    StampShownFile(CountFileName);
    return true;
}

namespace {
// A companion is the shown picture's file: replaced as the picture read or last wrote it, or as
// the dialog that chose the picture chose it; one another window made or changed meanwhile is
// replaced only when the user says so.
bool WriteCompanion(const std::string& path, const void* data, size_t size) {
    if (!WriteMadeFileAtomic(path, data, size, ShownPictureLeave())) return false;
    StampShownFile(path);
    return true;
}
} // namespace

bool WriteCountFile() {
    if (CountFileRefused) return false;
    std::vector<uint8_t> bytes(CountFileSize);
    for (int band = 0; band < BandCount; ++band) {
        const BandHistogram& h = HistogramOf(band);
        for (int i = 0; i < 256; ++i)
            PutLeI32(&bytes[band * CountRecordSize + 4 * i], h[i]);
    }
    return WriteCompanion(CountFileName, bytes.data(), bytes.size());
}

bool ReadSeedFile() {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(SeedFileName, bytes) || static_cast<int64_t>(bytes.size()) != SeedFileSize)
        return false;
    size_t at = 0;
    for (SeedBreakTable& table : SeedBreakTables)
        for (SeedBreakRow& row : table)
            for (uint8_t& element : row)
                element = bytes[at++];
    StampShownFile(SeedFileName);
    return true;
}

bool WriteSeedFile() {
    if (SeedFileRefused) return false;
    std::vector<uint8_t> bytes;
    bytes.reserve(SeedFileSize);
    for (const SeedBreakTable& table : SeedBreakTables)
        for (const SeedBreakRow& row : table)
            bytes.insert(bytes.end(), row.begin(), row.end());
    return WriteCompanion(SeedFileName, bytes.data(), bytes.size());
}

void SaveSeedFileOrRaise() {
    CheckSeedFile();
    if (SeedFileRefused) {
        HookStatus(1, RefusedCompanionsStatus({SeedFileName}));
        return;
    }
    if (WriteSeedFile()) return;
    RaiseIfKept(SeedFileName);
    RaiseNamedWriteFailure(SeedFileName);
}

bool ReadStatisticsFile() {
    StatisticsSet s;
    if (!ReadStatisticsText(StatisticsFileName, s)) return false;
    // Files written before hold the value below the median (99 for a picture all of 100): the
    // median is taken again from the counts they describe.
    for (int band = 0; band < BandCount; ++band) {
        BandStatistics& st = s.Stats[band];
        const BandHistogram& h = HistogramOf(band);
        if (std::accumulate(h.begin(), h.end(), int64_t{0}) == st.Count)
            st.Median = MedianOf(h, st.Count);
    }
    BandHistogramStats = s.Stats;
    BandSpread = s.Spread;
    BandPairStats = s.Pairs;
    StampShownFile(StatisticsFileName);
    return true;
}

bool WriteStatisticsFile() {
    if (StatisticsFileRefused) return false;
    const std::string text = EncodeStatistics(CurrentStatistics());
    return WriteCompanion(StatisticsFileName, text.data(), text.size());
}

// ---- counting -------------------------------------------------------------------------------

void CountPixelRow(const uint8_t* row, int32_t width, BandHistogram& red, BandHistogram& green,
                   BandHistogram& blue) {
    for (int32_t x = 0; x < width; ++x, row += 3) {
        ++blue[row[0]];
        ++green[row[1]];
        ++red[row[2]];
    }
}

bool CountHistograms() {
    ImageHasZeros = false;
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return false;
    RedHistogram.fill(0);
    GreenHistogram.fill(0);
    BlueHistogram.fill(0);
    const int32_t width = ImageMaxX + 1;
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        CountPixelRow(UndoRow(y), width, RedHistogram, GreenHistogram, BlueHistogram);
        ShowProgress(RowPercent(y, ImageMaxY));
    }
    // A zero channel anywhere is exactly a filled bin 0.
    ImageHasZeros = RedHistogram[0] > 0 || GreenHistogram[0] > 0 || BlueHistogram[0] > 0;
    UnlockImageBuffers();
    return true;
}

void ReplaceZeroChannels() {
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    const size_t rowBytes = static_cast<size_t>(ImageMaxX + 1) * 3;
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        uint8_t* p = WorkRow(y);
        for (size_t i = 0; i < rowBytes; ++i)
            if (p[i] == 0) p[i] = 1;
        ShowProgress(RowPercent(y, ImageMaxY));
    }
    UnlockImageBuffers();
}

// ---- statistics -----------------------------------------------------------------------------

void ComputeHistogramStatistics() {
    const int64_t pixels = int64_t{ImageMaxX + 1} * (ImageMaxY + 1);
    for (int band = 0; band < BandCount; ++band) {
        const BandHistogram& h = HistogramOf(band);
        BandHistogramStats[band] = BandFigures(h);
        // A count file of another picture: said, and the figures are still made and kept.
        if (BandHistogramStats[band].Count != pixels) ShowMessageNumber(StatsMismatchMessage);
        BandSpread[band] = Spread(h, BandHistogramStats[band]);
        BuildSeedBreakTable(h, BandHistogramStats[band], BandSpread[band].SD,
                            SeedBreakTables[band]);
    }
    const int32_t count = BandHistogramStats[BandRed].Count;
    BandPairStats[Pair12] = PairFigures(BandRed, BandGreen, count);
    BandPairStats[Pair13] = PairFigures(BandRed, BandBlue, count);
    BandPairStats[Pair23] = PairFigures(BandGreen, BandBlue, count);
}

// ---- the load sequence ----------------------------------------------------------------------

bool LoadOrCountHistograms() {
    CheckCountFile();
    if (CountFileExists) {
        if (ReadCountFile()) return true;
        // Sound a moment ago and unreadable now: not this program's to replace either.
        CountFileRefused = true;
    }
    // Counts are written only when this picture was counted: after a failed copy the histograms
    // still hold the previous picture's.
    if (!CountHistograms()) return false;
    if (ImageHasZeros) {
        HookStatus(1, ZerosStatus);
        ReplaceZeroChannels();
        if (!CountHistograms()) return false;
    }
    WriteCountFile();
    return true;
}

void LoadOrMakeHistogramFiles() {
    // Without this picture's counts any table or statistics written now would describe another
    // picture under this one's name.
    if (!LoadOrCountHistograms()) return;
    CheckSeedFile();
    if (!SeedFileExists || !ReadSeedFile()) {
        SeedFileRefused = SeedFileRefused || SeedFileExists;
        ComputeHistogramStatistics();
        WriteSeedFile();
    }
    CheckStatisticsFile();
    if (!StatisticsFileExists || !ReadStatisticsFile()) {
        StatisticsFileRefused = StatisticsFileRefused || StatisticsFileExists;
        ComputeHistogramStatistics();
        WriteStatisticsFile();
    }
    std::vector<std::string> refused;
    for (const auto& [name, flag] : {std::pair{&CountFileName, CountFileRefused},
                                     {&SeedFileName, SeedFileRefused},
                                     {&StatisticsFileName, StatisticsFileRefused}})
        if (flag) refused.push_back(*name);
    if (!refused.empty()) HookStatus(1, RefusedCompanionsStatus(refused));
}

void SortValues(std::string_view Direction, int32_t N, SortValueArray& Values) {
    const int32_t last = N > 81 ? 81 : N;
    if (last < 2) return;
    if (Direction == "UP")
        QuickSort<true>(Values, 1, last);
    else if (Direction == "DN")
        QuickSort<false>(Values, 1, last);
}
