// Any bytes as an object file (.rof): the reader refuses or loads, never reads past a record.
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"
#include "shell/vMarkLists.h"

#include <cstdint>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/vorn-fuzz-" + std::to_string(getpid()) + ".rof";
    WriteFileAtomic(path, data, size);
    RunGuarded([] { ObjectMarks.Assign(ReadObjectFile(path)); });
    return 0;
}
