#include "runtime/ui/RtPrintFile.h"

#include <QFile>
#include <QPrinter>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

TPrinterSettings::TPrinterSettings(const QPrinter& printer)
    : PrinterName(printer.printerName()), FileName(printer.outputFileName()),
      Title(printer.docName()), Format(printer.outputFormat()), Page(printer.pageLayout()),
      Color(printer.colorMode()), Duplex(printer.duplex()), Order(printer.pageOrder()),
      Range(printer.printRange()), Copies(printer.copyCount()), From(printer.fromPage()),
      To(printer.toPage()), Collate(printer.collateCopies()) {}

void TPrinterSettings::PutBack(QPrinter& printer) const {
    // The file name decides the format, and a printer chosen by name resets its page: in this
    // order each setting ends as it was.
    printer.setOutputFileName(FileName);
    if (printer.outputFormat() != Format) printer.setOutputFormat(Format);
    if (Format == QPrinter::NativeFormat) printer.setPrinterName(PrinterName);
    printer.setPageLayout(Page);
    printer.setColorMode(Color);
    printer.setDuplex(Duplex);
    printer.setPageOrder(Order);
    printer.setPrintRange(Range);
    printer.setFromTo(From, To);
    printer.setCopyCount(Copies);
    printer.setCollateCopies(Collate);
    printer.setDocName(Title);
}

// The printer makes no check of its own writes: a disk that fills up under it leaves a cut-off
// document and no sign of it. So it writes into a pipe, and every piece it sends is written here,
// where a failed write is seen.
TPrintedFile::TPrintedFile(QPrinter& printer, const TReplaceLeave& leave,
                           std::function<void(const std::string&)> committed)
    : Device(printer), Page(printer.pageLayout()), FileName(printer.outputFileName()),
      Committed(std::move(committed)) {
    if (FileName.isEmpty()) return;
    Path = QFile::encodeName(FileName).toStdString();
    int ends[2];
    if (!File.Open(SaveTarget(Path), leave)) {
        RaiseIfKept(Path);
        RaiseNamedWriteFailure(Path);
    }
    if (::pipe2(ends, O_CLOEXEC) != 0) RaiseNamedWriteFailure(Path);
    Source = ends[0];
    Feed = ends[1];
    Copier = std::thread([this] {
        char piece[65536];
        for (;;) {
            const ssize_t n = ::read(Source, piece, sizeof piece);
            if (n == 0) return;
            if (n < 0) {
                if (errno == EINTR) continue;
                Lost = true;
                return;
            }
            // Once a piece is lost the rest is read all the same: the printer never waits on a
            // pipe nobody empties.
            if (!Lost && !File.Write(piece, static_cast<size_t>(n))) Lost = true;
        }
    });
    Device.setOutputFileName(QStringLiteral("/proc/self/fd/%1").arg(Feed));
}

TPrintedFile::~TPrintedFile() {
    Drain();
    if (Device.printerState() != QPrinter::Active) Device.setPageLayout(Page);
}

void TPrintedFile::Drain() {
    if (Feed >= 0) ::close(Feed);
    Feed = -1;
    // The printer closed its own end when its painter ended: the copier sees the end of the pipe.
    if (Copier.joinable()) Copier.join();
    if (Source >= 0) ::close(Source);
    Source = -1;
    if (!FileName.isEmpty() && Device.outputFileName() != FileName)
        Device.setOutputFileName(FileName);
}

void TPrintedFile::Commit() {
    if (FileName.isEmpty()) return;
    Drain();
    if (Lost || Device.printerState() != QPrinter::Idle || !File.Commit())
        RaiseNamedWriteFailure(Path);
    if (Committed) Committed(Path);
}
