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
    // Asked here, so that a kept file is told apart from a written one.
    TWriteRun run;
    if (!run.MayWrite({path}, leave)) return false;
    const std::vector<std::string> lines(texts.begin(), texts.end());
    WriteFileOrRaise(path, JoinLinesCRLF(lines), leave);
    return true;
}
