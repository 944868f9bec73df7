// The accuracy-matrix report file (.rcm): the report box's paragraphs, with their characters'
// font, size, weight and colour, as a rich-text document. A file that is not rich text is read
// as plain lines, as the report box would take it.
#pragma once

#include "platform/PlRichText.h"
#include "runtime/RtFiles.h"

#include <cstddef>
#include <string>
#include <vector>

using AccuracyReport = std::vector<RichParagraph>;

// The runtime's input/output error when the file cannot be read or is larger than any report;
// a save is written whole or not at all.
constexpr size_t MaxReportFileSize = 16u << 20;
AccuracyReport LoadAccuracyReport(const std::string& path);
void SaveAccuracyReport(const std::string& path, const AccuracyReport& report,
                        const TReplaceLeave& leave);
