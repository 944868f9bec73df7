#include "shell/vMacroCodes.h"

#include "platform/PlRichText.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <array>

namespace {

// The flag lines of the processing-options block: "<name>:On" or "<name>:Off".
struct OptionFlag {
    int Line;
    const char* Name;
    bool* Global;
};
const OptionFlag OptionFlags[] = {
    {1, "Absolute Values", &AbsoluteValuesOption},
    {2, "Set Absolute", &SetAbsoluteOption},
    {5, "Clip", &ClipOption},
    {6, "Do_0..1..255", &Scale0To255Option},
    {7, "BelowZero -1..0..1", &BelowZeroOption},
    {8, "AutoRange", &AutoRangeOption},
    {9, "Set Threshold", &SetThresholdOption},
    {12, "Toggle Blue", &ToggleBlue},
    {13, "Toggle Green", &ToggleGreen},
    {14, "Toggle Red", &ToggleRed},
    {15, "Toggle RGB", &ToggleRGB},
};
constexpr int OptionLineCount = 15;

const MacroCodeRow CodeTable[] = {
    {0, "=0000  Processing Options"},
    {1, "=0001  UndoImage"},
    {2, "=0002 Saveas"},
    {3, "=0003  Open"},
    {4, "=0004  SaveNumbered"},
    {5, "=0005   Save"},
    {101, "=0101   H_SC Display"},
    {102, "=0102  H SOHO"},
    {104, "=0104  Do_Halley"},
    {105, "=0105  Do_Asteroids"},
    {106, "=0106  Do_Europa"},
    {107, "=0107  Do_DoDoClass"},
    {108, "=0108  Do_Class"},
    {109, "=0109  Do_DoDo"},
    {110, "=0110  Do_Tone"},
    {111, "=0111  Do_SetOSlice"},
    {112, "=0112  Do_SetSlice"},
    {113, "=0113  Do_Slice"},
    {114, "=0114  Do_SetOSIlice"},
    {115, "=0115  Do_SetandSlice"},
    {116, "=0116  Do_SetandSlice"},
    {151, "=0151  AContour"},
    {152, "=0152  Do_Contour"},
    {153, "=0153  Do_EdgeFollow"},
    {154, "=0154  Do_EdgeFlow"},
    {155, "=0155  ContourInterval"},
    {156, nullptr},
    {159, "=0159  Do_Measured_Do"},
    {201, "=0201   Do_PixelAlgebra"},
    {202, "=0202  PixelRatios"},
    {203, "=0203  Do_PARBMultiply"},
    {204, "=0204  Do_PMultiply"},
    {211, nullptr},
    {212, nullptr},
    {213, nullptr},
    {214, nullptr},
    {215, nullptr},
    {301, "=0301  Do_IntegerFile"},
    {302, "=0302  Do_RealFile"},
    {303, "=0303  Do_SobelFile"},
    {304, "=0304  Do_SoDogFile"},
    {305, "=0305  Do_Rotate8SQRTFile"},
    {306, "=0306  Do_Rotate8MaxFile"},
    {307, "=0307  Ratboy"},
    {308, "=0308  Batgirl"},
    {309, "=0309  Do_SlopeFile8"},
    {310, "=0310  Do_SlopeFile6"},
    {311, "=0311  Do_SlopeFile r2 8"},
    {312, "=0312  Do_SlopeDir"},
    {351, "=0351  Do_Texture Min"},
    {352, "=0352  Do_Texture Max"},
    {353, "=0353  Do_Texture Open"},
    {354, "=0354  Do_Texture Close"},
    {355, "=0355  Do_Texture Median"},
    {356, "=0356  Do_Texture Range"},
    {357, "=0357  Do_Texture LowRange"},
    {358, "=0358  Do_Texture Variance"},
    {359, "=0359  Do_ATexture TopHat"},
    {360, "=0360  Do_ATexture RollingBall"},
    {361, "=0361  Do_ATexture IRTopHat"},
    {362, "=0362  Do_ATexture IRRollingBall"},
    {400, nullptr},
};

// Command lines of the classifier families, by CUUCRG item; item 11 records nothing.
constexpr std::array<const char*, 11> ClassificationCommands = {
    "=0400  Do Stats PBox",    "=0400  Do Stats PBox", "=0400  Do Parallel PBox",
    "=0400  Do Parallel PBox", "=0400  Do Clustered",  "=0400  Do Clustered",
    "=0400  Do Clustered",     "=0400  Do Clustered",  "=0400  KB Clustered",
    "=0400  DO Clustered",     "=0400  KBO Clustered"};

std::string OnOff(const char* name, bool on) {
    return std::string(name) + (on ? ":On" : ":Off");
}

} // namespace

