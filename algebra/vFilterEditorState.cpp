#include "algebra/vFilterEditorState.h"

#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"

#include <algorithm>
#include <cmath>

KernelKind FilterEditType = KernelKind::Real;
bool FilterLoaded = false;
int32_t ShownStage = 1;
FilterKernels EditorKernels;
std::string FilterExtension = "RR3";
std::string FilterFileName;

std::string FilterExtensionOf(KernelKind kind, int32_t n) {
    const char letter[] = {'L', 'R', '2', '8'};
    return std::string("R") + letter[static_cast<int>(kind)] + IntToStr(n);
}

int32_t SizeItemOf(int32_t n) {
    return n >= 3 && n <= 9 && n % 2 == 1 ? (n - 3) / 2 : -1;
}

std::string WithFilterExtension(const std::string& path, const std::string& extension) {
    const std::string dotted = "." + extension;
    return SameText(ExtractFileExt(path), dotted) ? path : ChangeFileExt(path, dotted);
}

std::string KernelCellText(double v) {
    return FormatFixed(v, 6, 3);
}

std::string PresetCellText(double v) {
    return FormatFixed(v, 5, 4);
}

int32_t IntegerOfCell(const std::string& text) {
    int code = 0;
    // Clamped, not cut to 32 bits: a cut would store an unrelated number (2^32 + 1 as 1).
    return static_cast<int32_t>(std::clamp<int64_t>(ValInt(text, code), INT32_MIN, INT32_MAX));
}

double RealOfCell(const std::string& text) {
    int code = 0;
    return ValReal(text, code);
}

namespace {

// The top centre cell as a whole number after trimming, or false.
bool TopCentre(const std::vector<std::string>& grid, int32_t n, double& v) {
    int code = 0;
    const std::string text = Trim(grid[static_cast<size_t>(n / 2)]);
    v = ValReal(text, code);
    return code == 0 && std::isfinite(v);
}

} // namespace

bool FilletPreset(std::vector<std::string>& grid) {
    double v = 0;
    if (grid.size() != 9 || !TopCentre(grid, 3, v)) return false;
    const double s = v > 0 ? 1.0 : -1.0;
    const double r = std::sqrt(std::fabs(v));
    const double cells[9] = {-s * r, v, -s * r, v, -2 * v, v, -s * r, v, -s * r};
    for (size_t i = 0; i < 9; ++i)
        grid[i] = PresetCellText(cells[i]);
    return true;
}

bool FullRPreset(std::vector<std::string>& grid) {
    double v = 0;
    if (grid.size() != 25 || !TopCentre(grid, 5, v)) return false;
    const double s = v > 0 ? 1.0 : -1.0;
    const double r = s * std::sqrt(std::fabs(v));
    // NaN marks the corners, which keep what they hold; the ends of the centre cross take the
    // top centre's text as it stands.
    const double keep = std::nan("");
    const double cells[25] = {keep, r,  v,      r,  keep, //
                              r,    -r, -v,     -r, r,    //
                              v,    -v, -2 * v, -v, v,    //
                              r,    -r, -v,     -r, r,    //
                              keep, r,  v,      r,  keep};
    const std::string top = grid[2];
    for (size_t i = 0; i < 25; ++i) {
        if (std::isnan(cells[i])) continue;
        grid[i] = (i == 2 || i == 10 || i == 14 || i == 22) ? top : PresetCellText(cells[i]);
    }
    return true;
}

bool WavePreset(std::vector<std::string>& grid, int32_t n, int32_t k, bool cosine) {
    if (k == 0 || SizeItemOf(n) < 0 || grid.size() != static_cast<size_t>(n * n)) return false;
    const int32_t c = (n - 1) / 2;
    long double sum = 0;
    for (int32_t i = 0; i < n; ++i)
        for (int32_t j = 0; j < n; ++j) {
            if (i == c && j == c) continue;
            const double d = std::sqrt(double((i - c) * (i - c) + (j - c) * (j - c))) * k;
            const double w = (cosine ? std::cos(d) : std::sin(d)) / d;
            sum += w;
            grid[static_cast<size_t>(i * n + j)] = PresetCellText(w);
        }
    grid[static_cast<size_t>(c * n + c)] = PresetCellText(-static_cast<double>(sum));
    return true;
}
