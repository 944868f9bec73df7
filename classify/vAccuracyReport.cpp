#include "classify/vAccuracyReport.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"

#include <array>

namespace {

constexpr char Hex[] = "0123456789abcdef";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Groups whose content is not text: font and colour tables, document information, pictures,
// and every group marked as ignorable.
bool SkippedDestination(std::string_view word) {
    constexpr std::array<std::string_view, 6> words = {"fonttbl", "colortbl", "stylesheet",
                                                       "info",    "pict",     "header"};
    for (std::string_view w : words)
        if (word == w) return true;
    return false;
}

} // namespace

std::string RtfFromText(std::string_view text) {
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Sans Serif;}}\r\n"
                      "\\viewkind4\\uc1\\pard\\f0\\fs16 ";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '\n')
            out += "\\par\r\n";
        else if (ch == '\t')
            out += "\\tab ";
        else if (ch == '\\' || ch == '{' || ch == '}')
            out += {'\\', ch};
        else if (c >= 0x80 || c < 0x20)
            out += {'\\', '\'', Hex[c >> 4], Hex[c & 15]};
        else
            out += ch;
    }
    out += "}\r\n";
    return out;
}

std::string TextFromRtf(std::string_view rtf) {
    if (rtf.substr(0, 5) != "{\\rtf") return std::string(rtf);
    std::string out;
    int depth = 0;
    int skipBelow = 0; // while non-zero, text of groups at this depth or deeper is passed over
    bool groupStart = false;
    size_t skipChars = 0; // fallback characters after a \u character
    int uc = 1;
    const size_t n = rtf.size();
    const auto emit = [&](char c) {
        if (skipChars) {
            --skipChars;
            return;
        }
        if (!skipBelow) out += c;
    };
    for (size_t i = 0; i < n;) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth, ++i;
            groupStart = true;
            continue;
        }
        if (c == '}') {
            if (skipBelow && depth <= skipBelow) skipBelow = 0;
            --depth, ++i;
            groupStart = false;
            if (depth <= 0) break;
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
        if (i + 1 >= n) break;
        const char s = rtf[i + 1];
        if (!IsLetter(s)) {
            i += 2;
            if (s == '*' && atGroupStart && !skipBelow) skipBelow = depth;
            if (s == '\\' || s == '{' || s == '}') emit(s);
            if (s == '~') emit('\xA0');
            if (s != '\'') continue;
            // A byte in two hex digits; a cut-off one is dropped with what there is of it.
            int value = 0, digits = 0;
            while (digits < 2 && i < n && HexValue(rtf[i]) >= 0)
                value = value * 16 + HexValue(rtf[i++]), ++digits;
            if (digits == 2) emit(static_cast<char>(value));
            continue;
        }
        size_t j = i + 1;
        while (j < n && IsLetter(rtf[j]))
            ++j;
        const std::string_view word = rtf.substr(i + 1, j - i - 1);
        bool negative = false;
        if (j < n && rtf[j] == '-') negative = true, ++j;
        long value = 0;
        bool hasValue = false;
        while (j < n && rtf[j] >= '0' && rtf[j] <= '9') {
            if (value < 1000000) value = value * 10 + (rtf[j] - '0');
            hasValue = true, ++j;
        }
        if (negative) value = -value;
        if (j < n && rtf[j] == ' ') ++j;
        i = j;
        if (atGroupStart && !skipBelow && SkippedDestination(word)) skipBelow = depth;
        if (word == "par" || word == "line") {
            skipChars = 0;
            emit('\n');
        } else if (word == "tab") {
            emit('\t');
        } else if (word == "uc" && hasValue) {
            uc = static_cast<int>(value < 0 ? 0 : value > 8 ? 8 : value);
        } else if (word == "u" && hasValue) {
            const long code = value < 0 ? value + 65536 : value;
            emit(code >= 0 && code <= 255 ? static_cast<char>(code) : '?');
            skipChars = static_cast<size_t>(uc);
        }
    }
    return out;
}

std::string LoadAccuracyReport(const std::string& path) {
    const int64_t size = FileSizeOf(path);
    if (size < 0) throw EInOutError(EInOutError::FileNotFound);
    if (size > static_cast<int64_t>(MaxReportFileSize))
        throw EInOutError(EInOutError::ReadBeyondEnd);
    std::string rtf;
    if (!ReadWholeFile(path, rtf)) throw EInOutError(EInOutError::AccessDenied);
    return TextFromRtf(rtf);
}

void SaveAccuracyReport(const std::string& path, std::string_view text) {
    if (!WriteFileAtomic(path, RtfFromText(text))) RaiseWriteFailure(path);
}
