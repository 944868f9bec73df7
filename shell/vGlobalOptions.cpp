#include "shell/vGlobalOptions.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalHooks.h"
#include "shell/vGlobalMessages.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

std::string ProgramDirectory;
TWorkingFolder ImageDirectory;
std::string FilterDirectory;
std::string DEMDirectory;
std::string VectorsDirectory;
std::string VDatabaseDirectory;
std::string StorageDirectory;

std::array<FormPosition, FormPositionCount> FormPositions{};
std::array<uint32_t, 8> ColorSettings{};
std::array<uint32_t, 9> ClassColors{};
std::array<std::array<uint32_t, 16>, 9> ClassColorRamps{};

bool OpenPreviewOption = false;
bool SavePreviewOption = false;
bool DisplayConvert32Option = false;
bool StartFlagOption = false;
bool DoneNotificationOption = false;
bool DoneSpokenOption = false;
bool DoneBellsOption = false;
bool DoneWhistlesOption = false;
bool ErrorBeepOption = false;
bool ErrorSpokenOption = false;
bool AutoRangeOption = false;
bool BelowZeroOption = false;
bool ClipOption = false;
bool Scale0To255Option = false;
bool AbsoluteValuesOption = false;
bool SetAbsoluteOption = false;
bool SetThresholdOption = false;
bool ToggleRGB = false;
bool ToggleRed = false;
bool ToggleGreen = false;
bool ToggleBlue = false;
uint8_t IntATMin = 0;
uint8_t IntATMax = 0;
int32_t MessageX = 0;
int32_t MessageY = 0;
int32_t RoundedATMin = 0;
int32_t RoundedATMax = 0;
double ProcessMaxValue = 0.0;
double ProcessMinValue = 0.0;
double RealATMax = 0.0;
double RealATMin = 0.0;

RecordBytes OptionsRecord(OptionsRecordSize);

std::string& WorkingFolderText(TWorkingFolder& folder) {
    return folder.Folder;
}

void FileDialogRequest::OpenIn(const TWorkingFolder& folder) {
    InitialDir = folder.Folder;
}

namespace {

constexpr size_t OffProgramDirectory = 256;
constexpr size_t OffImageDirectory = 512;
constexpr size_t OffFilterDirectory = 768;
constexpr size_t OffDEMDirectory = 1024;
constexpr size_t OffVectorsDirectory = 1280;
constexpr size_t OffVDatabaseDirectory = 1536;
constexpr size_t OffStorageDirectory = 1792;
constexpr size_t OffFormPositions = 2620;
constexpr size_t OffColorSettings = 2868;
constexpr size_t OffClassColors = 2900;
constexpr size_t OffClassColorRamps = 2936;
constexpr size_t OffMessageX = 3536;
constexpr size_t OffMessageY = 3540;
constexpr size_t OffRoundedATMin = 3544;
constexpr size_t OffRoundedATMax = 3548;
constexpr size_t OffProcessMaxValue = 3552;
constexpr size_t OffProcessMinValue = 3560;
constexpr size_t OffRealATMax = 3568;
constexpr size_t OffRealATMin = 3576;

struct StringField {
    size_t Offset;
    std::string* Value;
};

const StringField StringFields[] = {
    {OffProgramDirectory, &ProgramDirectory},
    {OffImageDirectory, &WorkingFolderText(ImageDirectory)},
    {OffFilterDirectory, &FilterDirectory},
    {OffDEMDirectory, &DEMDirectory},
    {OffVectorsDirectory, &VectorsDirectory},
    {OffVDatabaseDirectory, &VDatabaseDirectory},
    {OffStorageDirectory, &StorageDirectory},
};

struct FlagField {
    size_t Offset;
    bool* Value;
};

const FlagField FlagFields[] = {
    {3512, &OpenPreviewOption},
    {3513, &SavePreviewOption},
    {3514, &DisplayConvert32Option},
    {3515, &StartFlagOption},
    {3516, &DoneNotificationOption},
    {3517, &DoneSpokenOption},
    {3518, &DoneBellsOption},
    {3519, &DoneWhistlesOption},
    {3520, &ErrorBeepOption},
    {3521, &ErrorSpokenOption},
    {3522, &AutoRangeOption},
    {3523, &BelowZeroOption},
    {3524, &ClipOption},
    {3525, &Scale0To255Option},
    {3526, &AbsoluteValuesOption},
    {3527, &SetAbsoluteOption},
    {3528, &SetThresholdOption},
    {3529, &ToggleRGB},
    {3530, &ToggleRed},
    {3531, &ToggleGreen},
    {3532, &ToggleBlue},
};

constexpr size_t OffIntATMin = 3533;
constexpr size_t OffIntATMax = 3534;

std::string OptionsPathOverride;
// The options file that failed to load: the first save keeps it aside before writing anew, so
// the directories and positions it holds are not lost to the defaults.
std::string RefusedOptionsPath;
// The options file as this instance read or last wrote it: another instance's changes since are
// replaced only when the user says so.
TFileStamp OptionsStamp;

// The first of name, name.1, name.2, ... that nothing is called yet.
std::string UnusedName(const std::string& name) {
    struct stat st;
    std::string candidate = name;
    for (int n = 1; lstat(candidate.c_str(), &st) == 0; ++n)
        candidate = name + "." + IntToStr(n);
    return candidate;
}

// Colour of ramp group g at entry j, built from the rule of each group.
uint32_t RampColor(int g, int j) {
    auto rgb = [](int r, int gr, int b) {
        return static_cast<uint32_t>(r) | (static_cast<uint32_t>(gr) << 8) |
               (static_cast<uint32_t>(b) << 16);
    };
    const int v = j < 15 ? 16 * j + 15 : 0xFE;
    switch (g) {
    case 0:
        return rgb(0, 0, v);
    case 1:
        return rgb(0, v, v);
    case 2:
        return rgb(0, v, 0);
    case 3:
        if (j == 0) return 0x01010F;
        if (j == 1) return 0x05051F;
        return rgb(v, 16 * j - 17, 16 * j - 17);
    case 4: {
        static const uint32_t low[4] = {0x00030F, 0x00071F, 0x00102F, 0x00133F};
        if (j < 4) return low[j];
        return rgb(v, 16 * j - 49, 0);
    }
    case 5:
        if (j == 0) return 0x060F06;
        if (j == 1) return 0x121F12;
        return rgb(16 * j - 17, v, 16 * j - 17);
    case 6:
        if (j == 0) return 0x0F060F;
        return rgb(v, 16 * j - 1, v);
    case 7:
        return rgb(v, 0, 0);
    default:
        return rgb(v, v, v);
    }
}

} // namespace

