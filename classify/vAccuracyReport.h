// The accuracy-matrix report file (.rcm): the report box's text as a small rich-text document.
// Reading is tolerant, as a rich-text box is: text that is not rich text is taken as it stands,
// unknown control words are passed over and unbalanced groups end with the data.
#pragma once

#include <string>
#include <string_view>

// Lines end in "\n"; bytes are Latin-1.
std::string RtfFromText(std::string_view text);
std::string TextFromRtf(std::string_view rtf);

// The report as it is read (the runtime's input/output error when the file cannot be read or
// is larger than any report) and written whole or not at all.
constexpr size_t MaxReportFileSize = 16u << 20;
std::string LoadAccuracyReport(const std::string& path);
void SaveAccuracyReport(const std::string& path, std::string_view text);
