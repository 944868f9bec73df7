// The accuracy-matrix report file (.rcm): the report box's lines as a rich-text document. A file
// that is not rich text is read as plain lines, as the report box would take it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text's lines are separated by "\n"; bytes are Latin-1.
std::string ReportFromDocument(std::string_view document);
std::string DocumentFromReport(std::string_view text);

// The runtime's input/output error when the file cannot be read or is larger than any report;
// a save is written whole or not at all.
constexpr size_t MaxReportFileSize = 16u << 20;
std::string LoadAccuracyReport(const std::string& path);
void SaveAccuracyReport(const std::string& path, std::string_view text);
