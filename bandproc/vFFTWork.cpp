#include "bandproc/vFFTWork.h"

#include "bandproc/vBandFiles.h"
#include "bandproc/vFFT87B2.h"
#include "runtime/RtFiles.h"
#include "runtime/RtMath.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalMessages.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Rows of the spectrum are strided by N; gathering this many neighbouring rows at once reads
// each cache line of a column once instead of once per row.
constexpr int32_t RowTile = 8;

// Pictures are row-major and the spectrum column-major: a walk between them goes through
// strips of this many columns, so both sides are read and written a cache line at a time.
constexpr int32_t ColumnStrip = 16;

// f(x, y) for every element, strip by strip; the gauge per strip.
template <class F> void ForEachByStrips(int32_t n, const TFFTReport& report, F&& f) {
    for (int32_t x0 = 0; x0 < n; x0 += ColumnStrip) {
        report.Step(x0, n);
        const int32_t x1 = std::min(n, x0 + ColumnStrip);
        for (int32_t y = 0; y < n; ++y)
            for (int32_t x = x0; x < x1; ++x)
                f(x, y);
    }
}

// Result ranges start from these, so a range that never moves reads as "not below".
constexpr double RangeStartMin = 1.7E308;
constexpr double RangeStartMax = 5E-324;

// The line kernels. RealFFT transforms real values only; a complex line goes through it twice
// (real and imaginary parts apart) and the halves are combined by linearity, so that every
// pass keeps the imaginary parts the previous one produced and the inverse passes undo the
// forward ones exactly. `backward` selects the opposite sign of the exponent: the conjugate of
// the forward transform of the conjugate.
class TLineKernel {
  public:
    // Real values in re[0 .. n-1] -> their spectrum in (re, im).
    void RealLine(int32_t n, bool backward, double* re, double* im) {
        int32_t status = 0;
        RealFFT(n, false, re, status, im);
        if (backward)
            for (int32_t k = 0; k < n; ++k)
                im[k] = -im[k];
    }
    // (re, im) -> its transform, in place.
    void ComplexLine(int32_t n, bool backward, double* re, double* im) {
        int32_t status = 0;
        std::copy(im, im + n, Br.begin());
        RealFFT(n, false, re, status, im);
        RealFFT(n, false, Br.data(), status, Bi.data());
        if (backward) {
            for (int32_t k = 0; k < n; ++k) {
                const double ar = re[k], ai = im[k];
                re[k] = ar + Bi[k];
                im[k] = Br[k] - ai;
            }
        } else {
            for (int32_t k = 0; k < n; ++k) {
                const double ar = re[k], ai = im[k];
                re[k] = ar - Bi[k];
                im[k] = ai + Br[k];
            }
        }
    }

  private:
    std::array<double, FFTMaxLength> Br{}, Bi{};
};

// The work arrays of one run: one line for the column passes, a tile of rows for the row passes.
struct TPassWork {
    TPassWork()
        : LineRe(FFTMaxLength), LineIm(FFTMaxLength),
          TileRe(static_cast<size_t>(RowTile) * FFTMaxLength),
          TileIm(static_cast<size_t>(RowTile) * FFTMaxLength) {}
    double* TileLineRe(int32_t j) { return TileRe.data() + static_cast<size_t>(j) * FFTMaxLength; }
    double* TileLineIm(int32_t j) { return TileIm.data() + static_cast<size_t>(j) * FFTMaxLength; }
    std::vector<double> LineRe, LineIm, TileRe, TileIm;
    TLineKernel Kernel;
};

// The data is real and the filters treat [a][b] and [-a][-b] alike, so every stage of a run is
// conjugate-symmetric: half of each pass follows from the other half without a transform (a
// transform T of the conjugate of a line v is conj(T(v)[-k])). This keeps a run at about four
// line transforms per line, although a complex line costs two.

