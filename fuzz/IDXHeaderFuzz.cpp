// Any bytes as a IDX header: the reader fills the DIH page or shows its message and leaves the page
// as it was, never reading past the text.
// Seeds: **/*.idx
#include "fuzz/SavedDIHCheck.h"
#include "import/vForeignHeaders.h"
#include "shell/vGlobal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile("scene.idx", data, size);
    // A header it takes saves a DIH that reads back whole.
    RunGuarded([&path] {
        if (RIHOpenIDXHeader(HeaderPages, path)) CheckSavedDIHReadsBack(HeaderPages);
    });
    return 0;
}
