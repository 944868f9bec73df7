// Any bytes as a seed-break file (".ads"): the reader takes a file of exactly the three tables'
// size byte for byte, or refuses and leaves the tables as they were.
// Seeds: companions/*.ads
#include "fuzz/FuzzSupport.h"
#include "histogram/vUHistoCC.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SeedFileName = FuzzFile("scene.ads", data, size);
    for (SeedBreakTable& table : SeedBreakTables)
        for (SeedBreakRow& row : table)
            row.fill(0xA5);
    const bool read = ReadSeedFile();
    if (read != (static_cast<int64_t>(size) == SeedFileSize)) std::abort();
    size_t at = 0;
    for (const SeedBreakTable& table : SeedBreakTables)
        for (const SeedBreakRow& row : table)
            for (uint8_t element : row)
                if (element != (read ? data[at++] : 0xA5)) std::abort();
    return 0;
}
