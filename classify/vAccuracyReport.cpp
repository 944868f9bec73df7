#include "classify/vAccuracyReport.h"

#include "platform/PlRichText.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"

#include <cstdint>
#include <vector>

std::string ReportFromDocument(std::string_view document) {
    std::string text;
    bool first = true;
    for (const std::string& line : LinesFromDocument(document)) {
        if (!first) text += '\n';
        text += line;
        first = false;
    }
    return text;
}

std::string DocumentFromReport(std::string_view text) {
    std::vector<std::string> lines(1);
    for (char c : text)
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    return RichTextFromLines(lines);
}

std::string LoadAccuracyReport(const std::string& path) {
    const int64_t size = FileSizeOf(path);
    if (size < 0) throw EInOutError(EInOutError::FileNotFound);
    if (size > static_cast<int64_t>(MaxReportFileSize))
        throw EInOutError(EInOutError::ReadBeyondEnd);
    std::string document;
    if (!ReadWholeFile(path, document)) throw EInOutError(EInOutError::AccessDenied);
    return ReportFromDocument(document);
}

void SaveAccuracyReport(const std::string& path, std::string_view text) {
    if (!WriteFileAtomic(path, DocumentFromReport(text))) RaiseWriteFailure(path);
}
