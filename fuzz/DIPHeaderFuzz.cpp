// Any bytes as a picture's processing-history log: read whole or refused with its message.
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"

#include <cstdint>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string name = "vorn-fuzz-" + std::to_string(getpid()) + ".dip";
    ImageDirectory = "/tmp/";
    WriteFileAtomic(ImageDirectory + name, data, size);
    RunGuarded([] { HeaderPages.RIHOpenDIPHeader(name); });
    return 0;
}
