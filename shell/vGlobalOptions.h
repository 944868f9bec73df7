// The persistent settings: one 3584-byte record in "Vorn.pof", copied to and from these working
// globals. Engines and windows use only the globals.
#pragma once

#include "runtime/RtRecords.h"

#include <array>
#include <cstdint>
#include <string>

constexpr size_t OptionsRecordSize = 3584;
constexpr int FormPositionCount = 31;

// Pair index in FormPositions of each window that keeps its place.
enum FormPositionIndex : int {
    fpMain = 0,
    fpREIV = 1,
    fpOptions = 3,
    fpPrintersize = 4,
    fpResize = 5,
    fpSystemInfo = 6,
    fpInfo = 7,
    fpViewCursorScreen = 8,
    fpRotate = 9,
    fpMagni = 10,
    fpPBandHdr = 11,
    fpDisProcess = 12,
    fpLabelObjects = 13,
    fpObjectMark = 14,
    fpPBands = 15,
    fpHistogram = 16,
    fpFormPrint = 17,
    fpFEdit = 18,
    fpFFT = 19,
    fpClassification = 20,
    fpLinear = 21,
    fpLineProfile = 22,
    fpDistance = 23,
    fpPixelAlgebra = 24,
    fpMacro = 25,
    fpAbout = 30,
};

struct FormPosition {
    int32_t Left = 0;
    int32_t Top = 0;
};

// The working folder: where the file dialogs open, and the folder the options record keeps. It is
// never part of a path that is read or written: it turns into no string, so `ImageDirectory +
// name` does not compile. A dialog starts in it (FileDialogRequest::OpenIn); the options record
// and the windows that show the stored folders read its text (WorkingFolderText), and
// scripts/check-writers refuses that call anywhere else.
class TWorkingFolder {
  public:
    TWorkingFolder& operator=(std::string folder) {
        Folder = std::move(folder);
        return *this;
    }
    bool operator==(const std::string& folder) const { return Folder == folder; }
    void clear() { Folder.clear(); }

  private:
    std::string Folder;
    friend struct FileDialogRequest;
    friend std::string& WorkingFolderText(TWorkingFolder& folder);
};

// The folder's text, for the options record and the windows that show the stored folders.
std::string& WorkingFolderText(TWorkingFolder& folder);

// The characters a directory's field of the options record holds.
constexpr size_t DirectoryFieldLength = 255;
constexpr int LongFolderMessage = 39940;
// A folder longer than its field says so (LongFolderMessage, naming it) and is true: it is not
// taken, and the folder in use stays.
bool RefuseLongDirectory(const std::string& folder);

// Directories, each with its trailing "/".
extern std::string ProgramDirectory;
extern TWorkingFolder ImageDirectory;
extern std::string FilterDirectory;
extern std::string DEMDirectory;
extern std::string VectorsDirectory;
extern std::string VDatabaseDirectory;
extern std::string StorageDirectory;

extern std::array<FormPosition, FormPositionCount> FormPositions;
// Colours are 0x00BBGGRR.
extern std::array<uint32_t, 8> ColorSettings;
extern std::array<uint32_t, 9> ClassColors;
extern std::array<std::array<uint32_t, 16>, 9> ClassColorRamps;

extern bool OpenPreviewOption;
extern bool SavePreviewOption;
extern bool DisplayConvert32Option;
extern bool StartFlagOption; // the byte cleared at every start
extern bool DoneNotificationOption;
extern bool DoneSpokenOption;
extern bool DoneBellsOption;
extern bool DoneWhistlesOption;
extern bool ErrorBeepOption;
extern bool ErrorSpokenOption;
extern bool AutoRangeOption;
extern bool BelowZeroOption;
extern bool ClipOption;
extern bool Scale0To255Option;
extern bool AbsoluteValuesOption;
extern bool SetAbsoluteOption;
extern bool SetThresholdOption;
extern bool ToggleRGB;
extern bool ToggleRed;
extern bool ToggleGreen;
extern bool ToggleBlue;
extern uint8_t IntATMin;
extern uint8_t IntATMax;
extern int32_t MessageX;
extern int32_t MessageY;
extern int32_t RoundedATMin;
extern int32_t RoundedATMax;
extern double ProcessMaxValue;
extern double ProcessMinValue;
extern double RealATMax;
extern double RealATMin;

// The in-memory record: reserved and unused areas keep what was last read.
extern RecordBytes OptionsRecord;

// Full path of "Vorn.pof": beside the executable, or in the user's configuration folder when
// the executable's folder is not writable. Tests may point it elsewhere.
std::string OptionsFilePath();
void SetOptionsFilePathForTests(const std::string& path);

void LoadOptions();
// A file that failed to load is not written over: the first save renames it aside (to
// "Vorn.pof.damaged", or with a number after that when the name is taken) and says so with
// message 2.
void SaveOptions();
void OptionsRecordToGlobals();
void GlobalsToOptionsRecord();
// The first-run values of every field.
void SetDefaultOptions();
// The default class colours, ColorSettings and colour ramps; touches no window.
void ResetClassColors();
