// The row frame shared by every product family, and the single-band products.
#include "bandproc/vUPrepare.h"

#include "bandproc/vRowFrame.h"
#include "runtime/RtErrors.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalHooks.h"
#include "shell/vGlobalMessages.h"
#include "shell/vGlobalOptions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

const char* const HintBand1 = "Processing Band 1";
const char* const HintBand = "Processing Band";
const char* const HintMBFA = "Processing MBFA";
const char* const HintVIP = "Processing VIP";
const char* const HintTassledCap = "Processing Tassled Cap";
const char* const HintRGBHSV = "Processing RGB - HSV - RGB";
const char* const HintPixelBand = "Processing pixel Band";
const char* const HintCombine4 = "Combining 4 Bands";

uint8_t ProductByte(double v) {
    if (!std::isfinite(v)) return 0;
    if (v > 255.0) return 255;
    if (v < 0.0) return 0;
    // Adding and taking away 2^52 + 2^51 leaves v rounded to a whole number, halves to even,
    // as nearbyint does in the default rounding mode, without a library call per sample.
    constexpr double Shift = 6755399441055744.0;
    return static_cast<uint8_t>((v + Shift) - Shift);
}

uint8_t TAutoRange::Map(double v) const {
    const double step = (Maximum - Minimum) / 255.0;
    if (!(step > 0.0)) return 0;
    return ProductByte(((std::isfinite(v) ? v : 0.0) - Minimum) / step);
}

TRowFrame::TRowFrame(const TBandGeometry& g, const std::string& hint) : G(g) {
    HookBandHints(hint);
    HookBandGauge(1);
}

TRowFrame::~TRowFrame() {
    HookBandGauge(0);
}

const uint8_t* TRowFrame::AddInput(const std::string& path) {
    if (RefuseMisfitBand(path, G.W, G.H)) throw EBandRefused(path);
    Inputs.emplace_back(path, G.W, G.H);
    InRows.emplace_back(static_cast<size_t>(G.W), uint8_t{0});
    return InRows.back().data();
}

uint8_t* TRowFrame::AddProduct(const std::string& path, int64_t width) {
    Products.emplace_back(path);
    OutRows.emplace_back(static_cast<size_t>(width > 0 ? width : G.W), uint8_t{0});
    return OutRows.back().data();
}

void TRowFrame::Step(int64_t i) {
    HookBandGauge(std::max(1, RowGauge(i + 1, G.H)));
    HookProcessMessages();
}

void TRowFrame::Rewind() {
    for (auto& in : Inputs)
        in.Rewind();
}

void TRowFrame::Commit() {
    for (auto& p : Products)
        p.Close();
    for (auto& p : Products)
        p.Commit();
}

namespace {

// The band of the single-band page: SceneFolder + the edit's text.
std::string SingleBandInput(const std::string& bandFileEdit) {
    return SceneFolder + bandFileEdit;
}

// An interval or divisor of 0 is a whole number with no result: the run ends on the division
// it would make.
void RefuseZero(int32_t value) {
    if (value == 0) throw EDivByZero();
}

} // namespace

bool SingleBandMath(int32_t operation, int32_t value, const std::string& bandFileEdit,
                    const std::string& newFileEdit) {
    static const char* const ext[] = {".psa", ".pss", ".psm", ".psd"};
    if (operation < 2 || operation > 5 || RefuseEmptyName(newFileEdit)) return false;
    if (operation == 5) RefuseZero(value);
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return false;
    // A sample has 256 values: the result of each is worked out once.
    uint8_t table[256];
    for (int64_t s = 0; s < 256; ++s) {
        int64_t r = 0;
        switch (operation) {
        case 2:
            r = s + value;
            break;
        case 3:
            r = s - value;
            break;
        case 4:
            r = s * value;
            break;
        default:
            r = s / value;
            break;
        }
        table[s] = static_cast<uint8_t>(std::clamp<int64_t>(r, 0, 255));
    }
    const std::string input = SingleBandInput(bandFileEdit);
    const std::string product = ProductFileName(newFileEdit, ext[operation - 2]);
    if (RefuseProducts({product}, {input})) return false;
    TRowFrame f(g, HintBand1);
    const uint8_t* in = f.AddInput(input);
    uint8_t* out = f.AddProduct(product);
    f.Pass([&](int64_t) {
        for (int64_t k = 0; k < g.W; ++k)
            out[k] = table[in[k]];
        f.Write(0);
    });
    f.Commit();
    return true;
}

