#include "shell/ui/AllSplash.h"
#include "shell/ui/vToolWindow.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

namespace {

struct SeenBox {
    QPoint Corner;
    QSize Size;
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
        seen.Size = box->frameGeometry().size();
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

TEST(MessageBox, StaysWhollyOnTheScreenWhateverThePositionStored) {
    TVORNForm form;
    InstallGuiHooks(&form);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    MessageX = MessageY = 123;
    const QSize size = ShowAndClose(9999).Size;
    ASSERT_LT(size.width(), screen.width());
    const int lastX = screen.right() + 1 - size.width(),
              lastY = screen.bottom() + 1 - size.height();
    constexpr int32_t most = std::numeric_limits<int32_t>::max();
    constexpr int32_t least = std::numeric_limits<int32_t>::min();
    const struct {
        int32_t X, Y;
        QPoint Corner;
    } cases[] = {
        {123, 123, {123, 123}},
        {lastX, lastY, {lastX, lastY}},
        {lastX + 1, 7, {lastX, 7}},
        {5, lastY + 1, {5, lastY}},
        {-5, 999999999, {screen.left(), lastY}},
        {most, most, {lastX, lastY}},
        {least, least, {screen.left(), screen.top()}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.X << ", " << c.Y);
        MessageX = c.X;
        MessageY = c.Y;
        const SeenBox seen = ShowAndClose(9999);
        EXPECT_EQ(seen.Corner, c.Corner);
        EXPECT_TRUE(screen.contains(QRect(seen.Corner, seen.Size)));
    }
    MessageX = MessageY = 123;
    ResetHooksToDefaults();
}

} // namespace

namespace {

// Every dialog belongs to the window it was opened from: over a tool window it is the tool
// window's, so the main window is not brought in front of it; with no window active it is the
// main window's.
TEST(MessageBox, EveryDialogBelongsToTheWindowThatOpenedIt) {
    TVORNForm form;
    InstallGuiHooks(&form);
    ErrorBeepOption = ErrorSpokenOption = false;
    form.show();
    TToolWindow tool("Tool", "ToolForm", TToolWindow::NoPosition, 0, &form);
    tool.show();
    const std::vector<std::pair<const char*, std::function<void()>>> dialogs = {
        {"message", [] { ShowMessageNumber(15); }},
        {"error box", [] { Hooks.ShowErrorBox("failed"); }},
        {"file",
         [] {
             FileDialogRequest request;
             Hooks.ChooseFile(request);
         }},
        {"colour",
         [] {
             uint32_t color = 0;
             Hooks.ChooseColor(color);
         }},
        {"font",
         [] {
             FontChoice font;
             Hooks.ChooseFont(font);
         }},
    };
    for (QWidget* opener : {static_cast<QWidget*>(&tool), static_cast<QWidget*>(&form)}) {
        QApplication::setActiveWindow(opener);
        for (const auto& [name, open] : dialogs) {
            SCOPED_TRACE(testing::Message()
                         << name << " from " << opener->objectName().toStdString());
            QWidget* owner = nullptr;
            QTimer::singleShot(0, [&owner] {
                QWidget* dialog = QApplication::activeModalWidget();
                ASSERT_NE(dialog, nullptr);
                owner = dialog->parentWidget();
                dialog->close();
            });
            open();
            EXPECT_EQ(owner, opener);
            QApplication::setActiveWindow(opener);
        }
    }
    // A dialog opened while the start-up splash is the active window is the main window's: the
    // splash, closing and freeing itself on its timer meanwhile, used to free it with itself,
    // and its asker freed it a second time.
    for (const auto& [name, open] : dialogs) {
        SCOPED_TRACE(testing::Message() << name << " over the splash");
        QPointer<TSplashScreen> splash = new TSplashScreen(&form);
        splash->show();
        QApplication::setActiveWindow(splash);
        QWidget* owner = nullptr;
        bool outlived = false;
        QTimer::singleShot(0, [&] {
            QPointer<QWidget> dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            owner = dialog->parentWidget();
            splash->TimerTimer();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            outlived = !splash && dialog;
            if (dialog) dialog->close();
        });
        open();
        EXPECT_EQ(owner, &form);
        EXPECT_TRUE(outlived);
    }
}

} // namespace
