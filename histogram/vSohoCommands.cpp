// The page's command table, the reading of its edits and the playing of its codes.
#include "histogram/vSohoCommands.h"

#include "histogram/vUISOHO.h"
#include "runtime/RtNumbers.h"
#include "shell/vMacroPlayer.h"

#include <algorithm>

namespace soho {

namespace {

using P = SohoParam;
constexpr SohoParam None = P::Threshold; // filler past a command's parameters

const std::array<SohoCommand, 13> Commands{{
    {104,
     {P::Real, P::Real, P::Real, None},
     3,
     [](const SohoArgs& a) { Do_Halley(a.R[0], a.R[1], a.R[2]); }},
    {105, {P::Real, None, None, None}, 1, [](const SohoArgs& a) { Do_Asteroids(a.R[0]); }},
    {106, {P::Threshold, None, None, None}, 1, [](const SohoArgs& a) { Do_Europa(a.I[0]); }},
    {107, {P::Threshold, None, None, None}, 1, [](const SohoArgs& a) { Do_DoDoClass(a.I[0]); }},
    {108, {P::Threshold, None, None, None}, 1, [](const SohoArgs& a) { Do_Class(a.I[0]); }},
    {109, {P::Threshold, None, None, None}, 1, [](const SohoArgs& a) { Do_DoDo(a.I[0]); }},
    {110, {P::Threshold, None, None, None}, 1, [](const SohoArgs& a) { Do_Tone(a.I[0]); }},
    {111,
     {P::Slice36, None, None, None},
     1,
     [](const SohoArgs& a) { Do_SetOSlice(static_cast<uint8_t>(a.I[0])); }},
    {112,
     {P::Slice18, None, None, None},
     1,
     [](const SohoArgs& a) { Do_SetSlice(static_cast<uint8_t>(a.I[0])); }},
    {113, {P::ClassNumber, None, None, None}, 1, [](const SohoArgs& a) { Do_Slice(a.I[0]); }},
    {114,
     {P::Slice36, P::Threshold, None, None},
     2,
     [](const SohoArgs& a) { Do_SetOSIlice(static_cast<uint8_t>(a.I[0]), a.I[1]); }},
    {115,
     {P::Slice18, P::Threshold, None, None},
     2,
     [](const SohoArgs& a) { Do_SetandSlice(static_cast<uint8_t>(a.I[0]), a.I[1]); }},
    // Recorded under the name of code 0115, but played by its own code: the class slice.
    {116,
     {P::Real, P::Real, P::Real, P::Threshold},
     4,
     [](const SohoArgs& a) { Do_ISlice(a.I[3], a.R[0], a.R[1], a.R[2]); }},
}};

bool IsByte(SohoParam kind) {
    return kind == P::Slice36 || kind == P::Slice18;
}

} // namespace

std::span<const SohoCommand> SohoCommands() {
    return Commands;
}

const SohoCommand* FindSohoCommand(int code) {
    const auto* row = std::find_if(Commands.begin(), Commands.end(),
                                   [code](const SohoCommand& c) { return c.Code == code; });
    return row == Commands.end() ? nullptr : row;
}

void ReadSohoParam(SohoParam kind, std::string_view text, int k, SohoArgs& args) {
    const size_t i = static_cast<size_t>(k);
    int stop = 0;
    if (kind == P::Real) {
        args.R[i] = std::clamp(ValReal(text, stop), 1.0, 255.0);
        return;
    }
    int64_t v = ValInt(text, stop);
    if (IsByte(kind)) v &= 0xFF;
    static constexpr int64_t tops[] = {255, 36, 18, 42};
    v = std::clamp<int64_t>(v, 1, tops[static_cast<size_t>(kind)]);
    args.I[i] = static_cast<int32_t>(v);
}

std::string SohoParamLine(SohoParam kind, const SohoArgs& args, int k) {
    const size_t i = static_cast<size_t>(k);
    return kind == P::Real ? FloatToStr(args.R[i]) : IntToStr(args.I[i]);
}

void PlaySohoCommand(int code, const MacroStep& step) {
    const SohoCommand* command = FindSohoCommand(code);
    if (!command) return;
    SohoArgs args;
    for (int k = 0; k < command->ParamCount; ++k) {
        const SohoParam kind = command->Params[static_cast<size_t>(k)];
        const size_t i = static_cast<size_t>(k);
        if (kind == P::Real)
            args.R[i] = step.R(k + 1);
        else
            args.I[i] = IsByte(kind) ? step.LowByte(k + 1) : step.I(k + 1);
    }
    command->Run(args);
}

void PlayObjectDisplay(const MacroStep& step) {
    RunObjectDisplay(step.I(1));
}

} // namespace soho
