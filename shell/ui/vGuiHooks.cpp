// The windowed side of the hook table: message boxes at the options' position, the status bar
// and gauge of the main window, the busy cursor, the file, colour and font dialogs.
#include "algebra/ui/vColorContortions.h"
#include "algebra/ui/vPixelAlgebra.h"
#include "bandproc/ui/vDisProFrm.h"
#include "classify/ui/vClassifier.h"
#include "histogram/ui/vHistogram.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vLinear.h"
#include "histogram/vUHistoCC.h"
#include "import/ui/vPBands.h"
#include "import/vHeaderPages.h"
#include "platform/PlSound.h"
#include "platform/ui/PlDesktop.h"
#include "projections/ui/kovMemoFrm.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vMacro.h"
#include "shell/ui/vMarkControls.h"
#include "shell/ui/vPointer.h"
#include "shell/ui/vREIV.h"
#include "shell/ui/vScreenPlace.h"
#include "shell/ui/vToolWindow.h"
#include "shell/ui/vUEnabler.h"
#include "shell/ui/vVCScreen.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>

#include <algorithm>

namespace {

bool CursorOverridden = false;

// The filters' closing "?" marks stand for up to one character each ("*.B??" is ".B" and one
// or two more), while the dialog's "?" is exactly one: each shorter form is offered too.
QStringList DialogPatterns(const QString& pattern) {
    qsizetype marks = 0;
    while (marks < pattern.size() && pattern[pattern.size() - 1 - marks] == '?')
        ++marks;
    QStringList out;
    const QString stem = pattern.left(pattern.size() - marks);
    for (qsizetype n = 1; n < marks; ++n)
        out << stem + QString(n, '?');
    out << pattern;
    return out;
}

// "All (*.bmp;*.png)|*.bmp;*.png|..." -> the dialog's filter list.
QStringList QtFilters(const std::string& filter) {
    QStringList parts = QString::fromLatin1(filter.c_str()).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList expanded;
        for (const QString& pattern : parts[i + 1].split(';'))
            expanded << DialogPatterns(pattern);
        const QString patterns = expanded.join(' ');
        QString label = parts[i];
        const int paren = label.indexOf('(');
        if (paren >= 0) label = label.left(paren).trimmed();
        out << QString("%1 (%2)").arg(label, patterns);
    }
    return out;
}

QMessageBox::Icon IconOf(MsgKind kind) {
    switch (kind) {
    case MsgKind::Information:
        return QMessageBox::Information;
    case MsgKind::Confirmation:
        return QMessageBox::Question;
    case MsgKind::Warning:
        return QMessageBox::Warning;
    default:
        return QMessageBox::Critical;
    }
}

// The window a dialog belongs to: the one whose command opens it, a tool window included, so the
// dialog opens over it and gives it back when it closes; outside a command the active window,
// else the main window. Owned by the main window, a dialog opened from a tool window would bring
// the main window in front of the tool window.
// Never a window that goes away by itself (the start-up splash closes and frees itself on its
// timer): a dialog it owned was freed with it while still asking, and again by its asker.
QWidget* DialogOwner() {
    if (QWidget* command = CommandWindow::Current()) return command;
    QWidget* active = QApplication::activeWindow();
    if (active && active->isVisible() && !active->isMinimized() &&
        active->windowType() != Qt::SplashScreen && !active->testAttribute(Qt::WA_DeleteOnClose))
        return active;
    return VORNForm;
}

// A message box with its corner at the stored message position, moved only as far as it takes
// to be wholly on a screen: the position is whatever was typed into the options, and a modal
// box off the screen would leave the program looking frozen.
class PlacedMessageBox : public QMessageBox {
  public:
    PlacedMessageBox(Icon icon, const QString& text, QPoint corner)
        : QMessageBox(icon, "VORN", text, QMessageBox::NoButton, DialogOwner()), Corner(corner) {}

  protected:
    void showEvent(QShowEvent* event) override {
        // The box takes its final size as it is shown.
        QMessageBox::showEvent(event);
        move(PlaceOnScreen(Corner, frameGeometry().size()));
    }

  private:
    QPoint Corner;
};

// Shows a box until it is answered, then hands the focus back to the window that owns it: some
// window managers give it to whichever window they last focused, which puts the main window in
// front of the tool window whose command spoke.
int ExecOwnedBox(QMessageBox& box) {
    const int answer = box.exec();
    if (QWidget* owner = box.parentWidget(); owner && owner->isVisible() && !owner->isMinimized()) {
        owner->raise();
        owner->activateWindow();
    }
    return answer;
}

// `offerAbort`: a box a long run shows as it goes on, which also lets the user end the run.
MsgButton ShowBox(MsgKind kind, const std::string& text, int x, int y, bool offerAbort = false) {
    PlacedMessageBox box(IconOf(kind), QString::fromLatin1(text.c_str()).replace("\r\n", "\n"),
                         QPoint(x, y));
    // File names and values are part of the texts; none of them is markup.
    box.setTextFormat(Qt::PlainText);
    if (kind == MsgKind::Confirmation)
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    else if (offerAbort)
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Abort);
    else
        box.setStandardButtons(QMessageBox::Ok);
    switch (ExecOwnedBox(box)) {
    case QMessageBox::Abort:
        return MsgButton::Abort;
    case QMessageBox::Yes:
        return MsgButton::Yes;
    case QMessageBox::No:
        return MsgButton::No;
    case QMessageBox::Cancel:
        return MsgButton::Cancel;
    default:
        return MsgButton::Ok;
    }
}

