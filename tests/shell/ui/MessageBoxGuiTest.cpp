#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct SeenBox {
    QPoint Corner;
    QMessageBox::StandardButtons Buttons;
    QString Text;
    Qt::TextFormat Format;
};

// Closes the next message box once it is up, noting where it sat and what it offered.
template <typename Show> SeenBox ShowAndClose(Show show) {
    SeenBox seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.Corner = box->pos();
        seen.Buttons = box->standardButtons();
        seen.Text = box->text();
        seen.Format = box->textFormat();
        box->done(QMessageBox::Cancel);
    });
    show();
    return seen;
}

SeenBox ShowAndClose(int number) {
    return ShowAndClose([number] { ShowMessageNumber(number); });
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

    // A file name or an error text that looks like markup is shown as it is.
    const SeenBox named =
        ShowAndClose([] { HookShowMessage(MsgKind::Information, "<b>k</b>.HLP", 0, 0); });
    EXPECT_EQ(named.Format, Qt::PlainText);
    const SeenBox failed =
        ShowAndClose([] { RunGuarded([] { throw std::runtime_error("<i>x</i>"); }); });
    EXPECT_EQ(failed.Format, Qt::PlainText);
    EXPECT_EQ(failed.Text, "<i>x</i>");
    ResetHooksToDefaults();
}

} // namespace
