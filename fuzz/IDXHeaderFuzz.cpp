// Any bytes as a IDX header: the reader fills the DIH page or shows its message and leaves the page
// as it was, never reading past the text.
// Seeds: **/*.idx
#include "fuzz/FuzzSupport.h"
#include "import/vForeignHeaders.h"
#include "shell/vGlobal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile("scene.idx", data, size);
    RunGuarded([&path] {
        RIHOpenIDXHeader(HeaderPages, path);
        HeaderPages.DIHLines();
    });
    return 0;
}
