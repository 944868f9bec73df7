// The one printer rule of the print commands: every command prints on the program's printer (the
// one its print dialog sets up) and asks the same question before it begins a document there.
#pragma once

#include "runtime/ui/RtPrintFile.h"

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QTextDocument;
class QWidget;

// `printer`, made on first use and made anew when a document that failed to begin left it stuck.
QPrinter& UsablePrinter(std::unique_ptr<QPrinter>& printer);

// The program's printer; a printer of its own for a window shown without the main window.
QPrinter& ProgramPrinter();

// The print dialog named `name` on `printer`; true when the user confirmed it. A cancelled dialog
// leaves the printer's settings as they were, whatever its pages (and the properties dialog
// within it) set on the printer meanwhile: a later print writes no file the user did not confirm.
bool ChoosePrinterSettings(QPrinter& printer, QWidget* parent, const char* name);

// Whether a document can begin on a printer now.
enum class PrinterReadiness { Ready, Printing, NoPrinter };
PrinterReadiness ReadinessOf(const QPrinter& printer);

// The program's printer when a document can begin on it now, its file (when it prints to one)
// replaced only by Commit once the painter on it has ended. Otherwise nothing: message 37 while
// it prints, the command's own `noPrinter` notice when there is nothing to print to, or the
// user's No to replacing the file the printer writes to.
std::unique_ptr<TPrintedFile> ReadyPrinter(const std::function<void()>& noPrinter);

// The notice of the commands that say in words that there is no printer.
void SayNoPrinterAvailable();

// A text printed as one document titled `title` on the program's printer. A file it cannot write
// raises the input/output error naming the file.
enum class PrintOutcome { Printed, Refused, Failed };
PrintOutcome PrintTextDocument(const QTextDocument& document, const QString& title,
                               const std::function<void()>& noPrinter);

// The same for the text boxes' Print buttons: "No printer is available." when there is none, and
// the run time's "File access denied" when the document cannot begin.
void PrintTextOrRaise(const QTextDocument& document, const QString& title);
