// Any bytes as an accuracy-matrix report (.rcm): the reader never reads past the data, and what
// it gives is written and read back with the same text and the same look.
// Seeds: seeds/accuracy.rcm accuracy-formatted.rcm
#include "classify/vAccuracyReport.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string TextOf(const AccuracyReport& report) {
    std::string text;
    for (const RichParagraph& p : report) {
        for (const RichRun& r : p)
            text += r.Text;
        text += '\n';
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const AccuracyReport read =
        ParagraphsFromDocument(std::string_view(reinterpret_cast<const char*>(data), size));
    // Stretches of one look read from differently numbered table entries come back as one, so
    // the second round trip is the one that must change nothing.
    const AccuracyReport once = ParagraphsFromDocument(RichTextFromParagraphs(read));
    if (TextOf(once) != TextOf(read)) std::abort();
    if (ParagraphsFromDocument(RichTextFromParagraphs(once)) != once) std::abort();
    return 0;
}