// Columns 0 .. columns-1 ([x][0 .. N-1]) through the line transform. The first forward pass
// reads the real parts only: the data is real.
void ColumnPass(TFFTSpectrum& s, TPassWork& w, bool realInput, bool backward, int32_t columns,
                const TFFTReport& report) {
    const int32_t n = s.N;
    for (int32_t x = 0; x < columns; ++x) {
        report.Step(x, columns);
        double* re = s.Re.data() + static_cast<size_t>(x) * n;
        double* im = s.Im.data() + static_cast<size_t>(x) * n;
        std::copy(re, re + n, w.LineRe.begin());
        if (realInput) {
            w.Kernel.RealLine(n, backward, w.LineRe.data(), w.LineIm.data());
        } else {
            std::copy(im, im + n, w.LineIm.begin());
            w.Kernel.ComplexLine(n, backward, w.LineRe.data(), w.LineIm.data());
        }
        std::copy(w.LineRe.begin(), w.LineRe.begin() + n, re);
        std::copy(w.LineIm.begin(), w.LineIm.begin() + n, im);
    }
}

// Column N - x is the conjugate of column x, for x past the middle.
void MirrorColumns(TFFTSpectrum& s) {
    const int32_t n = s.N;
    for (int32_t x = n / 2 + 1; x < n; ++x) {
        const size_t to = static_cast<size_t>(x) * n, from = static_cast<size_t>(n - x) * n;
        for (int32_t y = 0; y < n; ++y) {
            s.Re[to + y] = s.Re[from + y];
            s.Im[to + y] = -s.Im[from + y];
        }
    }
}

// Rows y0 .. y0+rows-1 gathered into the tile, and back.
void GatherRows(const TFFTSpectrum& s, TPassWork& w, int32_t y0, int32_t rows) {
    const int32_t n = s.N;
    for (int32_t x = 0; x < n; ++x) {
        const double* re = s.Re.data() + static_cast<size_t>(x) * n + y0;
        const double* im = s.Im.data() + static_cast<size_t>(x) * n + y0;
        for (int32_t j = 0; j < rows; ++j) {
            w.TileLineRe(j)[x] = re[j];
            w.TileLineIm(j)[x] = im[j];
        }
    }
}

void ScatterRows(TFFTSpectrum& s, TPassWork& w, int32_t y0, int32_t rows) {
    const int32_t n = s.N;
    for (int32_t x = 0; x < n; ++x) {
        double* re = s.Re.data() + static_cast<size_t>(x) * n + y0;
        double* im = s.Im.data() + static_cast<size_t>(x) * n + y0;
        for (int32_t j = 0; j < rows; ++j) {
            re[j] = w.TileLineRe(j)[x];
            im[j] = w.TileLineIm(j)[x];
        }
    }
}

// The forward row pass after the real column pass: row N - y is the conjugate of row y, so
// rows 0 .. N/2 are transformed and the others follow, [k][y] = conj([-k][N - y]).
void ForwardRowPass(TFFTSpectrum& s, TPassWork& w, bool backward, const TFFTReport& report) {
    const int32_t n = s.N;
    const int32_t half = n / 2 + 1;
    for (int32_t y0 = 0; y0 < half; y0 += RowTile) {
        report.Step(y0, half);
        const int32_t rows = std::min(RowTile, half - y0);
        GatherRows(s, w, y0, rows);
        for (int32_t j = 0; j < rows; ++j)
            w.Kernel.ComplexLine(n, backward, w.TileLineRe(j), w.TileLineIm(j));
        ScatterRows(s, w, y0, rows);
    }
    for (int32_t k = 0; k < n; ++k) {
        const size_t to = static_cast<size_t>(k) * n;
        const size_t from = static_cast<size_t>((n - k) % n) * n;
        for (int32_t y = half; y < n; ++y) {
            s.Re[to + y] = s.Re[from + n - y];
            s.Im[to + y] = -s.Im[from + n - y];
        }
    }
}

