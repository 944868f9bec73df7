// Any bytes as a DIH header: the reader fills the page or stops with a numbered message or the
// conversion error, never reading past the file or allocating for points that are not there.
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"

#include <cstdint>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/vorn-fuzz-" + std::to_string(getpid()) + ".dih";
    WriteFileAtomic(path, data, size);
    RunGuarded([] {
        HeaderPages.RIHOpenRIHHeader(path);
        HeaderPages.DIHLines();
    });
    return 0;
}
