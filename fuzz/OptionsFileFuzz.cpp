// Any bytes as "Vorn.pof": the reader refuses or loads, never reads past the record.
// Seeds: **/*.pof
#include "fuzz/FuzzSupport.h"
#include "shell/vGlobal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetOptionsFilePathForTests(FuzzFile("Vorn.pof", data, size));
    RunGuarded([] { LoadOptions(); });
    return 0;
}
