// The main window and the tool windows open on the screen whatever place the options file
// holds, and the place they are closed at is the one written back; each opens at the size its
// contents ask, as far as the screen lets it. ctest runs the sizes again at the scales 1.5 and 2.
#include "shell/ui/vToolWindow.h"
#include "support/GuiStartup.h"
#include "support/GuiWindows.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include <limits>

namespace {

struct Stored {
    const char* Name;
    int32_t X, Y;
};
constexpr int32_t Most = std::numeric_limits<int32_t>::max();
constexpr int32_t Least = std::numeric_limits<int32_t>::min();
const Stored Places[] = {
    {"on the screen", 40, 30},  {"past the left", -900, 30},    {"past the right", 99999, 30},
    {"past the top", 40, -900}, {"past the bottom", 40, 99999}, {"far off", -50000, 70000},
    {"largest", Most, Most},    {"smallest", Least, Least},     {"mixed", Least, Most},
};

// Where a window of this size with its corner stored at `s` must open.
QPoint Expected(const Stored& s, QSize size) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const int64_t right = area.right() + 1 - size.width(),
                  bottom = area.bottom() + 1 - size.height();
    return {static_cast<int>(std::max<int64_t>(area.left(), std::min<int64_t>(s.X, right))),
            static_cast<int>(std::max<int64_t>(area.top(), std::min<int64_t>(s.Y, bottom)))};
}

using WindowPlace = GuiStartup;

TEST_F(WindowPlace, TheMainWindowOpensOnTheScreenAndKeepsThatPlace) {
    for (const Stored& s : Places) {
        SCOPED_TRACE(s.Name);
        SetDefaultOptions();
        FormPositions[fpMain] = {s.X, s.Y};
        SaveOptions();
        TVORNForm* form = NewForm();
        form->FormCreate({});
        form->show();
        const QPoint corner = Expected(s, form->frameSize());
        EXPECT_EQ(form->pos(), corner);
        EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(corner));
        form->close();
        LoadOptions();
        EXPECT_EQ(QPoint(FormPositions[fpMain].Left, FormPositions[fpMain].Top), corner);
    }
}

TEST_F(WindowPlace, AToolWindowOpensOnTheScreenAndKeepsThatPlace) {
    SaveOptions();
    for (const Stored& s : Places) {
        SCOPED_TRACE(s.Name);
        FormPositions[fpSystemInfo] = {s.X, s.Y};
        TToolWindow window("Tool", "ToolForm", fpSystemInfo, 0, Form);
        window.resize(300, 200);
        window.show();
        const QPoint corner = Expected(s, window.frameSize());
        EXPECT_EQ(window.pos(), corner);
        window.close();
        EXPECT_EQ(QPoint(FormPositions[fpSystemInfo].Left, FormPositions[fpSystemInfo].Top),
                  corner);
    }
}

// Every window opens holding the whole of its contents, or as much as the screen holds with the
// rest scrolling, and can be made as large as they ask.
TEST_F(WindowPlace, EveryWindowOpensAtTheSizeItsContentsAsk) {
    for (const std::string& fault :
         EveryOpeningSizeFault(Form, [](QWidget& window) -> std::optional<QSize> {
             QApplication::processEvents();
             return window.screen()->availableGeometry().size() -
                    (window.frameGeometry().size() - window.size());
         }))
        ADD_FAILURE() << fault;
}

} // namespace
