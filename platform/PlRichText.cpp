#include "platform/PlRichText.h"

#include "runtime/RtFiles.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

constexpr const char* HexDigits = "0123456789abcdef";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Destinations whose text is not part of the document's paragraphs.
bool SkippedDestination(std::string_view word) {
    for (const char* d : {"fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "footer",
                          "headerl", "headerr", "footerl", "footerr", "listtable",
                          "listoverridetable", "revtbl", "rsidtbl", "generator", "xmlnstbl"})
        if (word == d) return true;
    return false;
}

} // namespace

namespace {

void AppendEscaped(std::string& out, const std::string& text) {
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '\\' || ch == '{' || ch == '}') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c >= 0x80) {
            out += "\\'";
            out += HexDigits[c >> 4];
            out += HexDigits[c & 15];
        } else {
            out += ch;
        }
    }
}

// The look of the characters at one point of a document, by table index.
struct Look {
    int64_t Font = 0;
    int64_t HalfPoints = 24;
    bool Bold = false;
    int64_t Color = 0;
    bool operator==(const Look&) const = default;
};

// Groups deeper than this share the look of the deepest saved one: a hostile file's nesting
// costs no more memory than this.
constexpr size_t MaxSavedLooks = 1024;

enum class Table { None, Fonts, Colors };

} // namespace

std::string RichTextFromLines(const std::vector<std::string>& lines) {
    std::string out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\r\n\\f0\\fs20 ";
    for (const std::string& line : lines) {
        AppendEscaped(out, line);
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

std::string RichTextFromParagraphs(const std::vector<RichParagraph>& paragraphs) {
    std::vector<std::string> fonts;
    std::vector<uint32_t> colors;
    const auto indexOf = [](auto& list, const auto& value) {
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i] == value) return i;
        list.push_back(value);
        return list.size() - 1;
    };
    std::string body;
    for (const RichParagraph& p : paragraphs) {
        for (const RichRun& r : p) {
            body += "\\f" + std::to_string(indexOf(fonts, r.Font)) + "\\fs" +
                    std::to_string(r.HalfPoints) + (r.Bold ? "\\b" : "\\b0") + "\\cf" +
                    std::to_string(indexOf(colors, r.Color) + 1) + ' ';
            AppendEscaped(body, r.Text);
        }
        body += "\\par\r\n";
    }
    std::string out = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    for (size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil ";
        AppendEscaped(out, fonts[i]);
        out += ";}";
    }
    // Entry 0 of the colour table is the automatic colour, so colours count from 1.
    out += "}{\\colortbl;";
    for (uint32_t c : colors)
        out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string(c >> 8 & 0xFF) +
               "\\blue" + std::to_string(c >> 16 & 0xFF) + ';';
    out += "}\r\n" + body + "}\r\n";
    return out;
}

bool IsRichText(std::string_view text) {
    return text.substr(0, 5) == "{\\rtf";
}

