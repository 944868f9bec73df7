// A window minimised and restored is the window it was: whatever was typed into it is still
// there, and is what its next command takes.
#include "classify/vTrainingSites.h"
#include "shell/ui/vPSize.h"
#include "support/GuiStartup.h"
#include "support/GuiWindows.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <map>

namespace {

class Restore : public GuiStartup {};

// Types into every edit the user can type into; returns what every edit then shows (typing into
// one may fill another).
std::map<QLineEdit*, std::string> TypeIntoEveryEdit(QWidget* window) {
    const QList<QLineEdit*> edits = window->findChildren<QLineEdit*>();
    for (QLineEdit* e : edits) {
        if (e->isReadOnly() || !e->isEnabled()) continue;
        // A spin box's edit takes only numbers in its range.
        const bool number = e->validator() || qobject_cast<QAbstractSpinBox*>(e->parentWidget());
        e->selectAll();
        QTest::keyClicks(e, number ? "7" : "Typed 7");
    }
    std::map<QLineEdit*, std::string> shown;
    for (QLineEdit* e : edits)
        shown[e] = e->text().toStdString();
    return shown;
}

void MinimiseAndRestore(QWidget* window) {
    window->showMinimized();
    QApplication::processEvents();
    window->showNormal();
    QApplication::processEvents();
}

TEST_F(Restore, EveryWindowKeepsWhatWasTypedIntoIt) {
    Form->FormCreate({});
    Picture picture;
    picture.Resize(40, 30);
    for (const auto& [name, make] : EveryWindow(Form, picture)) {
        SCOPED_TRACE(name);
        QWidget* window = make();
        window->show();
        QApplication::processEvents();
        const std::map<QLineEdit*, std::string> typed = TypeIntoEveryEdit(window);
        MinimiseAndRestore(window);
        for (const auto& [edit, text] : typed)
            EXPECT_EQ(edit->text().toStdString(), text) << edit->objectName().toStdString();
        window->hide();
        if (window != Form) delete window;
    }
    TrainingSites = {};
}

// The print layout's legend shows, and its print writes, the title typed before the restore.
TEST_F(Restore, ThePrintLayoutLegendTakesTheTitleTyped) {
    Form->FormCreate({});
    ASSERT_TRUE(Form->LoadFromFile(TestData("aerial/aero1.png"))) << Rec->Summary();
    TPrintersizeForm layout(Form);
    layout.show();
    QApplication::processEvents();
    ASSERT_EQ(layout.TitleEdit->text(), "aero1.png");
    layout.TitleEdit->selectAll();
    QTest::keyClicks(layout.TitleEdit, "MyTitle");
    layout.LegendBitBtn->click();
    ASSERT_EQ(layout.TitlePanel->text(), "MyTitle");
    MinimiseAndRestore(&layout);
    layout.LegendBitBtn->click();
    EXPECT_EQ(layout.TitleEdit->text(), "MyTitle");
    EXPECT_EQ(layout.TitlePanel->text(), "MyTitle");
}

} // namespace
