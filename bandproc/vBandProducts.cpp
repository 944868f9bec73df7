// Products combining several bands sample by sample: band-file algebra, the vegetation
// indices, the Tasselled Cap and the colour exchange through hue, saturation and value.
#include "bandproc/vRowFrame.h"
#include "bandproc/vUPrepare.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

bool ValidSlot(int slot) {
    return slot >= 0 && slot < BandSlotCount;
}

// The band files of the first `count` slots.
std::vector<std::string> SlotFiles(int count) {
    return {SelectedBandFiles.begin(), SelectedBandFiles.begin() + count};
}

// Integer band algebra: a zero divisor has no quotient and gives 0.
int32_t BandAlgebra(int32_t operation, int32_t a, int32_t b) {
    switch (operation) {
    case 0:
        return a + b;
    case 1:
        return a - b;
    case 2:
        return a * b;
    default:
        return b != 0 ? a / b : 0;
    }
}

// Two samples have 65536 pairs: each pair's byte is worked out once (after the first pass's
// range, with autorange) and the rows only look it up.
void RunAlgebra(TRowFrame& f, int32_t operation, bool autoRange, const std::string& path,
                const uint8_t* a, const uint8_t* b) {
    std::vector<int32_t> value(65536);
    for (int32_t i = 0; i < 65536; ++i)
        value[i] = BandAlgebra(operation, i >> 8, i & 255);
    const int64_t w = f.G.W;
    TAutoRange range;
    if (autoRange) {
        int32_t lo = INT32_MAX, hi = INT32_MIN;
        f.Pass([&](int64_t) {
            for (int64_t k = 0; k < w; ++k) {
                const int32_t v = value[a[k] << 8 | b[k]];
                lo = v < lo ? v : lo;
                hi = v > hi ? v : hi;
            }
        });
        range.Take(lo);
        range.Take(hi);
        f.Rewind();
    }
    std::vector<uint8_t> byte(65536);
    for (int32_t i = 0; i < 65536; ++i)
        byte[i] = autoRange ? range.Map(value[i]) : ProductByte(value[i]);
    uint8_t* out = f.AddProduct(path);
    f.Pass([&](int64_t) {
        for (int64_t k = 0; k < w; ++k)
            out[k] = byte[a[k] << 8 | b[k]];
        f.Write(0);
    });
}

} // namespace

bool MultiBandFileAlgebra(int32_t operation, bool autoRange, int slotA, int slotB,
                          const std::string& fileEdit) {
    static const char* const ext[] = {".pfa", ".pfs", ".pfm", ".pfd"};
    if (operation < 0 || operation > 3 || !ValidSlot(slotA) || !ValidSlot(slotB) ||
        RefuseEmptyName(fileEdit))
        return false;
    const std::string path = ProductFileName(fileEdit, ext[operation]);
    if (RefuseProducts({path}, {SelectedBandFiles[slotA], SelectedBandFiles[slotB]})) return false;
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return false;
    TRowFrame f(g, HintMBFA);
    const uint8_t* a = f.AddInput(SelectedBandFiles[slotA]);
    const uint8_t* b = f.AddInput(SelectedBandFiles[slotB]);
    RunAlgebra(f, operation, autoRange, path, a, b);
    f.Commit();
    return true;
}

namespace {

inline double Square(double x) {
    return x * x;
}

} // namespace