namespace {

// The line fill and line average: row r - 1 is replaced when r mod N = 0, r the absolute
// number of the row below it; the first and the last row are never replaced.
template <class Replace>
bool RunLineRepair(int32_t interval, const std::string& bandFileEdit,
                   const std::string& newFileEdit, const char* ext, Replace replace) {
    if (RefuseEmptyName(newFileEdit)) return false;
    RefuseZero(interval);
    const std::string input = SingleBandInput(bandFileEdit);
    const std::string product = ProductFileName(newFileEdit, ext);
    if (RefuseProducts({product}, {input})) return false;
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return false;
    const int64_t n = std::llabs(int64_t{interval});
    TRowFrame f(g, HintBand1);
    f.AddInput(input);
    uint8_t* out = f.AddProduct(product);
    const size_t w = static_cast<size_t>(g.W);
    std::vector<uint8_t> buffers(3 * w);
    uint8_t* above = buffers.data();
    uint8_t* middle = above + w;
    uint8_t* below = middle + w;
    f.Step(0);
    f.Read(0, above);
    f.Write(0, above);
    if (g.H == 1) {
        f.Commit();
        return true;
    }
    f.Step(1);
    f.Read(0, middle);
    for (int64_t i = 2; i < g.H; ++i) {
        f.Step(i);
        f.Read(0, below);
        const int64_t r = g.Top + i;
        if (r % n == 0) {
            for (size_t k = 0; k < w; ++k)
                out[k] = replace(above[k], middle[k], below[k]);
            f.Write(0);
        } else {
            f.Write(0, middle);
        }
        std::swap(above, middle);
        std::swap(middle, below);
    }
    // The last row read, now in the middle buffer, is written unchanged.
    f.Write(0, middle);
    f.Commit();
    return true;
}

} // namespace

bool FillEveryLine(int32_t interval, const std::string& bandFileEdit,
                   const std::string& newFileEdit) {
    return RunLineRepair(interval, bandFileEdit, newFileEdit, ".psf",
                         [](int a, int, int b) { return static_cast<uint8_t>((a + b) / 2); });
}

bool AverageEveryLine(int32_t interval, const std::string& bandFileEdit,
                      const std::string& newFileEdit) {
    return RunLineRepair(interval, bandFileEdit, newFileEdit, ".psv", [](int a, int m, int b) {
        return ProductByte(static_cast<double>(a + m + b) / 3.0);
    });
}

bool PixelSizer(int32_t mode, const std::string& bandFileEdit, const std::string& newFileEdit) {
    if (mode < 0 || mode > 3 || RefuseEmptyName(newFileEdit)) return false;
    const std::string input = SingleBandInput(bandFileEdit);
    const std::string product = ProductFileName(newFileEdit, ".pps");
    if (RefuseProducts({product}, {input})) return false;
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return false;
    const bool reduce = mode < 2;
    const int64_t factor = mode % 2 == 0 ? 2 : 3;
    const int64_t outWidth = reduce ? g.W / factor : g.W * factor;
    TRowFrame f(g, HintPixelBand);
    const uint8_t* in = f.AddInput(input);
    // A reduction from a one-sample row writes empty rows; the buffer keeps one byte.
    uint8_t* out = f.AddProduct(product, std::max<int64_t>(outWidth, 1));
    auto onGrid = [factor](int64_t absolute) { return absolute % factor == 0; };
    int64_t first = 0;
    while (!onGrid(g.Left + first))
        ++first;
    f.Pass([&](int64_t i) {
        if (reduce) {
            if (!onGrid(g.Top + i)) return;
            for (int64_t k = 0; k < outWidth; ++k)
                out[k] = in[first + k * factor];
            if (outWidth > 0) f.Write(0);
            return;
        }
        for (int64_t k = 0; k < g.W; ++k)
            for (int64_t j = 0; j < factor; ++j)
                out[k * factor + j] = in[k];
        for (int64_t j = 0; j < factor; ++j)
            f.Write(0);
    });
    f.Commit();
    return true;
}
