// Any bytes as a training-site file (.rts): the reader refuses or loads, never reads past a
// record, and a refused file leaves the table as it was.
#include "classify/vTrainingSites.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/vorn-fuzz-" + std::to_string(getpid()) + ".rts";
    WriteFileAtomic(path, data, size);
    SiteTable sites{};
    sites[1].Count = 12345;
    bool loaded = true;
    try {
        LoadTrainingSiteFile(path, sites);
    } catch (const ERunError&) {
        loaded = false;
    }
    if (!loaded && sites[1].Count != 12345) std::abort();
    if (loaded && SiteFileImage(sites) != std::vector<uint8_t>(data, data + size)) std::abort();
    return 0;
}
