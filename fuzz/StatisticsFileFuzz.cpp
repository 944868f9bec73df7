// Any bytes as a statistics file (".adt"): the reader takes 36 sound lines whose channel values
// lie in 0..255, or refuses and leaves the figures as they were.
// Seeds: companions/*.adt
#include "fuzz/FuzzSupport.h"
#include "histogram/vUHistoCC.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StatisticsFileName = FuzzFile("scene.adt", data, size);
    BandStatistics marker;
    marker.Mean = -7;
    BandHistogramStats.fill(marker);
    if (ReadStatisticsFile()) {
        for (const BandStatistics& s : BandHistogramStats)
            for (int32_t v : {s.Min, s.Max, s.Mean, s.Median, s.Mode})
                if (v < 0 || v > 255) std::abort();
    } else {
        for (const BandStatistics& s : BandHistogramStats)
            if (s.Mean != -7) std::abort();
    }
    return 0;
}
