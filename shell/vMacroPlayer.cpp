#include "shell/vMacroPlayer.h"

#include "algebra/vUPixAl.h"
#include "algebra/vUTexture.h"
#include "classify/vClassDispatch.h"
#include "histogram/vSohoCommands.h"
#include "histogram/vUILinear.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "runtime/RtRandom.h"
#include "shell/vGlobal.h"
#include "shell/vMacroCodes.h"
#include "shell/vToolModes.h"

#include <algorithm>
#include <limits>
#include <map>

std::function<bool(const std::string& directory, const std::string& name)> MacroLoadPicture =
    LoadPictureFile;
std::function<void(const std::array<int32_t, 21>& items)> MacroShowPixelAlgebraItems;

std::string MacroStep::L(int k) const {
    return Text.Line(Index + static_cast<size_t>(k));
}

int32_t MacroStep::I(int k) const {
    int code = 0;
    const int64_t v = ValInt(L(k), code);
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

double MacroStep::R(int k) const {
    int code = 0;
    return ValReal(L(k), code);
}

int32_t MacroStep::Radio(int k, int32_t count) const {
    return std::clamp(I(k), -1, count - 1);
}

namespace {

// A step that cannot be done as recorded ends the walk, as a failed load does: the steps after
// it would work on the wrong picture or under the wrong name. Its message has been shown.
struct StepRefused {};

constexpr int NoImageMessage = 10;       // "Image not loaded"
constexpr int NoImageToSaveMessage = 46; // "There is no image currently loaded to save."

void PlayOptions(const MacroStep& s) {
    ReadProcessingOptions([&s](int k) { return s.L(k); });
}

void PlayUndo(const MacroStep&) {
    ReleaseUndoCopy();
    UndoImage();
}

// A played file name is a name, never a path: a save name holding a folder would let a macro
// from elsewhere write over any file, an open name would give the picture a folder the next Save
// writes into. The folder is the directory line's to give.
void RequirePlainFileName(const MacroStep& s, int refusal) {
    if (s.L(2).find('/') == std::string::npos) return;
    ShowMessageNumber(refusal, s.L(2));
    throw StepRefused{};
}

// The picture takes the played name only once it is written there: a failed write used to leave
// the caption naming a file that does not exist, and the next Save wrote there.
void PlaySave(const MacroStep& s) {
    RequirePlainFileName(s, 39955);
    // The picture's own file as it was read or last written; any other file there is asked about.
    if (!SavePictureAs(s.L(1) + s.L(2), ShownPictureLeave())) throw StepRefused{};
    ImageDirectory = s.L(1);
}

void PlayOpen(const MacroStep& s) {
    // The loader names the picture only once it is read: naming it first would leave the old
    // picture under the name of a file that failed, and the next Save would write over that file.
    RequirePlainFileName(s, 39954);
    const std::string path = s.L(1) + s.L(2);
    if (!MacroLoadPicture(ExtractFilePath(path), ExtractFileName(path))) throw StepRefused{};
}

// Numbered from the played name; the picture is named only by what was written.
void PlaySaveNumbered(const MacroStep& s) {
    RequirePlainFileName(s, 39955);
    ImageDirectory = s.L(1);
    SaveNumberedPicture(s.L(1), s.L(2));
}

// Items of the pixel-algebra window's groups, in the recorded order: shape groups have three
// items, band groups three, operation groups four.
constexpr std::array<int32_t, 21> PixelAlgebraItemCounts = {3, 4, 3, 3, 3, 3, 3, 3, 3, 4, 4,
                                                            4, 3, 3, 3, 3, 3, 3, 4, 4, 4};

void PlayPixelAlgebra(const MacroStep& s) {
    std::array<int32_t, 21> items;
    for (size_t k = 0; k < items.size(); ++k)
        items[k] = s.Radio(static_cast<int>(k) + 1, PixelAlgebraItemCounts[k]);
    // The window shows the expression the recorded command runs, as its own Execute would.
    if (MacroShowPixelAlgebraItems) MacroShowPixelAlgebraItems(items);
    // The window's run logs itself; playing it does the same.
    if (RanOnThePicture([&] { DoPixelAlgebra(PixelAlgebraRecordOf(items)); }))
        RecordPixelAlgebra(items);
}

void PlayPixelRatios(const MacroStep& s) {
    // The list index was recorded; the window runs formula index + 1, and nothing for none.
    const int32_t item = s.Radio(1, 15);
    if (item >= 0) DoPixelRatios(static_cast<uint8_t>(item + 1));
}

void PlayPARBMultiply(const MacroStep& s) {
    // Recorded coefficients first, the engine takes the operation first.
    DoPARBMultiply(s.Radio(10, 4), s.R(1), s.R(2), s.R(3), s.R(4), s.R(5), s.R(6), s.R(7), s.R(8),
                   s.R(9));
}

void PlayPMultiply(const MacroStep& s) {
    DoPMultiply(s.Radio(4, 4), s.R(1), s.R(2), s.R(3));
}

void PlayPowerLogWholeP2(const MacroStep& s) {
    DoPowerLogTransform(s.I(1), s.I(2), s.R(3), s.I(4));
}

void PlayPowerLog(const MacroStep& s) {
    DoPowerLogTransform(s.I(1), s.I(2), s.R(3), s.R(4));
}

void PlayRandomNoise(const MacroStep&) {
    rt::Randomize();
    DoRandomNoise();
}

void PlayBrightnessOffset(const MacroStep& s) {
    DoBrightnessOffset(s.I(1));
}

void PlayAContour(const MacroStep& s) {
    AContour(s.I(1), s.I(2), s.I(3));
}

void PlayContour(const MacroStep& s) {
    Do_Contour(s.I(1), s.I(2), s.I(3));
}

void PlayMeasured(const MacroStep& s) {
    Do_Measured_Do(s.I(1), s.I(2), s.I(3));
}

template <int Code> void PlaySoho(const MacroStep& s) {
    soho::PlaySohoCommand(Code, s);
}

// The size, then the second size, height or last pass; the command keeps them to its ranges.
template <int Code> void PlayTexture(const MacroStep& s) {
    RunTextureCommand(*FindTextureCommand(Code), s.I(1), s.I(2));
}

// The routines the player reaches, by code. A code of the macro vocabulary without a row here
// plays a routine that is not part of the program yet: the player says so and goes on.
struct MacroDispatchRow {
    int Code;
    void (*Action)(const MacroStep& step);
};
const MacroDispatchRow Dispatch[] = {
    {0, PlayOptions},
    {1, PlayUndo},
    {2, PlaySave},
    {3, PlayOpen},
    {4, PlaySaveNumbered},
    {5, PlaySave},
    {102, soho::PlayObjectDisplay},
    {104, PlaySoho<104>},
    {105, PlaySoho<105>},
    {106, PlaySoho<106>},
    {107, PlaySoho<107>},
    {108, PlaySoho<108>},
    {109, PlaySoho<109>},
    {110, PlaySoho<110>},
    {111, PlaySoho<111>},
    {112, PlaySoho<112>},
    {113, PlaySoho<113>},
    {114, PlaySoho<114>},
    {115, PlaySoho<115>},
    {116, PlaySoho<116>},
    {201, PlayPixelAlgebra},
    {202, PlayPixelRatios},
    {203, PlayPARBMultiply},
    {204, PlayPMultiply},
    {211, PlayPowerLogWholeP2},
    {212, PlayPowerLog},
    {213, PlayPowerLog},
    {214, PlayRandomNoise},
    {215, PlayBrightnessOffset},
    {151, PlayAContour},
    {152, PlayContour},
    {159, PlayMeasured},
    {351, PlayTexture<351>},
    {352, PlayTexture<352>},
    {353, PlayTexture<353>},
    {354, PlayTexture<354>},
    {355, PlayTexture<355>},
    {356, PlayTexture<356>},
    {357, PlayTexture<357>},
    {358, PlayTexture<358>},
    {359, PlayTexture<359>},
    {360, PlayTexture<360>},
    {361, PlayTexture<361>},
    {362, PlayTexture<362>},
    {400, PlayClassification},
};

std::map<int, MacroRoutine>& WindowRoutines() {
    static std::map<int, MacroRoutine> routines;
    return routines;
}

// Without a picture, a step that works on one ends the walk with one message: each step used to
// report the missing working buffers ("You Crashed ! OUT of Resources!"), once per step. The
// options block and an open need none.
void RequirePicture(int code) {
    if (code == 0 || code == 3 || (ImageBuffersAllocated && !DisplayedPicture.Empty())) return;
    const bool save = code == 2 || code == 4 || code == 5;
    ShowMessageNumber(save ? NoImageToSaveMessage : NoImageMessage);
    throw StepRefused{};
}

void PlayLine(const MacroText& text, size_t index) {
    const std::string line = text.Line(index);
    if (line.empty() || line[0] != '=') return;
    int stop = 0;
    const int code = static_cast<int>(ValInt(line.substr(1, 4), stop));
    if (!FindMacroCode(code)) return;
    const auto* row = std::find_if(std::begin(Dispatch), std::end(Dispatch),
                                   [code](const MacroDispatchRow& r) { return r.Code == code; });
    if (row != std::end(Dispatch)) {
        RequirePicture(code);
        row->Action(MacroStep{text, index});
        return;
    }
    const auto routine = WindowRoutines().find(code);
    if (routine == WindowRoutines().end()) {
        HookStatus(0, "Macro code " + FormatInt(code, 4, true) + " skipped: not available");
        return;
    }
    RequirePicture(code);
    routine->second(MacroStep{text, index});
}

} // namespace

void RegisterMacroRoutine(int code, MacroRoutine routine) {
    WindowRoutines()[code] = std::move(routine);
}

bool PlayMacro(const MacroText& text) {
    OperationScope scope;
    if (!scope.Acquired()) return false;
    bool refused = false;
    const bool ran = RunGuarded([&] {
        try {
            const size_t count = text.Count();
            for (size_t i = 0; i < count; ++i)
                PlayLine(text, i);
        } catch (const StepRefused&) {
            refused = true;
        }
    });
    return ran && !refused;
}

bool PlayMacro(const std::vector<std::string>& lines) {
    return PlayMacro(
        MacroText{[&] { return lines.size(); },
                  [&](size_t i) { return i < lines.size() ? lines[i] : std::string(); }});
}
