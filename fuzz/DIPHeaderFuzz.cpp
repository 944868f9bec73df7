// Any bytes as a picture's processing-history log: read whole or refused with its message.
// Seeds: **/*.dip
#include "fuzz/FuzzSupport.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile("scene.dip", data, size);
    // The log is found by its name in the picture folder.
    SetImageName(ExtractFilePath(path), CurrentImageName);
    RunGuarded([] { HeaderPages.RIHOpenDIPHeader("scene.dip"); });
    return 0;
}
