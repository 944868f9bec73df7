#include "platform/PlRichText.h"

#include "runtime/RtFiles.h"

#include <cstdint>

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

std::string RichTextFromLines(const std::vector<std::string>& lines) {
    std::string out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\r\n\\f0\\fs20 ";
    for (const std::string& line : lines) {
        for (char ch : line) {
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
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

bool IsRichText(std::string_view text) {
    return text.substr(0, 5) == "{\\rtf";
}

std::vector<std::string> LinesFromRichText(std::string_view rtf) {
    std::vector<std::string> lines;
    std::string line;
    // Per open group: whether its text is skipped. Kept as counts, so nesting costs no stack.
    size_t depth = 0;
    size_t skipFrom = SIZE_MAX; // the depth whose group is skipped, with everything inside
    bool groupStart = false;
    int unicodeFallback = 1;
    int fallbackLeft = 0;
    auto emit = [&](char c) {
        if (fallbackLeft > 0) {
            --fallbackLeft;
            return;
        }
        if (skipFrom == SIZE_MAX) line += c;
    };
    for (size_t i = 0; i < rtf.size();) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
            groupStart = true;
            ++i;
            continue;
        }
        if (c == '}') {
            if (depth == skipFrom) skipFrom = SIZE_MAX;
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
                if (skipFrom == SIZE_MAX) {
                    lines.push_back(line);
                    line.clear();
                }
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
        if (atGroupStart && skipFrom == SIZE_MAX && SkippedDestination(word)) {
            skipFrom = depth;
            continue;
        }
        if (skipFrom != SIZE_MAX) continue;
        if (word == "par" || word == "line") {
            lines.push_back(line);
            line.clear();
        } else if (word == "tab") {
            emit('\t');
        } else if (word == "uc" && hasParam) {
            unicodeFallback = static_cast<int>(param < 0 ? 0 : param);
        } else if (word == "u" && hasParam) {
            const int64_t code = param < 0 ? param + 65536 : param;
            emit(code >= 0 && code < 256 ? static_cast<char>(code) : '?');
            fallbackLeft = unicodeFallback;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::vector<std::string> LinesFromDocument(std::string_view text) {
    return IsRichText(text) ? LinesFromRichText(text) : SplitLines(text);
}
