// Any bytes as an accuracy-matrix report (.rcm): the reader never reads past the data, and the
// text it gives is written and read back unchanged.
// Seeds: seeds/accuracy.rcm
#include "classify/vAccuracyReport.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text =
        ReportFromDocument(std::string_view(reinterpret_cast<const char*>(data), size));
    if (ReportFromDocument(DocumentFromReport(text)) != text) std::abort();
    return 0;
}
