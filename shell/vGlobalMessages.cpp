#include "shell/vGlobalMessages.h"

#include "import/vHeaderVersions.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalOptions.h"

#include <functional>
#include <map>

namespace {

const std::map<int, std::string>& MessageTable() {
    static const std::map<int, std::string> table = {
        {1, "Resistance is futile"},
        {9, "Under Construction: nothing happened"},
        {10, "Image not loaded"},
        {11, "Requires True Color (24 bit) Colors Setting"},
        {12, "Requires TRUE COLOR (24 bit) Image"},
        {13, "Improper Choices: nothing happened"},
        {14, "I found one"},
        {15, "Number input wrong,\r\nPlease try again"},
        {18, "Gotta have a Distance Value"},
        {19, "Invalid Distance Values"},
        {20, "Cannot Change unless Loaded"},
        {21, "Only Rotate has more than 2 Stages"},
        {22, "Only Sobel and Rotate have more than 1 Stage"},
        {23, "Cannot Change unless Clear"},
        {24, "Top Center Square value wrong"},
        {25, "First Load an image to display"},
        {26, "no font"},
        {27, "The DIS name MUST be Different from DIH\r\nelse many .B?? will have the same name"},
        {28, "3. Gotta have a PNG File name"},
        {29, "Band 1 File does not Exist!"},
        {30, "1. Header record needed"},
        {31, "2. Gotta have a Band 1 File name"},
        {32, "2. Gotta have a Band 2 File name"},
        {33, "2. Gotta have a Band 3 File name"},
        {34, "Band 2 File does not Exist!"},
        {35, "Band 3 File does not Exist!"},
        {36, "Some size is wrong"},
        {37, "Already Printing"},
        {38, "Printing aborted"},
        {39, "RGB Boolean set to Somethingthing!"},
        {40, "Converts 32 to 24 bit Color images"},
        {41, "4bit to 24 bit bitmapped"},
        {42, "8bit to 24 bit bitmapped"},
        {43, "15bit to 24 bit bitmapped"},
        {44, "16bit to 24 bit bitmapped"},
        {45, "32bit to 24 bit bitmapped"},
        {46, "There is no image currently loaded to save."},
        {200, "The chosen projection needs the parameters in the hint list"},
        {9999, "Resistance is futile\r\nAll Messages end here"},
        {10000, "Do you wanna dance?"},
        {10001, "a DIH Header exists, use+append+overwrite instead?"},
        {20000, "Danger Danger"},
        {30000, "There is an Error in the system"},
        {39940, "Folder name longer than 255 characters: the options keep the last folder"},
        {39953, "File name holds a folder: nothing written"},
        {39954, "Macro file name holds a folder: nothing opened"},
        {39955, "Macro file name holds a folder: nothing saved"},
        {39956, "Image too big for memory: nothing loaded"},
        {39957, "Not an HDF file: nothing imported"},
        {39958, "Header ends early or is damaged: nothing imported"},
        {39959, "Not square"},
        {39960, "Not a power of 2"},
        {39961, "too big 2048x2048 Maximum"},
        {39962, "did not converge"},
        {39963, "too many numbers"},
        {39964, "DIH Projection is NOT Valid"},
        {39965, "DIH->DIS LL Projection Error"},
        {39966, "DIH / Extent / Coordinates Valid not Checked.. Invalid?"},
        {39967, "Header Crashed: Cancel or fix DIS Subset Width"},
        {39968, "File unknown"},
        {39969, "Not a Radar DAT file"},
        {39970, "Header Crashed: Cancel or fix Number of Bands"},
        {39971, "Header Crashed: Cancel or fix Coordinates"},
        {39972, "NO HDR FILE NAME!?! ... Bad File Error"},
        {39973, "Error - no files in the Zip file"},
        {39974, "Disk full!?! ... Bad File Error"},
        {39975, "Image Undone or crashed\r\nRestart Line Profile or exit"},
        {39976, " An error was detected when\r\ntrying to fetch registration info."},
        {39977, "You Crashed ! OUT of Resources!"},
        {39978, "Image less than 1024x1024"},
        {39979, "Image less than 512x512"},
        {39980, "Image less than 256x256"},
        {39981, "Stats Error.. Image buggered"},
        {39982, "Filter File unknown"},
        {39983, "Filename has reached 999"},
        {39984, "Failed reading VORN.pof File"},
        {39985, "VORN.pof Does NOT Exist"},
        {39986, "Failed writing VORN.pof File"},
        {39987, "Stat error"},
        {39988, "Height not equal to BR"},
        {39989, "Width not equal to RC"},
        {39990, "Horizontal height: 1and2, 3and4 must be same height\r\nVertical width: 1and3, "
                "2and4 must be same width"},
        {39991, "Horizontal height not same = equal"},
        {39992, "Vertical Width not same = equal"},
        {39993, "Variables blank, files invalid, or page turned"},
        {39994, std::string("Not a DIH file Version: ") + DIHVersionLine},
        {39995, std::string("Not a DIS file Version: ") + DISVersionLine},
        {39996, std::string("Not a DIP file Version: ") + DIPVersionLine},
        {39997, "NO HDR FILE NAME!?!"},
        {39998, "Error opening file"},
        {39999, "There is an Error in the system"},
        {40000, "FATAL Error creating bitmap... byebye"},
    };
    return table;
}

} // namespace

