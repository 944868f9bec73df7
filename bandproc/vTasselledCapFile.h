// Tasselled Cap coefficient files (*.tc): 24 lines, one coefficient each as it was typed, in the
// order SBI 1, 2, 3, 4, 5, 7; GVI 1, 2, 3, 4, 5, 7; YVI ...; NSI ...; nothing else.
#pragma once

#include "runtime/RtFiles.h"

#include <array>
#include <string>

constexpr int TasselledCapLines = 24;
using TTasselledCapTexts = std::array<std::string, TasselledCapLines>;

// Raises file not found when the file cannot be read and read beyond end of file when it holds
// fewer than 24 lines; `texts` is then unchanged. Lines past the 24th are not read.
void ReadTasselledCapFile(const std::string& path, TTasselledCapTexts& texts);
// All or nothing, when the writer's rule lets it replace `path` with `leave`; false when the user
// kept the file. Raises the write error.
bool WriteTasselledCapFile(const std::string& path, const TTasselledCapTexts& texts,
                           const TReplaceLeave& leave);
