// Any bytes as a ASCII DDR header: the reader fills the DIH page or shows its message and leaves the page
// as it was, never reading past the text.
// Seeds: **/*.ddr
#include "fuzz/SavedDIHCheck.h"
#include "import/vForeignHeaders.h"
#include "shell/vGlobal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile("scene.ddr", data, size);
    // A header it takes saves a DIH that reads back whole.
    RunGuarded([&path] {
        if (RIHOpenDDRHeader(HeaderPages, path)) CheckSavedDIHReadsBack(HeaderPages);
    });
    return 0;
}
