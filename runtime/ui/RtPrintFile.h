// A print to a file, made as the one writer makes every file: the printer writes into a
// temporary beside the file it names, which replaces that file only once the whole document is
// on disk. A print that is abandoned or fails leaves the file as it was. Built with the windows:
// it is the one piece of the run time that needs Qt.
#pragma once

#include "runtime/RtFiles.h"

#include <QPageLayout>
#include <QPrinter>
#include <QString>

#include <functional>
#include <string>
#include <thread>

// A printer's settings, taken to be put back as they were: after a print dialog the user
// cancelled, whatever its pages set on the printer meanwhile.
class TPrinterSettings {
  public:
    explicit TPrinterSettings(const QPrinter& printer);
    void PutBack(QPrinter& printer) const;

  private:
    QString PrinterName, FileName, Title;
    QPrinter::OutputFormat Format;
    QPageLayout Page;
    QPrinter::ColorMode Color;
    QPrinter::DuplexMode Duplex;
    QPrinter::PageOrder Order;
    QPrinter::PrintRange Range;
    int Copies, From, To;
    bool Collate;
};

class TPrintedFile {
  public:
    // Sends what `printer` writes to its file, if it writes to one, into a temporary of that file
    // (a printer that prints on paper is left as it is), once the writer's replace rule lets the
    // file go under `leave`. Raises the input/output error naming the file when the temporary
    // cannot be made, and EFileKept when the user keeps the file. `committed` is told the file's
    // path once the whole document has replaced it.
    TPrintedFile(QPrinter& printer, const TReplaceLeave& leave,
                 std::function<void(const std::string&)> committed = {});
    // Removes a temporary that was not committed and gives the printer its file name and its page
    // back: a print that turns the page for itself leaves the next print the user's page. The
    // painter on the printer must have ended: only then has the printer closed its output.
    ~TPrintedFile();
    TPrintedFile(const TPrintedFile&) = delete;
    TPrintedFile& operator=(const TPrintedFile&) = delete;

    QPrinter& Printer() const { return Device; }
    // Once the painter on the printer has ended: the document replaces the file. Raises the
    // input/output error naming the file when any of it could not be written.
    void Commit();

  private:
    // Waits until the printer's output is all on disk, or known to be lost.
    void Drain();

    QPrinter& Device;
    QPageLayout Page;
    // The printer's file as the user named it; empty for a printer that prints on paper.
    QString FileName;
    std::string Path;
    std::function<void(const std::string&)> Committed;
    TReplacingFile File;
    // The pipe the printer writes into, its two ends -1 once closed, and the thread that copies
    // from it into the temporary.
    int Source = -1, Feed = -1;
    std::thread Copier;
    // Set by the copier when a piece could not be written; read once it has ended.
    bool Lost = false;
};
