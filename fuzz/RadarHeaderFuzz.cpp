// Any bytes as a radar DAT record: the reader fills the DIH page or shows its message and leaves the page
// as it was, never reading past the text.
// Seeds: **/*.dat
#include "fuzz/SavedDIHCheck.h"
#include "import/vForeignHeaders.h"
#include "shell/vGlobal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile("scene.dat", data, size);
    // A header it takes saves a DIH that reads back whole.
    RunGuarded([&path] {
        if (RIHOpenDATHeader(HeaderPages, path)) CheckSavedDIHReadsBack(HeaderPages);
    });
    return 0;
}
