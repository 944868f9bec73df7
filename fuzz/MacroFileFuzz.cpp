// Any bytes as a ".eve" macro file: read as rich text or plain lines, never past the end and
// with no recursion on nested groups.
#include "runtime/RtFiles.h"
#include "shell/vMacroCodes.h"

#include <cstdint>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/vorn-fuzz-" + std::to_string(getpid()) + ".eve";
    WriteFileAtomic(path, data, size);
    std::vector<std::string> lines;
    LoadMacroFile(path, lines);
    return 0;
}
