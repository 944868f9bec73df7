#include "runtime/RtFiles.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A save dialog that is given an existing file asks before it hands the name back; the answer
// decides, and the file itself is left to the command.
TEST(SaveDialog, AsksBeforeReplacingAnExistingFile) {
    TVORNForm form;
    InstallGuiHooks(&form);
    TempDir dir;
    const std::string existing = dir.File("band.bmp");
    ASSERT_TRUE(WriteFileAtomic(existing, std::string("picture"), TReplaceLeave::Chosen(existing)));
    const struct {
        QMessageBox::StandardButton Answer;
        std::string Chosen;
    } cases[] = {{QMessageBox::No, ""}, {QMessageBox::Yes, existing}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Answer);
        QString asked;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no file dialog";
                if (QWidget* other = QApplication::activeModalWidget()) other->close();
                return;
            }
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;
                asked = box->text();
                box->button(c.Answer)->click();
            });
            // Enter on the proposed name.
            static_cast<QDialog*>(dialog)->accept();
            // Told not to replace, the dialog stays for another name; here it is cancelled.
            if (dialog->isVisible()) dialog->reject();
        });
        FileDialogRequest request;
        request.Save = true;
        request.Filter = "BMP files|*.bmp";
        request.DefaultExt = "bmp";
        request.InitialDir = dir.Path();
        request.FileName = existing;
        EXPECT_EQ(HookChooseFile(request), c.Chosen);
        EXPECT_TRUE(asked.contains("band.bmp")) << asked.toStdString();
        EXPECT_EQ(FileText(existing), "picture");
    }
    ResetHooksToDefaults();
}

} // namespace