std::string MessageText(int number) {
    if (number == 2)
        return std::string("the VORN program options file\r\n") +
               ExtractFilePath(OptionsFilePath()) +
               "VORN.pof\r\nDoes NOT Exist:... Will Make it\r\nPlease set Options and Directories "
               "in\r\nInvestigate Menu: Options... ";
    const auto& table = MessageTable();
    auto it = table.find(number);
    return it == table.end() ? std::string() : it->second;
}

bool MessageKindOf(int number, MsgKind& kind) {
    if (number < 1 || number > 40000) return false;
    if (number <= 9999)
        kind = MsgKind::Information;
    else if (number <= 19999)
        kind = MsgKind::Confirmation;
    else if (number <= 29999)
        kind = MsgKind::Warning;
    else
        kind = MsgKind::Error;
    return true;
}

void ShowMessageNumber(int number) {
    ShowMessageNumber(number, std::string());
}

namespace {

// The text, the error beep and sound, then the box `show` opens: its answer.
MsgButton ShowNumbered(int number, const std::string& detail,
                       const std::function<MsgButton(MsgKind, const std::string&)>& show) {
    MsgKind kind;
    if (!MessageKindOf(number, kind)) return MsgButton::None;
    std::string text = MessageText(number);
    if (!detail.empty()) text += CRLF + detail;
    if (kind == MsgKind::Error) {
        if (ErrorBeepOption) HookBeep(10000, 1000);
        if (ErrorSpokenOption) HookPlaySound(ExecutableDirectory() + "ERRORV.WAV");
    }
    return show(kind, text);
}

} // namespace

void ShowMessageNumber(int number, const std::string& detail) {
    ShowNumbered(number, detail, [](MsgKind kind, const std::string& text) {
        return HookShowMessage(kind, text, MessageX, MessageY);
    });
}

bool ShowRunMessageNumber(int number) {
    return ShowNumbered(number, {}, [](MsgKind kind, const std::string& text) {
               if (Hooks.ShowRunMessage)
                   return Hooks.ShowRunMessage(kind, text, MessageX, MessageY);
               return HookShowMessage(kind, text, MessageX, MessageY);
           }) == MsgButton::Abort;
}

bool WriteMadeFileOrSay(const std::string& path, const std::string& text,
                        const TReplaceLeave& leave) {
    try {
        WriteMadeFileOrRaise(path, text, leave);
        return true;
    } catch (const EFileKept&) {
        return false;
    } catch (const EInOutError& e) {
        if (Hooks.ShowErrorBox) Hooks.ShowErrorBox(std::string(e.what()) + CRLF + path);
        return false;
    }
}

bool RefuseFolderInName(const std::string& name) {
    if (name.find('/') == std::string::npos) return false;
    ShowMessageNumber(39953, name);
    return true;
}

bool MayReplaceFile(const std::string& file) {
    if (file.empty() || !FileExists(file)) return true;
    return AskToReplaceFiles({file});
}

bool AskToReplaceFiles(const std::vector<std::string>& files) {
    std::string text = files.size() == 1 ? files[0] + " already exists."
                                         : std::string("These files already exist:");
    if (files.size() > 1)
        for (const std::string& f : files)
            text += "\n" + f;
    text += files.size() == 1 ? "\nDo you want to replace it?" : "\nDo you want to replace them?";
    return HookShowMessage(MsgKind::Confirmation, text, MessageX, MessageY) == MsgButton::Yes;
}

namespace {
// The writer asks through the message hook, so the program's dialogs and the tests' scripted
// answers take its question as they take every other one.
const bool ReplaceQuestionSet = (SetReplaceQuestion(AskToReplaceFiles), true);
} // namespace

void ShowFileDataError(const std::string& fileName, int code) {
    if (code == 0) return;
    HookShowMessage(MsgKind::Error,
                    "Error in File data Number: \r\n" + IntToStr(code) + "\r\n" + fileName,
                    MessageX, MessageY);
}
