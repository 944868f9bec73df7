#include "classify/vAccuracyReport.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"

#include <cstdint>

AccuracyReport LoadAccuracyReport(const std::string& path) {
    const int64_t size = FileSizeOf(path);
    if (size < 0) throw EInOutError(EInOutError::FileNotFound);
    if (size > static_cast<int64_t>(MaxReportFileSize))
        throw EInOutError(EInOutError::ReadBeyondEnd);
    std::string document;
    if (!ReadWholeFile(path, document)) throw EInOutError(EInOutError::AccessDenied);
    return ParagraphsFromDocument(document);
}

void SaveAccuracyReport(const std::string& path, const AccuracyReport& report,
                        const TReplaceLeave& leave) {
    WriteFileOrRaise(path, RichTextFromParagraphs(report), leave);
}
