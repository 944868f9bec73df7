#include "bandproc/vTasselledCapFile.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"

#include <vector>

void ReadTasselledCapFile(const std::string& path, TTasselledCapTexts& texts) {
    std::string text;
    if (!ReadWholeFile(path, text)) throw EInOutError(EInOutError::FileNotFound);
    const std::vector<std::string> lines = SplitLines(text);
    // A short file changes no box: half a grid of new coefficients beside half of the old ones
    // would run without a word.
    if (lines.size() < TasselledCapLines) throw EInOutError(EInOutError::ReadBeyondEnd);
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = lines[i];
}

bool WriteTasselledCapFile(const std::string& path, const TTasselledCapTexts& texts,
                           const TReplaceLeave& leave) {
    const std::vector<std::string> lines(texts.begin(), texts.end());
    try {
        WriteFileOrRaise(path, JoinLinesCRLF(lines), leave);
    } catch (const EFileKept&) {
        return false;
    }
    return true;
}
