// Any bytes as a DIH header: the reader fills the page or stops with a numbered message or the
// conversion error, never reading past the file or allocating for points that are not there.
// Seeds: **/*.dih
#include "fuzz/FuzzSupport.h"
#include "import/vHeaderPages.h"
#include "shell/vGlobal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile("scene.dih", data, size);
    RunGuarded([&path] {
        HeaderPages.RIHOpenRIHHeader(path);
        HeaderPages.DIHLines();
    });
    return 0;
}
