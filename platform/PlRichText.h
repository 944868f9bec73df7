// Text boxes saved as rich-text documents: one paragraph per line. The writer makes the
// smallest document a word processor reads; the reader takes the paragraphs' text of any
// document (font, colour and style tables and other destinations skipped), and a file that is
// not rich text is read as plain lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

std::string RichTextFromLines(const std::vector<std::string>& lines);
bool IsRichText(std::string_view text);
std::vector<std::string> LinesFromRichText(std::string_view rtf);
// Rich text when the text is one, else its plain lines.
std::vector<std::string> LinesFromDocument(std::string_view text);
