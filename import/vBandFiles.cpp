#include "import/vBandFiles.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <memory>
#include <unistd.h>

const std::array<const char*, NalcBands> NalcExtensions = {".BN2", ".BN3", ".BN4", ".BN5", ".BNx"};

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenForReading(const std::string& path) {
    FilePtr f(OpenFileToRead(path));
    if (!f) throw EInOutError(EInOutError::FileNotFound);
    return f;
}

void SeekTo(std::FILE* f, int64_t offset) {
    if (::fseeko(f, static_cast<off_t>(offset), SEEK_SET) != 0)
        throw EInOutError(EInOutError::ReadBeyondEnd);
}

// The sizes were checked before; a short read means the file changed under us.
void ReadExactly(std::FILE* f, void* into, size_t n) {
    if (std::fread(into, 1, n, f) != n) throw EInOutError(EInOutError::ReadBeyondEnd);
}

// Temporaries beside their targets; Commit renames them all, otherwise they are removed.
class TOutputSet {
  public:
    // The caller's open run asked about every target before the first was opened.
    TReplacingFile* Open(const std::string& target) {
        Files.emplace_back();
        if (!Files.back().Open(target, TReplaceLeave::None())) {
            RaiseIfKept(target);
            RaiseWriteFailure(target);
        }
        return &Files.back();
    }
    void Write(TReplacingFile* f, const void* data, size_t n) {
        if (!f->Write(data, n)) RaiseWriteFailure(f->Target());
    }
    void Commit(std::vector<std::string>& written) {
        for (TReplacingFile& f : Files)
            if (!f.Close()) RaiseWriteFailure(f.Target());
        for (TReplacingFile& f : Files) {
            if (!f.Commit()) RaiseWriteFailure(f.Target());
            written.push_back(f.Target());
        }
        Files.clear();
    }

  private:
    // A deque, so that a file handed out stays where it is when the next one is opened.
    std::deque<TReplacingFile> Files;
};

void Gauge(TBandGauge gauge, int64_t percent) {
    if (gauge) gauge(static_cast<int>(percent));
}

// Round(n / total x 100) with halves to even, in whole numbers.
int64_t PercentOf(int64_t n, int64_t total) {
    const int64_t num = n * 200 + total;
    int64_t q = num / (2 * total);
    if (num % (2 * total) == 0 && q % 2 == 1) --q;
    return q;
}

int16_t SampleAt(const uint8_t* p, bool swap) {
    const uint16_t u =
        swap ? static_cast<uint16_t>(p[0] << 8 | p[1]) : static_cast<uint16_t>(p[1] << 8 | p[0]);
    return static_cast<int16_t>(u);
}

} // namespace

bool NamesAnInput(const std::vector<std::string>& outputs, const std::vector<std::string>& inputs) {
    for (const std::string& out : outputs)
        for (const std::string& in : inputs) {
            std::error_code ec;
            if (std::filesystem::equivalent(out, in, ec)) return true;
        }
    return false;
}

int SplitNalcFile(const std::string& input, std::vector<std::string>& outputs, TBandGauge gauge) {
    FilePtr in = OpenForReading(input);
    if (FileSizeOf(input) < NalcFileBytes) return BandSizeMessage;
    std::vector<std::string> targets;
    for (const char* ext : NalcExtensions)
        targets.push_back(ChangeFileExt(input, ext));
    if (NamesAnInput(targets, {input})) return OutputIsInputMessage;
    TOutputSet set;
    std::vector<uint8_t> record(NalcSide);
    for (const std::string& target : targets) {
        TReplacingFile* out = set.Open(target);
        for (int r = 1; r <= NalcSide; ++r) {
            ReadExactly(in.get(), record.data(), record.size());
            set.Write(out, record.data(), record.size());
            Gauge(gauge, r / 13);
        }
    }
    set.Commit(outputs);
    Gauge(gauge, 0);
    return 0;
}

std::string RawBandExtension(int64_t band) {
    return ".B" + IntToStr(band);
}

uint8_t ReduceSample(int32_t s, int32_t lo, int32_t hi) {
    if (hi <= lo) return 0;
    const int64_t num = (int64_t{s} - lo) * 255;
    const int64_t den = int64_t{hi} - lo;
    int64_t q = num / den;
    const int64_t twice = 2 * (num % den);
    if (twice > den || (twice == den && q % 2 == 1)) ++q;
    return static_cast<uint8_t>(q);
}

