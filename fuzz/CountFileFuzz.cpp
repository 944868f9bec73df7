// Any bytes as a count file (".adc"): the reader takes three bands that count the same pixels,
// or refuses and leaves the histograms as they were.
// Seeds: companions/*.adc
#include "fuzz/FuzzSupport.h"
#include "histogram/vUHistoCC.h"

#include <cstdlib>
#include <numeric>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CountFileName = FuzzFile("scene.adc", data, size);
    for (int band = 0; band < BandCount; ++band)
        HistogramOf(band).fill(-7);
    if (ReadCountFile()) {
        int64_t totals[BandCount];
        for (int band = 0; band < BandCount; ++band) {
            const BandHistogram& h = HistogramOf(band);
            for (int32_t v : h)
                if (v < 0) std::abort();
            totals[band] = std::accumulate(h.begin(), h.end(), int64_t{0});
        }
        if (totals[0] < 1 || totals[1] != totals[0] || totals[2] != totals[0]) std::abort();
    } else {
        for (int band = 0; band < BandCount; ++band)
            for (int32_t v : HistogramOf(band))
                if (v != -7) std::abort();
    }
    return 0;
}
