// Any bytes as "Vorn.pof": the reader refuses or loads, never reads past the record.
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"

#include <cstdint>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/vorn-fuzz-" + std::to_string(getpid()) + ".pof";
    SetOptionsFilePathForTests(path);
    WriteFileAtomic(path, data, size);
    RunGuarded([] { LoadOptions(); });
    return 0;
}
