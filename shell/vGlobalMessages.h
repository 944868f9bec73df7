// Numbered messages: every message to the user goes through ShowMessageNumber; the number's
// range chooses the dialog (1..9999 information, 10000..19999 confirmation, 20000..29999
// warning, 30000..40000 error; nothing outside 1..40000).
#pragma once

#include "runtime/RtFiles.h"
#include "shell/vGlobalHooks.h"

#include <string>
#include <vector>

// The table text of a number; message 2 is made from the options file's path; empty when the
// number has no entry.
std::string MessageText(int number);
// The dialog kind of a number, false when the number shows nothing.
bool MessageKindOf(int number, MsgKind& kind);
void ShowMessageNumber(int number);
// The same with a line naming what the message is about (a size, a name) under the text.
void ShowMessageNumber(int number, const std::string& detail);
// A message a long run shows as it goes on, in a box that also offers to end the run: true when
// the user chose Abort.
bool ShowRunMessageNumber(int number);
// Whether `file` may be written over: yes when there is no such file, else the user's Yes to the
// question a save dialog asks. For names a dialog never showed the user (a printer's file, a name
// given another extension after the dialog).
bool MayReplaceFile(const std::string& file);
// The writer's question before it replaces files it has no leave for (TReplaceLeave), naming
// them all; true when the user answered Yes.
bool AskToReplaceFiles(const std::vector<std::string>& files);
// Writes a file the program makes on its own (WriteMadeFileOrRaise) under the writer's replace
// rule; one it cannot write is reported once, in the error box, by the run time's reason and the
// file's path. True when written; false, with nothing said, when the user keeps the file that is
// there.
bool WriteMadeFileOrSay(const std::string& path, const std::string& text,
                        const TReplaceLeave& leave);
// A name a page or a product field takes is a file name: true, with message 39953 naming it,
// when it holds a folder.
bool RefuseFolderInName(const std::string& name);
// A failed number conversion in a data file or an edit box; nothing when code is 0.
void ShowFileDataError(const std::string& fileName, int code);
