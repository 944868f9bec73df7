// Any bytes as a training-site file (.rts): the reader refuses or loads its first twenty
// records, never reads past a record, and a refused file leaves the table as it was.
// Seeds: **/*.rts
#include "classify/vTrainingSites.h"
#include "fuzz/FuzzSupport.h"
#include "runtime/RtErrors.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile("sites.rts", data, size);
    SiteTable sites{};
    sites[1].Count = 12345;
    bool loaded = true;
    try {
        LoadTrainingSiteFile(path, sites);
    } catch (const ERunError&) {
        loaded = false;
    }
    if (!loaded && sites[1].Count != 12345) std::abort();
    if (loaded && (size < SiteFileSize ||
                   SiteFileImage(sites) != std::vector<uint8_t>(data, data + SiteFileSize)))
        std::abort();
    return 0;
}