int SplitRawFile(const std::string& input, const TRawSplit& p, std::vector<std::string>& outputs,
                 TBandGauge gauge) {
    for (int64_t v : {p.Width, p.Height, p.Bands})
        if (v < 1 || v > MaxSplitValue) return BandSizeMessage;
    if (p.Skip < 0 || p.Skip > MaxSplitValue) return BandSizeMessage;
    FilePtr in = OpenForReading(input);
    Gauge(gauge, 5);
    const int64_t bytesPerSample = p.Sixteen ? 2 : 1;
    const int64_t rowBytes = p.Width * bytesPerSample;
    if (FileSizeOf(input) - p.Skip < rowBytes * p.Height * p.Bands) return BandSizeMessage;
    std::vector<std::string> targets;
    for (int64_t b = 1; b <= p.Bands; ++b)
        targets.push_back(ChangeFileExt(input, RawBandExtension(b)));
    if (NamesAnInput(targets, {input})) return OutputIsInputMessage;
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
    const bool reduce = p.Sixteen && p.Reduce;
    // Extremes of every band, so the bands stay comparable after the reduction. They are sought
    // from 32767 and from 0, as the radar reduction seeks them, so that the two agree: a scene
    // of negative samples keeps its top below 255.
    int32_t lo = 32767, hi = 0;
    if (reduce) {
        SeekTo(in.get(), p.Skip);
        for (int64_t r = 0; r < p.Height * p.Bands; ++r) {
            ReadExactly(in.get(), row.data(), row.size());
            for (int64_t c = 0; c < p.Width; ++c) {
                const int32_t s = SampleAt(row.data() + 2 * c, p.Swap);
                lo = std::min(lo, s);
                hi = std::max(hi, s);
            }
        }
    }
    SeekTo(in.get(), p.Skip);
    std::vector<uint8_t> reduced(reduce ? static_cast<size_t>(p.Width) : 0);
    TOutputSet set;
    for (int64_t b = 1; b <= p.Bands; ++b) {
        TReplacingFile* out = set.Open(targets[static_cast<size_t>(b - 1)]);
        for (int64_t r = 0; r < p.Height; ++r) {
            ReadExactly(in.get(), row.data(), row.size());
            uint8_t* px = row.data();
            if (reduce) {
                for (int64_t c = 0; c < p.Width; ++c)
                    reduced[c] = ReduceSample(SampleAt(px + 2 * c, p.Swap), lo, hi);
                set.Write(out, reduced.data(), reduced.size());
                continue;
            }
            if (p.Sixteen && p.Swap)
                for (int64_t c = 0; c < p.Width; ++c)
                    std::swap(px[2 * c], px[2 * c + 1]);
            set.Write(out, row.data(), row.size());
        }
        Gauge(gauge, PercentOf(b, p.Bands));
    }
    set.Commit(outputs);
    return 0;
}

TCropRect TCropRect::Ordered() const {
    TCropRect r = *this;
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    return r;
}

int CropBandFiles(const std::vector<TCropSource>& bands, int64_t rowLength, const TCropRect& rect,
                  TBandGauge gauge, TBandHint hint) {
    const TCropRect r = rect.Ordered();
    // Every size comes from a header: bounded before any product of them is formed, and the
    // band is proved to hold every row before a buffer or a file exists. A rectangle wider than
    // the row would fill the products with zeros no band holds.
    if (r.Left < 1 || r.Top < 1 || rowLength < 1 || rowLength > MaxSplitValue ||
        r.Right > rowLength || r.Bottom > MaxSplitValue)
        return BandSizeMessage;
    const uint64_t needed = static_cast<uint64_t>(r.Bottom) * static_cast<uint64_t>(rowLength);
    std::vector<FilePtr> inputs;
    std::vector<std::string> sources, targets;
    for (const TCropSource& b : bands) {
        inputs.push_back(OpenForReading(b.Source));
        const int64_t size = FileSizeOf(b.Source);
        if (b.Offset < 0 || size < b.Offset || static_cast<uint64_t>(size - b.Offset) < needed)
            return BandSizeMessage;
        sources.push_back(b.Source);
        targets.push_back(b.Output);
    }
    if (NamesAnInput(targets, sources)) return OutputIsInputMessage;
    std::vector<uint8_t> in(static_cast<size_t>(rowLength));
    std::vector<uint8_t> out(static_cast<size_t>(r.Width()), 0);
    const int64_t first = r.Left - 1;
    TOutputSet set;
    Gauge(gauge, 1);
    for (size_t k = 0; k < bands.size(); ++k) {
        if (hint && bands[k].Hint) hint(bands[k].Hint);
        TReplacingFile* o = set.Open(bands[k].Output);
        SeekTo(inputs[k].get(), bands[k].Offset + (r.Top - 1) * rowLength);
        for (int64_t row = r.Top; row <= r.Bottom; ++row) {
            ReadExactly(inputs[k].get(), in.data(), in.size());
            std::copy_n(in.data() + first, out.size(), out.data());
            set.Write(o, out.data(), out.size());
            Gauge(gauge, row * 100 / r.Bottom);
        }
    }
    std::vector<std::string> written;
    set.Commit(written);
    Gauge(gauge, 0);
    return 0;
}

TCropPreview CropPreviewGeometry(int64_t right, int64_t bottom) {
    TCropPreview p;
    const int64_t side = std::max(right, bottom);
    p.Step = std::max<int64_t>(1, side / 310);
    p.Cols = std::clamp<int64_t>(right / p.Step, 0, PreviewSide - 2);
    p.Rows = std::clamp<int64_t>(bottom / p.Step, 0, PreviewSide - 2);
    return p;
}

TCropPreview PaintCropPreview(const std::string& source, int64_t recordSize, int64_t prefix,
                              int64_t right, int64_t bottom, TBandGauge gauge) {
    TCropPreview p = CropPreviewGeometry(right, bottom);
    FilePtr in = OpenForReading(source);
    const int64_t size = FileSizeOf(source);
    // The record length is a header's number: no buffer longer than the file is ever made.
    if (recordSize < 1 || recordSize > size) return p;
    const int64_t records = size / recordSize;
    std::vector<uint8_t> rec(static_cast<size_t>(recordSize));
    for (int64_t r = 1; r <= p.Rows && r * p.Step <= records; ++r) {
        Gauge(gauge, r / 3);
        SeekTo(in.get(), (r * p.Step - 1) * recordSize);
        ReadExactly(in.get(), rec.data(), rec.size());
        uint8_t* line = p.Grey.data() + r * PreviewSide;
        for (int64_t c = 1; c <= p.Cols; ++c) {
            const int64_t at = prefix + c * p.Step - 1;
            line[c] = at < recordSize ? rec[at] : 0;
        }
    }
    Gauge(gauge, 0);
    return p;
}
