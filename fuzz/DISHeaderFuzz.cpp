// Any bytes as a DIS header: the reader fills the page or stops with the conversion error.
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"

#include <cstdint>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/vorn-fuzz-" + std::to_string(getpid()) + ".dis";
    WriteFileAtomic(path, data, size);
    RunGuarded([] {
        HeaderPages.OpenDISHeader(path);
        HeaderPages.DISLines();
    });
    return 0;
}