std::string OptionsFilePath() {
    if (!OptionsPathOverride.empty()) return OptionsPathOverride;
    const std::string dir = ExecutableDirectory();
    const std::string config = UserConfigHome();
    if (DirectoryWritable(dir) || config.empty()) return dir + "Vorn.pof";
    MakeDirectories(config + "vorn/");
    return config + "vorn/Vorn.pof";
}

void SetOptionsFilePathForTests(const std::string& path) {
    OptionsPathOverride = path;
}

void OptionsRecordToGlobals() {
    const RecordBytes& r = OptionsRecord;
    for (const auto& f : StringFields)
        *f.Value = r.GetShortString(f.Offset);
    for (int k = 0; k < FormPositionCount; ++k) {
        FormPositions[k].Left = r.GetI32(OffFormPositions + 8 * k);
        FormPositions[k].Top = r.GetI32(OffFormPositions + 8 * k + 4);
    }
    for (size_t i = 0; i < ColorSettings.size(); ++i)
        ColorSettings[i] = r.GetU32(OffColorSettings + 4 * i);
    for (size_t i = 0; i < ClassColors.size(); ++i)
        ClassColors[i] = r.GetU32(OffClassColors + 4 * i);
    for (size_t g = 0; g < ClassColorRamps.size(); ++g)
        for (size_t j = 0; j < 16; ++j)
            ClassColorRamps[g][j] = r.GetU32(OffClassColorRamps + 64 * g + 4 * j);
    for (const auto& f : FlagFields)
        *f.Value = r.GetBool(f.Offset);
    IntATMin = r.GetU8(OffIntATMin);
    IntATMax = r.GetU8(OffIntATMax);
    MessageX = r.GetI32(OffMessageX);
    MessageY = r.GetI32(OffMessageY);
    RoundedATMin = r.GetI32(OffRoundedATMin);
    RoundedATMax = r.GetI32(OffRoundedATMax);
    ProcessMaxValue = r.GetF64(OffProcessMaxValue);
    ProcessMinValue = r.GetF64(OffProcessMinValue);
    RealATMax = r.GetF64(OffRealATMax);
    RealATMin = r.GetF64(OffRealATMin);
}

bool RefuseLongDirectory(const std::string& folder) {
    if (folder.size() <= DirectoryFieldLength) return false;
    ShowMessageNumber(LongFolderMessage, folder);
    return true;
}

