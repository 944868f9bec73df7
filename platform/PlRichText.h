// Text boxes saved as rich-text documents: one paragraph per line. The writer makes the
// smallest document a word processor reads; the reader takes the paragraphs' text of any
// document (font, colour and style tables and other destinations skipped), and a file that is
// not rich text is read as plain lines. Report boxes keep their characters' font, size, weight
// and colour as well.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

std::string RichTextFromLines(const std::vector<std::string>& lines);
bool IsRichText(std::string_view text);
std::vector<std::string> LinesFromRichText(std::string_view rtf);
// Rich text when the text is one, else its plain lines.
std::vector<std::string> LinesFromDocument(std::string_view text);

// A stretch of one paragraph in one look. Colours are 0x00BBGGRR; sizes in half points.
struct RichRun {
    std::string Text;
    std::string Font;
    int HalfPoints = 24;
    bool Bold = false;
    uint32_t Color = 0;
    bool operator==(const RichRun&) const = default;
};
using RichParagraph = std::vector<RichRun>;
std::string RichTextFromParagraphs(const std::vector<RichParagraph>& paragraphs);
// Each paragraph's runs as the document sets them (\f, \fs, \b, \cf, \plain, group scopes);
// a file that is not rich text gives one run per line in the default look.
std::vector<RichParagraph> ParagraphsFromDocument(std::string_view text);
