#include "shell/ui/vPrinting.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"

#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace {
// The file the print dialog last named, chosen there for the next print into it (the dialog asked
// before it let an existing one go), and the file as the last print into it left it: a print into
// either replaces it without a second question. Once printed, the file is judged by its stamp.
std::string DialogChosenFile;
TFileStamp PrintedFile;
} // namespace

QPrinter& UsablePrinter(std::unique_ptr<QPrinter>& printer) {
    // A document that failed to start leaves the printer marked active with nothing painting on
    // it, and such a printer refuses every later setting, a PDF file chosen in the print dialog
    // among them: it is replaced by a fresh one.
    if (printer && printer->printerState() == QPrinter::Active && !printer->paintingActive())
        printer.reset();
    // At the printer's own resolution: one picture pixel prints as one printer pixel.
    if (!printer) printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer;
}

QPrinter& ProgramPrinter() {
    if (VORNForm) return VORNForm->PrinterDevice();
    static std::unique_ptr<QPrinter> own;
    return UsablePrinter(own);
}

bool ChoosePrinterSettings(QPrinter& printer, QWidget* parent, const char* name) {
    const TPrinterSettings before(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(name);
    if (dialog.exec() == QDialog::Accepted) {
        DialogChosenFile = QFile::encodeName(printer.outputFileName()).toStdString();
        return true;
    }
    before.PutBack(printer);
    return false;
}

PrinterReadiness ReadinessOf(const QPrinter& printer) {
    if (printer.printerState() == QPrinter::Active) return PrinterReadiness::Printing;
    // Without a printer the print service offers a PDF with no file to write it to; beginning a
    // document there fails and leaves the printer active for good.
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName().isEmpty() ? PrinterReadiness::NoPrinter
                                                  : PrinterReadiness::Ready;
    return printer.isValid() ? PrinterReadiness::Ready : PrinterReadiness::NoPrinter;
}

std::unique_ptr<TPrintedFile> ReadyPrinter(const std::function<void()>& noPrinter) {
    QPrinter& printer = ProgramPrinter();
    switch (ReadinessOf(printer)) {
    case PrinterReadiness::Ready: {
        // A printer that writes to a file writes over it from the first page on: a file there
        // that neither the print dialog named nor a print left goes only when the user says so,
        // asked before the printer starts.
        const std::string file = QFile::encodeName(printer.outputFileName()).toStdString();
        TReplaceLeave leave = TReplaceLeave::Own(PrintedFile);
        if (!file.empty() && file == DialogChosenFile)
            leave = leave.And(TReplaceLeave::Chosen(file));
        TWriteRun run;
        if (!run.MayWrite({file}, leave)) return nullptr;
        return std::make_unique<TPrintedFile>(printer, leave, [](const std::string& printed) {
            DialogChosenFile.clear();
            PrintedFile = StampFile(printed);
        });
    }
    case PrinterReadiness::Printing:
        ShowMessageNumber(37);
        return nullptr;
    case PrinterReadiness::NoPrinter:
        noPrinter();
        return nullptr;
    }
    return nullptr;
}

void SayNoPrinterAvailable() {
    HookShowMessage(MsgKind::Information, "No printer is available.", MessageX, MessageY);
}

PrintOutcome PrintTextDocument(const QTextDocument& document, const QString& title,
                               const std::function<void()>& noPrinter) {
    const auto ready = ReadyPrinter(noPrinter);
    if (!ready) return PrintOutcome::Refused;
    QPrinter& printer = ready->Printer();
    // The title is this document's; the next print keeps the one the user set.
    const QString docName = printer.docName();
    printer.setDocName(title);
    document.print(&printer);
    printer.setDocName(docName);
    if (printer.printerState() != QPrinter::Idle) return PrintOutcome::Failed;
    ready->Commit();
    return PrintOutcome::Printed;
}

void PrintTextOrRaise(const QTextDocument& document, const QString& title) {
    if (PrintTextDocument(document, title, SayNoPrinterAvailable) == PrintOutcome::Failed)
        throw EInOutError(EInOutError::AccessDenied);
}
