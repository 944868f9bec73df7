#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QPoint Corner;
    QMessageBox::StandardButtons Buttons;
    QString Text;
};

// Closes the next message box once it is up, noting where it sat and what it offered.
SeenBox ShowAndClose(int number) {
    SeenBox seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.Corner = box->pos();
        seen.Buttons = box->standardButtons();
        seen.Text = box->text();
        box->done(QMessageBox::Cancel);
    });
    ShowMessageNumber(number);
    return seen;
}

TEST(MessageBox, OpensAtTheOptionsPositionWithTheButtonsOfItsKind) {
    TVORNForm form;
    InstallGuiHooks(&form);
    MessageX = 123;
    MessageY = 123;
    ErrorBeepOption = ErrorSpokenOption = false;

    const SeenBox confirm = ShowAndClose(10001);
    EXPECT_EQ(confirm.Corner, QPoint(123, 123));
    EXPECT_EQ(confirm.Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    const SeenBox error = ShowAndClose(39983);
    EXPECT_EQ(error.Buttons, QMessageBox::Ok);
    EXPECT_EQ(error.Text, "Filename has reached 999");

    const SeenBox twoLines = ShowAndClose(15);
    EXPECT_EQ(twoLines.Text, "Number input wrong,\nPlease try again");
    ResetHooksToDefaults();
}

} // namespace
