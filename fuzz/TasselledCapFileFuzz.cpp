// Any bytes as a Tasselled Cap coefficient file: the reader takes 24 lines or raises, and what it
// took is written and read back unchanged.
// Seeds: **/*.tc
#include "bandproc/vTasselledCapFile.h"
#include "fuzz/FuzzSupport.h"
#include "shell/vGlobal.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile("coefficients.tc", data, size);
    RunGuarded([&path] {
        TTasselledCapTexts texts;
        ReadTasselledCapFile(path, texts);
        // A line break inside a text cannot come back as the same 24 lines.
        for (const std::string& t : texts)
            if (t.find_first_of("\r\n") != std::string::npos) std::abort();
        WriteTasselledCapFile(path, texts, TReplaceLeave::Chosen(path));
        TTasselledCapTexts again;
        ReadTasselledCapFile(path, again);
        if (again != texts) std::abort();
    });
    return 0;
}
