// The macro vocabulary: every command code with its recorded command line, the header and the
// processing-options block a recording begins with, the parameter blocks of the filter and
// classification commands, and the ".eve" file that holds a macro text.
#pragma once

#include "runtime/RtFiles.h"
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

inline constexpr const char* MacroFileHeader = "Raster Macro File";

struct MacroCodeRow {
    int Code;
    const char* CommandLine; // as recorded, blanks included; null for the codes never recorded
};

// Every code the player knows, in code order.
std::span<const MacroCodeRow> MacroCodes();
const MacroCodeRow* FindMacroCode(int code);
// The command line of a recorded code; empty for a code that has none.
std::string MacroCommandLine(int code);

// "Raster Macro File", CurrentImageName, CurrentImageFolder.
std::vector<std::string> MacroHeaderLines();
// "=0000  Processing Options" and its 15 lines from the option globals.
std::vector<std::string> ProcessingOptionsLines();
// The options block that starts a recording (Record, Clear): the options as they are now,
// remembered as the ones the recording holds.
std::vector<std::string> StartRecordingOptions();
// A fresh options block when an option was changed since the block the recording holds last,
// remembered in its place; else nothing. The player plays a block wherever it stands, so each
// command plays with the options it was recorded under. A recording begun without a block
// takes the options of its first command as its own.
std::vector<std::string> ChangedRecordingOptions();
// Tests record without the macro window: each begins as if no recording had been made.
void ForgetRecordingOptionsForTests();
// Sets the option globals from the block's lines 1 to 15: a flag is on only when its line is
// the literal ending in On exactly; numbers are read leniently, the two integers narrowed to a
// byte.
void ReadProcessingOptions(const std::function<std::string(int line)>& block);

// The four parameter lines of a filed filter (codes 0301 to 0311).
std::vector<std::string> FilterBlockLines(const std::string& filterFile, int32_t frgIndex,
                                          bool autoRange);
// The command line of the classifier family of a CUUCRG item; empty for one that records
// nothing.
std::string ClassificationCommandLine(int32_t classifier);
struct ClassificationBlock {
    int32_t Seed = 0;
    int32_t Classifier = 0;
    std::string Radius, Separation, Iterations, MaxClusters; // the edits' texts
    std::string TrainingSites, KnowledgeBase, Overlay;       // file names
};
std::vector<std::string> ClassificationBlockLines(const ClassificationBlock& block);

// A macro text saved as a rich-text document; false when it could not be written whole.
bool SaveMacroFile(const std::string& path, const std::vector<std::string>& lines,
                   const TReplaceLeave& leave);
// Rich text or plain text; false when the file cannot be read (lines then unchanged).
bool LoadMacroFile(const std::string& path, std::vector<std::string>& lines);