// The last row pass: every row is conjugate-symmetric along x, so its transform is real, and
// one complex transform of row a + i row b gives both rows' results as its two parts.
void RealRowPass(TFFTSpectrum& s, TPassWork& w, bool backward, const TFFTReport& report) {
    const int32_t n = s.N;
    for (int32_t y0 = 0; y0 < n; y0 += RowTile) {
        report.Step(y0, n);
        const int32_t rows = std::min(RowTile, n - y0);
        GatherRows(s, w, y0, rows);
        for (int32_t j = 0; j < rows; j += 2) {
            double* re = w.TileLineRe(j);
            double* im = w.TileLineIm(j);
            const double* re2 = w.TileLineRe(j + 1);
            const double* im2 = w.TileLineIm(j + 1);
            for (int32_t x = 0; x < n; ++x) {
                const double r = re[x] - im2[x];
                im[x] += re2[x];
                re[x] = r;
            }
            w.Kernel.ComplexLine(n, backward, re, im);
            std::copy(im, im + n, w.TileLineRe(j + 1));
            std::fill(im, im + n, 0.0);
            std::fill(w.TileLineIm(j + 1), w.TileLineIm(j + 1) + n, 0.0);
        }
        ScatterRows(s, w, y0, rows);
    }
}

// The squared distance of index a to the nearer of 0 and n along one axis.
inline int64_t AxisDistance2(int32_t a, int32_t n) {
    const int64_t d = std::min<int64_t>(a, int64_t{n} - a);
    return d * d;
}

// The radial filters: D is the squared distance of [a][b] to the nearest corner, where the zero
// frequency and its periodic images lie.
void ApplyFilter(TFFTSpectrum& s, const TFFTSettings& t, const TFFTReport& report) {
    const int32_t n = s.N;
    const double p1 = static_cast<double>(t.P1);
    const double p1sq = p1 * p1;
    const double p2sq = static_cast<double>(t.P2) * static_cast<double>(t.P2);
    for (int32_t a = 0; a < n; ++a) {
        report.Step(a, n);
        double* re = s.Re.data() + static_cast<size_t>(a) * n;
        double* im = s.Im.data() + static_cast<size_t>(a) * n;
        const int64_t da = AxisDistance2(a, n);
        for (int32_t b = 0; b < n; ++b) {
            const double d = static_cast<double>(da + AxisDistance2(b, n));
            double factor = 1.0;
            switch (t.Filter) {
            case ffLowPass:
                factor = p1sq >= d ? 1.0 : 0.0;
                break;
            case ffBandPass:
                factor = (p1sq <= d && d <= p2sq) ? 1.0 : 0.0;
                break;
            case ffHighPass:
                factor = p1sq <= d ? 1.0 : 0.0;
                break;
            case ffPowerLaw:
                factor = d > 0.0 ? rt::fpow(p1, 1.0 / d) : 1.0;
                break;
            default:
                break;
            }
            re[b] *= factor;
            im[b] *= factor;
        }
    }
}

struct TRealRange {
    double Min = RangeStartMin;
    double Max = RangeStartMax;
};

TRealRange RealRange(const TFFTSpectrum& s) {
    TRealRange r;
    for (const double v : s.Re) {
        r.Min = std::min(r.Min, v);
        r.Max = std::max(r.Max, v);
    }
    return r;
}

// The range the result is scaled from, widened (with the warning) when it is empty.
TRealRange ResultRange(const TFFTSpectrum& s, const TFFTReport& report) {
    TRealRange r = RealRange(s);
    if (!(r.Min < r.Max)) {
        report.Say("WARNING Min > MAX !!");
        r.Min -= 0.01;
        r.Max += 0.0101;
    }
    return r;
}

void ShowSpectrum(const TFFTSpectrum& s, const TFFTSettings& t, Picture& image,
                  const TFFTReport& report) {
    const int32_t n = s.N;
    image.Fit(n, n);
    double largest2 = 0.0;
    for (size_t k = 0; k < s.Re.size(); ++k)
        largest2 = std::max(largest2, s.Re[k] * s.Re[k] + s.Im[k] * s.Im[k]);
    const double largest = std::sqrt(largest2);
    const double scale = 255.0 / (largest == 0.0 ? 1.0 : largest);
    // h - 1 is where the zero frequency lands with the centroid on.
    const int32_t shift = t.DCCentroid ? static_cast<int32_t>(Round(n / 2.0)) - 1 : 0;
    ForEachByStrips(n, report, [&](int32_t a, int32_t b) {
        const size_t k = static_cast<size_t>(a) * n + b;
        const uint8_t g =
            rt::ClampRoundByte(std::sqrt(s.Re[k] * s.Re[k] + s.Im[k] * s.Im[k]) * scale);
        int32_t px = a + shift, py = b + shift;
        if (px >= n) px -= n;
        if (py >= n) py -= n;
        image.At(px, py) = PackPixel(g, g, g);
    });
    const TRealRange r = RealRange(s);
    if (!(r.Min < r.Max)) report.Say("WARNING Min > MAX !!");
}

