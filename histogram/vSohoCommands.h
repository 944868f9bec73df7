// The recorded commands of the density-slicing page, as one table the page, its recording and
// the macro player all walk: each code's parameters in their recorded order, how the page reads
// and clamps each from its edit, and the routine it runs.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct MacroStep;

namespace soho {

enum class SohoParam : uint8_t {
    Threshold,   // integer, 1..255
    Slice36,     // the low eight bits of the integer, 1..36
    Slice18,     // the low eight bits, 1..18
    ClassNumber, // integer, 1..42
    Real,        // real, 1.0..255.0
};

// The values of one run, parameter k in I[k] or R[k] by its kind.
struct SohoArgs {
    std::array<int32_t, 4> I{};
    std::array<double, 4> R{};
};

struct SohoCommand {
    int Code;
    std::array<SohoParam, 4> Params;
    int ParamCount;
    void (*Run)(const SohoArgs& args);
};

std::span<const SohoCommand> SohoCommands();
// Null for a code that is not one of the page's.
const SohoCommand* FindSohoCommand(int code);

// An edit's text read leniently and clamped as the page does, into parameter k of `args`.
void ReadSohoParam(SohoParam kind, std::string_view text, int k, SohoArgs& args);
// Parameter k as its recorded line.
std::string SohoParamLine(SohoParam kind, const SohoArgs& args, int k);

// Plays one of the page's codes (0104 to 0116) from the lines after its command line, with the
// values as the lines hold them, and code 0102 (the object display of the line's item).
void PlaySohoCommand(int code, const MacroStep& step);
void PlayObjectDisplay(const MacroStep& step);

} // namespace soho
