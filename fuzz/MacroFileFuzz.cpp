// Any bytes as a ".eve" macro file: read as rich text or plain lines, never past the end and
// with no recursion on nested groups.
// Seeds: **/*.eve
#include "fuzz/FuzzSupport.h"
#include "shell/vMacroCodes.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> lines;
    LoadMacroFile(FuzzFile("macro.eve", data, size), lines);
    return 0;
}