bool VegetationIndexAB(int32_t formula, const TVegetationParams& p) {
    static const char* const ext[] = {".pv1", ".pv2", ".pv3", ".pv4"};
    if (formula < 1 || formula > 4 || RefuseEmptyName(p.FileEdit)) return false;
    const std::string path = ProductFileName(p.FileEdit, ext[formula - 1]);
    if (RefuseProducts({path}, SlotFiles(2))) return false;
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return false;
    TRowFrame f(g, HintVIP);
    const uint8_t* a = f.AddInput(SelectedBandFiles[0]);
    const uint8_t* b = f.AddInput(SelectedBandFiles[1]);
    const auto& V = p.V;
    switch (formula) {
    case 1:
        // 0 / 0 where both samples are 0: not a number, so 0 in the product.
        RunValueProduct(f, p.AutoRange, path, [&](int64_t k) {
            const double A = a[k], B = b[k];
            return (A - B) / (A + B);
        });
        break;
    case 2:
        RunValueProduct(f, p.AutoRange, path,
                        [&](int64_t k) { return V[0] * a[k] - static_cast<double>(b[k]); });
        break;
    case 3:
        RunValueProduct(f, p.AutoRange, path, [&](int64_t k) {
            const double A = a[k], B = b[k];
            return std::sqrt(Square(V[0] * A - V[1] * B) + Square(V[2] * A - V[3] * B));
        });
        break;
    default:
        RunValueProduct(f, p.AutoRange, path, [&](int64_t k) {
            const double A = a[k], B = b[k];
            return std::sqrt(Square(V[0] - V[1] * A + V[2] * B) +
                             Square(V[3] + V[4] * A - V[5] * B));
        });
        break;
    }
    f.Commit();
    return true;
}

bool VegetationIndexABCD(const TVegetationParams& p) {
    if (RefuseEmptyName(p.FileEdit)) return false;
    const std::string path = ProductFileName(p.FileEdit, ".pv5");
    if (RefuseProducts({path}, SlotFiles(4))) return false;
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return false;
    TRowFrame f(g, HintVIP);
    const uint8_t* in[4];
    for (int i = 0; i < 4; ++i)
        in[i] = f.AddInput(SelectedBandFiles[i]);
    const auto& V = p.V;
    RunValueProduct(f, p.AutoRange, path, [&](int64_t k) {
        return V[0] * in[0][k] + V[1] * in[1][k] + V[2] * in[2][k] + V[3] * in[3][k];
    });
    f.Commit();
    return true;
}

bool VegetationIndexRoot(const TVegetationParams& p) {
    if (RefuseEmptyName(p.FileEdit)) return false;
    const std::string path = ProductFileName(p.FileEdit, ".pv6");
    if (RefuseProducts({path}, SlotFiles(1))) return false;
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return false;
    TRowFrame f(g, HintVIP);
    const uint8_t* a = f.AddInput(SelectedBandFiles[0]);
    // The root of a negative sum is not a number, so 0 in the product.
    RunValueProduct(f, p.AutoRange, path, [&](int64_t k) { return std::sqrt(a[k] + p.V[0]); });
    f.Commit();
    return true;
}

namespace {

// Slots of bands 1, 2, 3, 4, 5 and 7, with the coefficient column of each.
constexpr int SixBandSlots[6] = {0, 1, 2, 3, 4, 7};

// One row of the four sums over N bands.
template <int N>
void TasselledCapRow(int64_t w, const uint8_t* const* in, const double (&c)[4][6],
                     uint8_t* const* out) {
    for (int64_t k = 0; k < w; ++k) {
        double s[4] = {};
        for (int j = 0; j < N; ++j) {
            const double x = in[j][k];
            for (int p = 0; p < 4; ++p)
                s[p] += c[p][j] * x;
        }
        for (int p = 0; p < 4; ++p)
            out[p][k] = ProductByte(s[p]);
    }
}

} // namespace