std::span<const MacroCodeRow> MacroCodes() {
    return CodeTable;
}

const MacroCodeRow* FindMacroCode(int code) {
    const auto* row = std::find_if(std::begin(CodeTable), std::end(CodeTable),
                                   [code](const MacroCodeRow& r) { return r.Code == code; });
    return row == std::end(CodeTable) ? nullptr : row;
}

std::string MacroCommandLine(int code) {
    const MacroCodeRow* row = FindMacroCode(code);
    return row && row->CommandLine ? row->CommandLine : "";
}

std::vector<std::string> MacroHeaderLines() {
    return {MacroFileHeader, CurrentImageName, CurrentImageFolder};
}

std::vector<std::string> ProcessingOptionsLines() {
    std::vector<std::string> lines(OptionLineCount + 1);
    lines[0] = MacroCommandLine(0);
    for (const OptionFlag& f : OptionFlags)
        lines[static_cast<size_t>(f.Line)] = OnOff(f.Name, *f.Global);
    lines[3] = FloatToStr(RealATMin);
    lines[4] = FloatToStr(RealATMax);
    lines[10] = IntToStr(IntATMin);
    lines[11] = IntToStr(IntATMax);
    return lines;
}

namespace {
std::vector<std::string> RecordingOptions;
} // namespace

std::vector<std::string> StartRecordingOptions() {
    RecordingOptions = ProcessingOptionsLines();
    return RecordingOptions;
}

std::vector<std::string> ChangedRecordingOptions() {
    std::vector<std::string> now = ProcessingOptionsLines();
    const bool begun = !RecordingOptions.empty();
    if (now == RecordingOptions) return {};
    RecordingOptions = now;
    if (!begun) return {};
    return now;
}

void ForgetRecordingOptionsForTests() {
    RecordingOptions.clear();
}

void ReadProcessingOptions(const std::function<std::string(int line)>& block) {
    for (const OptionFlag& f : OptionFlags)
        *f.Global = block(f.Line) == OnOff(f.Name, true);
    int code = 0;
    RealATMin = ValReal(block(3), code);
    RealATMax = ValReal(block(4), code);
    IntATMin = static_cast<uint8_t>(ValInt(block(10), code) & 0xFF);
    IntATMax = static_cast<uint8_t>(ValInt(block(11), code) & 0xFF);
}

std::vector<std::string> FilterBlockLines(const std::string& filterFile, int32_t frgIndex,
                                          bool autoRange) {
    return {ExtractFilePath(filterFile), filterFile, IntToStr(frgIndex), autoRange ? "1" : "0"};
}

std::string ClassificationCommandLine(int32_t classifier) {
    if (classifier < 0 || classifier >= static_cast<int32_t>(ClassificationCommands.size()))
        return "";
    return ClassificationCommands[static_cast<size_t>(classifier)];
}

std::vector<std::string> ClassificationBlockLines(const ClassificationBlock& b) {
    std::vector<std::string> lines = {IntToStr(b.Seed), IntToStr(b.Classifier), b.Radius,
                                      b.Separation,     b.Iterations,           b.MaxClusters};
    if (b.Classifier > 1) lines.push_back(b.TrainingSites);
    if (b.Classifier == 8 || b.Classifier == 10) lines.push_back(b.KnowledgeBase);
    if (b.Classifier == 9 || b.Classifier == 10) lines.push_back(b.Overlay);
    return lines;
}

bool SaveMacroFile(const std::string& path, const std::vector<std::string>& lines,
                   const TReplaceLeave& leave) {
    return WriteFileAtomic(path, RichTextFromLines(lines), leave);
}

bool LoadMacroFile(const std::string& path, std::vector<std::string>& lines) {
    std::string text;
    if (!ReadWholeFile(path, text)) return false;
    lines = LinesFromDocument(text);
    return true;
}