// Writes the scaled real parts into the channel of `output` that `shiftBits` selects (16 red,
// 8 green, 0 blue), or into all three when grey.
void PaintResult(const TFFTSpectrum& s, const TRealRange& r, Picture& output, int shiftBits,
                 bool grey, const TFFTReport& report) {
    const int32_t n = s.N;
    // Divided per pixel: the range may be as small as the one the maximum starts from, whose
    // reciprocal overflows.
    const double range = r.Max - r.Min;
    const uint32_t keep = grey ? 0xFF000000u : ~(0xFFu << shiftBits);
    ForEachByStrips(n, report, [&](int32_t x, int32_t y) {
        const uint32_t g = rt::ClampRoundByte((s.ReAt(x, y) - r.Min) * 255.0 / range);
        uint32_t& p = output.At(x, y);
        p = grey ? PackPixel(static_cast<uint8_t>(g), static_cast<uint8_t>(g),
                             static_cast<uint8_t>(g))
                 : (p & keep) | (g << shiftBits);
    });
}

} // namespace

void TFFTSpectrum::Resize(int32_t n) {
    N = n;
    const size_t count = static_cast<size_t>(n) * static_cast<size_t>(n);
    Re.assign(count, 0.0);
    Im.assign(count, 0.0);
    SampleSum = 0.0;
}

void TFFTSpectrum::Free() {
    N = 0;
    std::vector<double>().swap(Re);
    std::vector<double>().swap(Im);
    SampleSum = 0.0;
}

void TFFTReport::Say(const std::string& text) const {
    if (Status) Status(text);
}

void TFFTReport::Step(int64_t line, int64_t lines) const {
    if (Gauge) Gauge(static_cast<int>(lines > 0 ? line * 100 / lines : 0));
}

int FFTSizeMessage(int64_t width, int64_t height) {
    if (width != height) return 39959;
    // Below two lines there is no transform to run, and a side of 0 would divide the band's
    // length by zero when its rows are counted.
    if (width < FFTMinSide) return 36;
    if (width > FFTMaxSide + 1 || height > FFTMaxSide + 1) return 39961;
    return 0;
}

