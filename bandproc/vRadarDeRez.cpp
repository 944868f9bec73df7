#include "bandproc/vRadarDeRez.h"

#include "bandproc/vBandFiles.h"
#include "import/vBandFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <vector>

namespace {

constexpr int StartGauge = 5;
constexpr int HalfGauge = 50;

struct TGaugeReset {
    ~TGaugeReset() { HookBandGauge(0); }
};

inline int32_t Sample(const uint8_t* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

} // namespace

bool RadarDeRez16(const std::string& input, const std::string& output, int64_t rows,
                  int64_t columns, std::vector<std::string>& processList) {
    if (!SaneBandSize(columns, rows)) {
        ShowMessageNumber(36);
        return false;
    }
    if (RefuseProducts({output}, {input})) return false;
    TGaugeReset reset;
    TBandReader band(input, columns * 2, rows);
    std::vector<uint8_t> in(static_cast<size_t>(columns * 2));
    std::vector<uint8_t> out(static_cast<size_t>(columns));
    HookBandGauge(StartGauge);
    int32_t max = 0;
    int32_t min = 32767;
    for (int64_t r = 0; r < rows; ++r) {
        HookProcessMessages();
        band.ReadRow(in.data());
        const uint8_t* p = in.data();
        for (int64_t k = 0; k < columns; ++k, p += 2) {
            const int32_t s = Sample(p);
            if (s > max) max = s;
            if (s < min) min = s;
        }
    }
    HookBandGauge(HalfGauge);
    TProductWriter product(output);
    band.Rewind();
    for (int64_t r = 0; r < rows; ++r) {
        HookProcessMessages();
        band.ReadRow(in.data());
        const uint8_t* p = in.data();
        // In whole numbers: a step of (max - min) / 255 in floating point turns many exact
        // halves into x.4999... and rounds them down.
        for (int64_t k = 0; k < columns; ++k, p += 2)
            out[static_cast<size_t>(k)] = ReduceSample(Sample(p), min, max);
        product.WriteRow(out.data(), columns);
    }
    product.Commit();
    processList.push_back(output);
    return true;
}
