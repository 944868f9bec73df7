// Any bytes as a DIS header: the reader fills the page or stops with the conversion error.
// Seeds: **/*.dis
#include "fuzz/FuzzSupport.h"
#include "import/vHeaderPages.h"
#include "shell/vGlobal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile("scene.dis", data, size);
    RunGuarded([&path] {
        HeaderPages.OpenDISHeader(path);
        HeaderPages.DISLines();
    });
    return 0;
}