std::string ChooseFileDialog(FileDialogRequest& r) {
    QFileDialog dialog(DialogOwner(), QString::fromLatin1(r.Title.c_str()),
                       QFile::decodeName(r.InitialDir.c_str()));
    dialog.setAcceptMode(r.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(
        r.Save ? QFileDialog::AnyFile
               : (r.MultiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile));
    const QStringList filters = QtFilters(r.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = r.FilterIndex >= 1 && r.FilterIndex <= filters.size() ? r.FilterIndex : 1;
        dialog.selectNameFilter(filters[index - 1]);
    }
    if (!r.DefaultExt.empty()) dialog.setDefaultSuffix(QString::fromLatin1(r.DefaultExt.c_str()));
    if (!r.FileName.empty()) dialog.selectFile(QFile::decodeName(r.FileName.c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    r.FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (r.MultiSelect)
        for (const QString& f : dialog.selectedFiles())
            r.Files.push_back(QFile::encodeName(f).toStdString());
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

} // namespace

void InstallGuiHooks(TVORNForm*) {
    WatchNativePointer();
    Hooks.ShowMessage = [](MsgKind kind, const std::string& text, int x, int y) {
        return ShowBox(kind, text, x, y);
    };
    Hooks.ShowRunMessage = [](MsgKind kind, const std::string& text, int x, int y) {
        return ShowBox(kind, text, x, y, true);
    };
    Hooks.ShowErrorBox = [](const std::string& text) {
        QMessageBox box(QMessageBox::Critical, "VORN", QString::fromLatin1(text.c_str()),
                        QMessageBox::Ok, DialogOwner());
        box.setTextFormat(Qt::PlainText);
        ExecOwnedBox(box);
    };
    Hooks.SetGauge = [](int percent) {
        if (VORNForm) VORNForm->Gauge1->setValue(percent < 0 ? 0 : (percent > 100 ? 100 : percent));
    };
    Hooks.SetStatusText = [](int panel, const std::string& text) {
        // The panels show picture names: decoded as the desktop decodes file names.
        if (VORNForm) VORNForm->SetPanelText(panel, QFile::decodeName(text.c_str()));
    };
    Hooks.ProcessMessages = [] { QCoreApplication::processEvents(); };
    Hooks.SetBusyCursor = [](bool busy) {
        if (busy && !CursorOverridden) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            CursorOverridden = true;
        } else if (!busy && CursorOverridden) {
            QApplication::restoreOverrideCursor();
            CursorOverridden = false;
        }
    };
    Hooks.ShownPictureReplaced = [] {
        if (LineProfileForm) LineProfileForm->PictureReplaced();
        if (ViewCursorScreen && ViewCursorScreen->isVisible()) ViewCursorScreen->ShowGrid();
        if (LinearForm) LinearForm->PictureReplaced();
        if (PixelAlgebraForm) PixelAlgebraForm->ColorContortions->PictureReplaced();
    };
    Hooks.PictureChanged = [] {
        if (VORNForm) VORNForm->PictureChanged();
    };
    Hooks.OpenDragEnded = [] {
        if (LineProfileForm) LineProfileForm->EndImageDrag();
        if (REIVForm) REIVForm->Image1->update();
        if (PixelAlgebraForm) PixelAlgebraForm->ColorContortions->EndGraphDrag();
        if (!VORNForm) return;
        // The pixel box hides the pointer for its drag only.
        if (VORNForm->Image1->cursor().shape() == Qt::BlankCursor) VORNForm->Image1->unsetCursor();
        VORNForm->Image1->update();
    };
    Hooks.SetUndoEnabled = [](bool enabled) {
        if (!VORNForm) return;
        VORNForm->UndoBtn->setEnabled(enabled);
        VORNForm->I_Undo->setEnabled(enabled);
    };
    Hooks.PlaySound = [](const std::string& path) { return PlaySoundFile(path); };
    Hooks.Beep = [](int frequency, int milliseconds) {
        if (!PlayTone(frequency, milliseconds)) QApplication::beep();
    };
    Hooks.RequestTerminate = [] { TVORNForm::RequestTerminate(); };
    Hooks.ChooseFile = ChooseFileDialog;
    Hooks.ChooseColor = [](uint32_t& color) {
        const QColor initial(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
        const QColor c = QColorDialog::getColor(initial, DialogOwner());
        if (!c.isValid()) return false;
        color = static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
                (static_cast<uint32_t>(c.blue()) << 16);
        return true;
    };
    Hooks.ChooseFont = [](FontChoice& f) {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, FontOfChoice(f), DialogOwner());
        if (!ok) return false;
        const uint32_t color = f.Color;
        f = ChoiceOfFont(chosen);
        f.Color = color;
        return true;
    };
    Hooks.ScreenDepth = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->depth() : 24;
    };
    TVORNForm::InstallPictureFileHooks();
    Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
    InstallHeaderHooks();
    Hooks.HeaderPagesChanged = [] {
        if (PBands) PBands->ShowHeaderPages();
    };
    InstallMacroHooks();
    InstallClassifierHooks();
    Hooks.HistogramDisableAllNewFile = [] {
        if (HistogramForm) HistogramForm->DisableAllNewFile();
    };
    Hooks.HistogramDisableAll = [] {
        if (HistogramForm) HistogramForm->DisableAll();
    };
    Hooks.EnableImageCommands = EnableImageCommands;
    Hooks.EnableObjectMenus = EnableObjectMenus;
    Hooks.ProjectionLogChanged = [](bool show) {
        if (kovMemoForm) kovMemoForm->LogChanged(show);
    };
    Hooks.EndUndoHoldingMode = [] {
        if (VORNForm) VORNForm->EndUndoHoldingMode();
    };
    Hooks.OpenDocument = OpenWithDesktop;
    InstallBandWindowHooks();
}