bool LoadFFTBand(TFFTSpectrum& s, const std::string& path, int32_t n, Picture& input,
                 uint8_t& minSample, uint8_t& maxSample, const TFFTReport& report) {
    TBandReader reader(path, n, n);
    if (FileSizeOf(path) != int64_t{n} * n) {
        ShowMessageNumber(36);
        return false;
    }
    report.Say("Loading Band");
    TFFTSpectrum loaded;
    loaded.Resize(n);
    Picture picture;
    picture.Resize(n, n);
    std::vector<uint8_t> row(static_cast<size_t>(n));
    uint8_t lo = 255, hi = 0;
    for (int32_t y = 0; y < n; ++y) {
        report.Step(y, n);
        reader.ReadRow(row.data());
        uint32_t* out = picture.Row(y);
        for (int32_t x = 0; x < n; ++x) {
            const uint8_t v = row[x];
            loaded.ReAt(x, y) = v;
            loaded.SampleSum += v;
            out[x] = PackPixel(v, v, v);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    s = std::move(loaded);
    input = std::move(picture);
    minSample = lo;
    maxSample = hi;
    return true;
}

void LoadFFTChannel(TFFTSpectrum& s, const Picture& picture, int shiftBits) {
    const int32_t n = picture.Width;
    s.Resize(n);
    ForEachByStrips(n, TFFTReport(), [&](int32_t x, int32_t y) {
        const double v = static_cast<double>((picture.At(x, y) >> shiftBits) & 0xFFu);
        s.ReAt(x, y) = v;
        s.SampleSum += v;
    });
}

bool ProcessFFTBand(TFFTSpectrum& s, const TFFTSettings& t, Picture& spectrumImage,
                    const TFFTReport& report) {
    const int32_t n = s.N;
    int32_t exponent = 0, status = 0;
    PowerOfTwoIndex(n, exponent, status);
    // The line transform needs at least four points and at most its work arrays.
    if (status != fsSuccess || n < 4 || n > FFTMaxLength) {
        ShowMessageNumber(39960);
        return false;
    }
    report.Say("Mean Mr. Mustard");
    const double mean = s.SampleSum / (static_cast<double>(n) * n);
    for (double& v : s.Re)
        v -= mean;

    // With "Inverse" clear the forward passes take the opposite sign of the exponent; the
    // inverse passes always take the other one, so the two undo each other either way.
    const bool backward = !t.InverseChecked;
    TPassWork work;
    report.Say("FORWARD FFT Vertical (1of4)");
    ColumnPass(s, work, true, backward, n, report);
    report.Say("FORWARD FFT Horizontal (2of4)");
    ForwardRowPass(s, work, backward, report);
    if (t.Filter >= ffLowPass && t.Filter <= ffPowerLaw) {
        report.Say("Processing Filter ");
        ApplyFilter(s, t, report);
    }
    report.Say("Display Resultant FFT Image");
    ShowSpectrum(s, t, spectrumImage, report);
    report.Say("Inverse FFT Vertical (3of4)");
    ColumnPass(s, work, false, !backward, n / 2 + 1, report);
    MirrorColumns(s);
    report.Say("Inverse FFT Horizontal (4of4)");
    RealRowPass(s, work, !backward, report);
    return true;
}

void ShowFFTResult(const TFFTSpectrum& s, Picture& output, const TFFTReport& report) {
    report.Say("Display Resultant Image Count");
    const TRealRange r = ResultRange(s, report);
    report.Say("Display Resultant Image");
    output.Fit(s.N, s.N);
    PaintResult(s, r, output, 0, true, report);
}

bool ProcessFFTPicture(TFFTSpectrum& s, const Picture& input, const TFFTSettings& t,
                       Picture& spectrumImage, Picture& output, const TFFTReport& report) {
    struct Channel {
        int Shift;
        const char* Load;
        const char* Display;
    };
    static constexpr Channel channels[] = {
        {16, "Load Red Image", "Display Resultant Red Image"},
        {8, "Load Green Image", "Display Resultant Green Image"},
        {0, "Load Blue Image", "Display Resultant Blue Image"},
    };
    const int32_t n = input.Width;
    if (output.Width != n || output.Height != n) output = input;
    for (const Channel& c : channels) {
        report.Say(c.Load);
        LoadFFTChannel(s, input, c.Shift);
        if (!ProcessFFTBand(s, t, spectrumImage, report)) return false;
        report.Say(c.Display);
        PaintResult(s, ResultRange(s, report), output, c.Shift, false, report);
    }
    report.Say("Display Resultant Image");
    return true;
}

std::vector<uint8_t> FFTResultBandBytes(const Picture& output, const TFFTReport& report) {
    std::vector<uint8_t> bytes(static_cast<size_t>(output.Width) *
                               static_cast<size_t>(std::max(output.Height, 0)));
    for (int y = 0; y < output.Height; ++y) {
        report.Step(y, output.Height);
        const uint32_t* row = output.Row(y);
        uint8_t* out = bytes.data() + static_cast<size_t>(y) * output.Width;
        for (int x = 0; x < output.Width; ++x)
            out[x] = PixelRed(row[x]);
    }
    return bytes;
}

std::string FFTElapsedCaption(int64_t ms) {
    const int64_t hours = ms / 3600000;
    const int64_t minutes = ms / 60000 % 60;
    const int64_t seconds = ms / 1000 % 60;
    return "Hours " + IntToStr(hours) + "Minutes " + IntToStr(minutes) + "." + IntToStr(seconds) +
           "." + IntToStr(ms % 1000);
}