bool TasselledCapBands(TasselledCapSet set, const std::array<double, 24>& coefficients,
                       const std::string& fileEdit) {
    static const char* const ext[] = {".pts", ".ptg", ".pty", ".ptn"};
    if (set != TasselledCapSet::FourBands && set != TasselledCapSet::SixBands) return false;
    if (RefuseEmptyName(fileEdit)) return false;
    // The four-band set reads bands 2..5 with their columns; bands 1 and 7 are never opened.
    const int first = set == TasselledCapSet::FourBands ? 1 : 0;
    const int n = set == TasselledCapSet::FourBands ? 4 : 6;
    std::vector<std::string> inputs, products;
    for (int j = 0; j < n; ++j)
        inputs.push_back(SelectedBandFiles[SixBandSlots[first + j]]);
    for (const char* e : ext)
        products.push_back(ProductFileName(fileEdit, e));
    if (RefuseProducts(products, inputs)) return false;
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return false;
    double c[4][6] = {};
    for (int p = 0; p < 4; ++p)
        for (int j = 0; j < n; ++j)
            c[p][j] = coefficients[p * 6 + first + j];
    TRowFrame f(g, HintTassledCap);
    const uint8_t* in[6] = {};
    for (int j = 0; j < n; ++j)
        in[j] = f.AddInput(inputs[j]);
    uint8_t* out[4];
    for (int p = 0; p < 4; ++p)
        out[p] = f.AddProduct(products[p]);
    const int64_t w = g.W;
    f.Pass([&](int64_t) {
        if (n == 4)
            TasselledCapRow<4>(w, in, c, out);
        else
            TasselledCapRow<6>(w, in, c, out);
        for (int p = 0; p < 4; ++p)
            f.Write(p);
    });
    f.Commit();
    return true;
}

void BandRGBtoHSV(double R, double G, double B, double& H, double& S, double& V) {
    const double high = std::fmax(R, std::fmax(G, B));
    const double low = std::fmin(R, std::fmin(G, B));
    const double delta = high - low;
    V = high;
    S = high == 0.0 ? 0.0 : delta / high;
    if (S == 0.0) {
        H = 0.0;
        return;
    }
    if (R == high)
        H = 60.0 * (G - B) / delta;
    else if (G == high)
        H = 60.0 * (B - R) / delta + 120.0;
    else
        H = 60.0 * (R - G) / delta + 240.0;
    if (H < 0.0) H += 360.0;
}

void BandHSVtoRGB(double H, double S, double V, double& R, double& G, double& B) {
    if (S == 0.0 && H == 0.0) {
        R = G = B = V;
        return;
    }
    const double h = (H == 360.0 ? 0.0 : H) / 60.0;
    const int i = static_cast<int>(h);
    const double f = h - i;
    // V, p, q and t, and for each sextant which of them are red, green and blue.
    const double c[4] = {V, V * (1.0 - S), V * (1.0 - S * f), V * (1.0 - S * (1.0 - f))};
    static const int sextant[6][3] = {{0, 3, 1}, {2, 0, 1}, {1, 0, 3},
                                      {1, 2, 0}, {3, 1, 0}, {0, 1, 2}};
    const int* rgb = sextant[i >= 0 && i < 6 ? i : 5];
    R = c[rgb[0]];
    G = c[rgb[1]];
    B = c[rgb[2]];
}

bool RGBHSVExchange(const std::string& fileEdit) {
    static const char* const ext[] = {".prr", ".prg", ".prb"};
    if (RefuseEmptyName(fileEdit)) return false;
    std::vector<std::string> products;
    for (const char* e : ext)
        products.push_back(ProductFileName(fileEdit, e));
    if (RefuseProducts(products, SlotFiles(4))) return false;
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return false;
    TRowFrame f(g, HintRGBHSV);
    const uint8_t* in[4];
    for (int i = 0; i < 4; ++i)
        in[i] = f.AddInput(SelectedBandFiles[i]);
    uint8_t* out[3];
    for (int i = 0; i < 3; ++i)
        out[i] = f.AddProduct(products[i]);
    f.Pass([&](int64_t) {
        for (int64_t k = 0; k < g.W; ++k) {
            double H, S, V, R, G, B;
            BandRGBtoHSV(in[0][k], in[1][k], in[2][k], H, S, V);
            BandHSVtoRGB(H, S, in[3][k], R, G, B);
            out[0][k] = ProductByte(R);
            out[1][k] = ProductByte(G);
            out[2][k] = ProductByte(B);
        }
        for (int i = 0; i < 3; ++i)
            f.Write(i);
    });
    f.Commit();
    return true;
}
