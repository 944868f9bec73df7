// Any bytes as an object file (.rof): the reader refuses or loads, never reads past a record.
// Seeds: **/*.rof
#include "fuzz/FuzzSupport.h"
#include "shell/vGlobal.h"
#include "shell/vMarkLists.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile("marks.rof", data, size);
    RunGuarded([&path] { ObjectMarks.Assign(ReadObjectFile(path)); });
    return 0;
}
