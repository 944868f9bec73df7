// The main window's picture-file commands: open, save, save as, numbered save and export, with
// their dialogs and macro lines; and the toolkit's BMP reader and writer that the engine's
// picture files use.
#include "runtime/RtFiles.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vMacroCodes.h"
#include "shell/vPictureExport.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

const char* const OpenFilter = "All (*.bmp;*.png)|*.bmp;*.png";
constexpr uint64_t MiB = uint64_t{1} << 20;

bool QtDecodeBmp(const uint8_t* data, size_t size, Picture& out, std::string& error) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // The engine has let this picture in by its memory rule; the toolkit's own allocation
    // limit (128 MB by default) would refuse a large one again, so it follows the rule's limit.
    QImageReader::setAllocationLimit(static_cast<int>(
        std::min<uint64_t>((PictureMemoryLimit + MiB - 1) / MiB, std::numeric_limits<int>::max())));
    QImageReader reader(&buffer, "bmp");
    QImage image;
    if (!reader.read(&image)) {
        error = reader.errorString().toStdString();
        return false;
    }
    out = PictureFromImage(image);
    return true;
}

bool QtEncodeBmp(const Picture& picture, std::vector<uint8_t>& out, std::string& error) {
    // Wrapped, not copied; the toolkit writes a 32-bit RGB image as a 24-bit bitmap.
    const QImage image = WrapPicture(picture);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(image)) {
        error = writer.errorString().toStdString();
        return false;
    }
    out.assign(bytes.constBegin(), bytes.constEnd());
    return true;
}

void ShowPlainMessage(const std::string& text) {
    HookShowMessage(MsgKind::Information, text, MessageX, MessageY);
}

// Save As takes only these four spellings.
bool IsSaveAsExtension(const std::string& ext) {
    return ext == ".PNG" || ext == ".png" || ext == ".BMP" || ext == ".bmp";
}

} // namespace

void TVORNForm::InstallPictureFileHooks() {
    SetBmpCodec(QtDecodeBmp, QtEncodeBmp);
    Hooks.SetMainCaption = [](const std::string& caption) {
        // The caption names the picture as the desktop names its file.
        if (VORNForm) VORNForm->setWindowTitle(QFile::decodeName(caption.c_str()));
    };
}

void TVORNForm::F_OpenClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    Guarded([&] {
        FileDialogRequest request;
        request.Preview = OpenPreviewOption;
        request.OpenIn(ImageDirectory);
        request.Filter = OpenFilter;
        const std::string chosen = HookChooseFile(request);
        if (chosen.empty()) return;
        if (LoadFromFile(chosen))
            RecordCommand(MacroCommandLine(3), {CurrentImageFolder, CurrentImageName});
    });
}

bool TVORNForm::LoadFromFile(const std::string& path) {
    // A picture refused for its size is no open: it is not recorded.
    bool loaded = false;
    const bool opened =
        RunGuarded([&] { loaded = OpenPicture(ExtractFilePath(path), ExtractFileName(path)); }) &&
        loaded;
    // The panel's "Image loaded" belongs to the last load, not to a picture refused now.
    if (!opened) HookStatus(0, "");
    return opened;
}

bool TVORNForm::OpenPicture(const std::string& directory, const std::string& name) {
    if (!LoadPictureFile(directory, name)) return false;
    for (QScrollBar* bar : {ScrollBox1->horizontalScrollBar(), ScrollBox1->verticalScrollBar()}) {
        bar->setSingleStep(4);
        bar->setValue(0);
    }
    return true;
}

bool TVORNForm::SaveImage() {
    bool written = false;
    RunGuarded([&] { written = SavePictureFile(LogToDIP); });
    return written;
}

void TVORNForm::F_SaveClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    Guarded([&] {
        HookSetGauge(0);
        // The save asks once about the picture and the log its record writes; the log is then
        // written without a second question.
        TWriteRun run;
        if (SaveImage()) RecordCommand(MacroCommandLine(5), {CurrentImageFolder, CurrentImageName});
    });
}

void TVORNForm::F__SaveasClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    Guarded([&] {
        const std::string path = CurrentImageFolder + CurrentImageName;
        if (!IsSaveAsExtension(ExtractFileExt(path))) {
            ShowPlainMessage(FileTypeUnknown);
            return;
        }
        FileDialogRequest request;
        request.Save = true;
        request.Preview = SavePreviewOption;
        request.Filter =
            SavePreviewOption ? "BMP PNG files|*.BMP;*.PNG" : "BMP PNG files|*.PNG;*.BMP";
        request.DefaultExt = "PNG";
        request.OpenIn(ImageDirectory);
        request.FileName = path;
        const std::string chosen = HookChooseFile(request);
        HookSetGauge(0);
        if (chosen.empty()) return;
        // A name refused for its extension is said: it used to end the command without a word,
        // as if the picture had been saved.
        if (!IsSaveAsExtension(ExtractFileExt(chosen))) {
            ShowPlainMessage(FileTypeUnknown);
            return;
        }
        // The picture keeps its old name unless the new file was written. The dialog named the
        // picture alone: a log or companion under its name is asked about unless it is the shown
        // picture's own, as it read or last wrote it.
        TWriteRun run;
        bool written = false;
        RunGuarded([&] {
            written = SavePictureAs(chosen, TReplaceLeave::Chosen(chosen).And(ShownPictureLeave()),
                                    LogToDIP);
        });
        if (written) {
            ImageDirectory = CurrentImageFolder;
            RecordCommand(MacroCommandLine(2), {CurrentImageFolder, CurrentImageName});
        }
    });
}

void TVORNForm::SaveNumbered1Click() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    Guarded([&] {
        if (DisplayedPicture.Empty()) {
            ShowMessageNumber(46);
            return;
        }
        const std::string before = CurrentImageName;
        TWriteRun run;
        bool written = false;
        RunGuarded([&] { written = SaveNumberedPicture(LogToDIP); });
        if (written) RecordCommand(MacroCommandLine(4), {CurrentImageFolder, before});
    });
}

void TVORNForm::FS_BMPClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    Guarded([&] {
        ExportPictureCopy(DisplayedPicture, CurrentImageFolder + CurrentImageName, BmpExport);
    });
}

void TVORNForm::FS_JPGClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    Guarded([&] {
        ExportPictureCopy(DisplayedPicture, CurrentImageFolder + CurrentImageName, JpegExport);
    });
}

void TVORNForm::Progress(int percent) {
    PictureProgress(percent);
}

void TVORNForm::FormResize() {
    ScrollBox1->setMaximumSize(std::max(0, width() - 62), std::max(0, height() - 2));
}

void TVORNForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}