namespace {

std::vector<RichParagraph> ParagraphsFromRichText(std::string_view rtf) {
    std::vector<RichParagraph> paragraphs;
    RichParagraph paragraph;
    std::vector<std::pair<int64_t, std::string>> fonts;
    std::vector<uint32_t> colors;
    std::string fontName;
    int64_t fontIndex = 0;
    uint32_t color = 0;
    Table table = Table::None;
    size_t tableDepth = 0;
    Look look, lastLook;
    int64_t defaultFont = 0;
    std::vector<Look> saved;
    size_t depth = 0;
    size_t skipFrom = SIZE_MAX; // the depth whose group is skipped, with everything inside
    bool groupStart = false;
    int unicodeFallback = 1;
    int fallbackLeft = 0;
    const auto startRun = [&] {
        RichRun run;
        for (const auto& f : fonts)
            if (f.first == look.Font) run.Font = f.second;
        run.HalfPoints = static_cast<int>(look.HalfPoints);
        run.Bold = look.Bold;
        // Entry 0 of a colour table is the automatic colour, left empty.
        if (look.Color > 0 && static_cast<size_t>(look.Color) < colors.size())
            run.Color = colors[static_cast<size_t>(look.Color)];
        paragraph.push_back(std::move(run));
        lastLook = look;
    };
    const auto emit = [&](char c) {
        if (fallbackLeft > 0) {
            --fallbackLeft;
            return;
        }
        if (skipFrom != SIZE_MAX) return;
        if (table == Table::Fonts) {
            if (c != ';') {
                fontName += c;
                return;
            }
            while (!fontName.empty() && fontName.front() == ' ')
                fontName.erase(fontName.begin());
            fonts.emplace_back(fontIndex, fontName);
            fontName.clear();
        } else if (table == Table::Colors) {
            if (c == ';') colors.push_back(color), color = 0;
        } else {
            if (paragraph.empty() || !(look == lastLook)) startRun();
            paragraph.back().Text += c;
        }
    };
    const auto endParagraph = [&] {
        if (skipFrom != SIZE_MAX || table != Table::None) return;
        paragraphs.push_back(std::move(paragraph));
        paragraph.clear();
    };
    for (size_t i = 0; i < rtf.size();) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
            if (depth <= MaxSavedLooks) saved.push_back(look);
            groupStart = true;
            ++i;
            continue;
        }
        if (c == '}') {
            if (depth == skipFrom) skipFrom = SIZE_MAX;
            if (depth == tableDepth) table = Table::None;
            if (depth > 0 && depth <= MaxSavedLooks) {
                look = saved.back();
                saved.pop_back();
            }
            if (depth > 0) --depth;
            groupStart = false;
            ++i;
            continue;
        }
        const bool atGroupStart = groupStart;
        groupStart = false;
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            emit(c);
            ++i;
            continue;
        }
        // A control word or symbol.
        ++i;
        if (i >= rtf.size()) break;
        const char s = rtf[i];
        if (!IsLetter(s)) {
            ++i;
            if (s == '\'') {
                const int hi = i < rtf.size() ? HexValue(rtf[i]) : -1;
                const int lo = i + 1 < rtf.size() ? HexValue(rtf[i + 1]) : -1;
                if (hi >= 0 && lo >= 0) {
                    emit(static_cast<char>(hi * 16 + lo));
                    i += 2;
                }
            } else if (s == '*') {
                if (atGroupStart && skipFrom == SIZE_MAX) skipFrom = depth;
            } else if (s == '\\' || s == '{' || s == '}') {
                emit(s);
            } else if (s == '~') {
                emit(' ');
            } else if (s == '_') {
                emit('-');
            } else if (s == '\r' || s == '\n') {
                endParagraph();
            }
            continue;
        }
        const size_t wordStart = i;
        while (i < rtf.size() && IsLetter(rtf[i]))
            ++i;
        const std::string_view word = rtf.substr(wordStart, i - wordStart);
        bool negative = false;
        int64_t param = 0;
        bool hasParam = false;
        if (i < rtf.size() && rtf[i] == '-') {
            negative = true;
            ++i;
        }
        while (i < rtf.size() && IsDigit(rtf[i])) {
            if (param < 1000000) param = param * 10 + (rtf[i] - '0');
            hasParam = true;
            ++i;
        }
        if (negative) param = -param;
        if (i < rtf.size() && rtf[i] == ' ') ++i;
        if (skipFrom != SIZE_MAX) continue;
        if (atGroupStart && table == Table::None && (word == "fonttbl" || word == "colortbl")) {
            table = word == "fonttbl" ? Table::Fonts : Table::Colors;
            tableDepth = depth;
            continue;
        }
        if (atGroupStart && SkippedDestination(word)) {
            skipFrom = depth;
            continue;
        }
        if (table == Table::Fonts) {
            if (word == "f") fontIndex = param;
            continue;
        }
        if (table == Table::Colors) {
            const auto part = static_cast<uint32_t>(std::clamp<int64_t>(param, 0, 255));
            if (word == "red") color = (color & 0xFFFF00) | part;
            if (word == "green") color = (color & 0xFF00FF) | part << 8;
            if (word == "blue") color = (color & 0x00FFFF) | part << 16;
            continue;
        }
        if (word == "par" || word == "line") {
            endParagraph();
        } else if (word == "tab") {
            emit('\t');
        } else if (word == "uc" && hasParam) {
            unicodeFallback = static_cast<int>(param < 0 ? 0 : param);
        } else if (word == "u" && hasParam) {
            const int64_t code = param < 0 ? param + 65536 : param;
            emit(code >= 0 && code < 256 ? static_cast<char>(code) : '?');
            fallbackLeft = unicodeFallback;
        } else if (word == "deff") {
            defaultFont = param;
            look.Font = param;
        } else if (word == "plain") {
            look = Look{};
            look.Font = defaultFont;
        } else if (word == "f") {
            look.Font = param;
        } else if (word == "fs" && hasParam && param > 0) {
            look.HalfPoints = param;
        } else if (word == "b") {
            look.Bold = !hasParam || param != 0;
        } else if (word == "cf") {
            look.Color = param;
        }
    }
    if (!paragraph.empty()) paragraphs.push_back(std::move(paragraph));
    return paragraphs;
}

} // namespace

std::vector<std::string> LinesFromRichText(std::string_view rtf) {
    std::vector<std::string> lines;
    for (const RichParagraph& p : ParagraphsFromRichText(rtf)) {
        lines.emplace_back();
        for (const RichRun& r : p)
            lines.back() += r.Text;
    }
    return lines;
}

std::vector<RichParagraph> ParagraphsFromDocument(std::string_view text) {
    if (IsRichText(text)) return ParagraphsFromRichText(text);
    std::vector<RichParagraph> paragraphs;
    for (std::string& line : SplitLines(text)) {
        paragraphs.emplace_back();
        if (!line.empty()) paragraphs.back().push_back(RichRun{std::move(line)});
    }
    return paragraphs;
}

std::vector<std::string> LinesFromDocument(std::string_view text) {
    return IsRichText(text) ? LinesFromRichText(text) : SplitLines(text);
}