void GlobalsToOptionsRecord() {
    RecordBytes& r = OptionsRecord;
    // A folder the field cannot hold whole is not stored cut short: the next start would open the
    // folder its first 255 characters name. The last folder that fits stays, in the record and in
    // use.
    for (const auto& f : StringFields)
        if (RefuseLongDirectory(*f.Value))
            *f.Value = r.GetShortString(f.Offset, DirectoryFieldLength);
        else
            r.PutShortString(f.Offset, *f.Value, DirectoryFieldLength);
    for (int k = 0; k < FormPositionCount; ++k) {
        r.PutI32(OffFormPositions + 8 * k, FormPositions[k].Left);
        r.PutI32(OffFormPositions + 8 * k + 4, FormPositions[k].Top);
    }
    for (size_t i = 0; i < ColorSettings.size(); ++i)
        r.PutU32(OffColorSettings + 4 * i, ColorSettings[i]);
    for (size_t i = 0; i < ClassColors.size(); ++i)
        r.PutU32(OffClassColors + 4 * i, ClassColors[i]);
    for (size_t g = 0; g < ClassColorRamps.size(); ++g)
        for (size_t j = 0; j < 16; ++j)
            r.PutU32(OffClassColorRamps + 64 * g + 4 * j, ClassColorRamps[g][j]);
    for (const auto& f : FlagFields)
        r.PutBool(f.Offset, *f.Value);
    r.PutU8(OffIntATMin, IntATMin);
    r.PutU8(OffIntATMax, IntATMax);
    r.PutI32(OffMessageX, MessageX);
    r.PutI32(OffMessageY, MessageY);
    r.PutI32(OffRoundedATMin, RoundedATMin);
    r.PutI32(OffRoundedATMax, RoundedATMax);
    r.PutF64(OffProcessMaxValue, ProcessMaxValue);
    r.PutF64(OffProcessMinValue, ProcessMinValue);
    r.PutF64(OffRealATMax, RealATMax);
    r.PutF64(OffRealATMin, RealATMin);
}

void LoadOptions() {
    const std::string path = OptionsFilePath();
    RefusedOptionsPath.clear();
    OptionsStamp = TFileStamp();
    if (!FileExists(path)) {
        ShowMessageNumber(39985);
        return;
    }
    std::vector<uint8_t> bytes;
    const bool read = ReadWholeFile(path, bytes);
    // A typed file of one record: fewer bytes than a record cannot be read.
    if (!read || bytes.size() < OptionsRecordSize) {
        RefusedOptionsPath = path;
        throw EInOutError(read ? EInOutError::ReadBeyondEnd : EInOutError::AccessDenied);
    }
    OptionsStamp = StampFile(path);
    bytes.resize(OptionsRecordSize);
    OptionsRecord.Bytes = std::move(bytes);
    OptionsRecordToGlobals();
}

void SaveOptions() {
    const std::string path = OptionsFilePath();
    std::string keptAs;
    if (path == RefusedOptionsPath && FileExists(path)) {
        keptAs = UnusedName(path + ".damaged");
        if (!RenameFile(path, keptAs)) throw EInOutError(EInOutError::AccessDenied);
    }
    RefusedOptionsPath.clear();
    if (!FileExists(path))
        ShowMessageNumber(2, keptAs.empty()
                                 ? std::string()
                                 : "The file that could not be read is kept as " + keptAs);
    GlobalsToOptionsRecord();
    if (!WriteFileAtomic(path, OptionsRecord.Bytes, TReplaceLeave::Own(OptionsStamp))) {
        RaiseIfKept(path);
        throw EInOutError(EInOutError::AccessDenied);
    }
    OptionsStamp = StampFile(path);
}

void ResetClassColors() {
    // Entry 0 is nobody's colour: a reset leaves it as it is.
    const uint32_t settings[] = {0xFFFFFF, 0x000000, 0x000000, 0xFE00FE,
                                 0x7F007F, 0x00BFBF, 0x00FEFE};
    std::copy(std::begin(settings), std::end(settings), ColorSettings.begin() + 1);
    ClassColors = {0xBF0000, 0xBFBF00, 0x00BF00, 0x9F9FBF, 0x007FBF,
                   0x9FBF9F, 0x0000BF, 0xBFAFBF, 0xBFBFBF};
    for (int g = 0; g < 9; ++g)
        for (int j = 0; j < 16; ++j)
            ClassColorRamps[g][j] = RampColor(g, j);
}

void SetDefaultOptions() {
    const std::string dir = ExecutableDirectory();
    for (const auto& f : StringFields)
        *f.Value = dir;
    FormPositions[0] = {10, 10};
    for (int k = 1; k < FormPositionCount; ++k)
        FormPositions[k] = {123, 123};
    MessageX = 123;
    MessageY = 123;
    ColorSettings[0] = 0;
    ResetClassColors();
    for (const auto& f : FlagFields)
        *f.Value = false;
    OpenPreviewOption = SavePreviewOption = DisplayConvert32Option = true;
    ClipOption = true;
    ToggleBlue = true;
    IntATMin = 0;
    IntATMax = 255;
    RealATMin = 0.0;
    RealATMax = 255.0;
    RoundedATMin = RoundedATMax = 0;
    ProcessMaxValue = ProcessMinValue = 0.0;
}
