// While a command lets window messages in, whatever the user does meanwhile is refused: every
// command button and menu command of every window, a close of each window, an Open and a Play.
// A window that armed a mouse mode takes it with it when it closes, and arming one mode ends the
// one armed before. A window that keeps what it read of the picture acts on the picture shown.
#include "algebra/ui/vColorContortions.h"
#include "algebra/ui/vPixelAlgebra.h"
#include "algebra/vColorLUT.h"
#include "algebra/vLUTGraph.h"
#include "bandproc/ui/vDisProFrm.h"
#include "classify/ui/vClassifier.h"
#include "histogram/ui/vHistogram.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vLinear.h"
#include "histogram/vUHistoCC.h"
#include "import/HeaderFixture.h"
#include "import/ui/vDisToDipPage.h"
#include "import/ui/vPBHdr.h"
#include "import/ui/vPBands.h"
#include "import/vBandImport.h"
#include "import/vHeaderPages.h"
#include "projections/ui/kovMemoFrm.h"
#include "shell/ui/vApplication.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vMacro.h"
#include "shell/ui/vMagniForm.h"
#include "shell/ui/vOMark.h"
#include "shell/ui/vREIV.h"
#include "shell/ui/vRotate.h"
#include "shell/ui/vVCScreen.h"
#include "shell/ui/vXAnnoLO.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"
#include "support/GuiWindows.h"
#include "support/NoisePicture.h"

#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMessageBox>
#include <QMetaProperty>
#include <QPointingDevice>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <thread>
#include <utility>

namespace {

class OperationGuard : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        MakeEveryToolWindow(Form);
        MakeWorkScenes(Dir.Path());
        Open();
        // The import window's page ready to build a picture from the Olinda bands.
        TDisToDipPage* page = PBands->DisToDipPage;
        const std::pair<QPushButton*, const char*> choices[] = {{page->PBandHdrBtn, "olinda.dis"},
                                                                {page->PBandFileBtn1, "olinda.B4"},
                                                                {page->PBandFileBtn2, "olinda.B3"},
                                                                {page->PBandFileBtn3, "olinda.B2"}};
        for (const auto& [button, file] : choices) {
            Rec->FileAnswers.push_back(Dir.File(file));
            button->click();
        }
        PBands->BandFileSaveAs->setText("built");
        Rec->Clear();
    }
    void TearDown() override {
        ClearToolModes();
        ObjectMarks.Clear();
        TextLabels.Clear();
        SelectedBandFiles.fill("");
        DISPictureFolder.clear();
        GuiStartup::TearDown();
    }

    void Open() {
        ClearToolModes();
        ASSERT_TRUE(Form->LoadFromFile(Dir.File("scene.png"))) << Rec->Summary();
        Form->show();
    }
    std::vector<QPointer<TToolWindow>> Windows() const { return ToolWindowsOf(Form); }
};

// Counts the repaints a widget gets.
class PaintCount : public QObject {
  public:
    int Count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++Count;
        return false;
    }
};

// The controls heard while a command runs, listed here rather than read from their marks: Abort,
// the tool bars' Help and every Help button.
bool HeardDuringARun(const QString& command) {
    static const QRegularExpression listed(
        R"(^(VORNForm/HelpBtn|REIVForm/HelpButton|)"
        R"(PrintersizeForm/AbortBtn Abort|[^/]+/\w* ((\w+ )?Help|\?))$)");
    return listed.match(command).hasMatch();
}

// What the user's keys, wheel turns and choices would change: the header pages and the value each
// control edits.
std::vector<std::string> StatesOf(const std::vector<QWidget*>& windows) {
    std::vector<std::string> s = HeaderPages.DIHLines();
    std::ranges::copy(HeaderPages.DISLines(), std::back_inserter(s));
    for (QWidget* w : windows)
        for (const QWidget* c : w->findChildren<QWidget*>())
            if (const QMetaProperty value = c->metaObject()->userProperty(); value.isValid())
                s.push_back(value.read(c).toString().toStdString());
    return s;
}

// Typing into one plain edit of `window`, Space on one of its check boxes, and on every combo box,
// slider and spin box a wheel turn, and Down on the combo boxes.
void TypeAndChooseIn(QWidget* window) {
    const auto edits = window->findChildren<QLineEdit*>();
    const auto plain = std::find_if(edits.begin(), edits.end(), [](const QLineEdit* e) {
        return e->isEnabled() && !e->isReadOnly() &&
               !qobject_cast<QAbstractSpinBox*>(e->parentWidget()) &&
               !qobject_cast<QComboBox*>(e->parentWidget());
    });
    if (plain != edits.end()) QTest::keyClicks(*plain, "7");
    for (QCheckBox* box : window->findChildren<QCheckBox*>())
        if (box->isEnabled()) {
            QTest::keyClick(box, Qt::Key_Space);
            break;
        }
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const bool combo = qobject_cast<QComboBox*>(control);
        if (!combo && !qobject_cast<QAbstractSlider*>(control) && !qobject_cast<QSpinBox*>(control))
            continue;
        const QPointF at(control->width() / 2, control->height() / 2);
        QWheelEvent wheel(at, control->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(control, &wheel);
        if (combo) QTest::keyClick(control, Qt::Key_Down);
    }
}

// What a refused arrival must leave as it was (the pixels are compared once the arrivals of a
// yield are done).
struct Observed {
    int Width, Height;
    std::string Name;
    size_t MacroLines, HistoryLines, Messages, ErrorBoxes;
    std::vector<bool> Shown;
    bool operator==(const Observed&) const = default;
};

TEST_F(OperationGuard, NothingArrivingDuringACommandRunsOrIsRecorded) {
    MacroRecording = LogToDIP = true;
    const DialogCloser closer;

    const auto observe = [this](const std::vector<QPointer<TToolWindow>>& windows) {
        Observed o{DisplayedPicture.Width, DisplayedPicture.Height,  CurrentImageName,
                   Rec->MacroLines.size(), Rec->HistoryLines.size(), Rec->Messages.size(),
                   Rec->ErrorBoxes.size(), {Form->isVisible()}};
        for (const auto& w : windows)
            o.Shown.push_back(w && w->isVisible());
        return o;
    };

    const std::vector<QPointer<TToolWindow>> windows = Windows();
    const std::vector<Command> commands = EveryCommand(Form, windows, Reach::User);
    ASSERT_GT(commands.size(), 200u);
    const QPointer<QAbstractButton> play = MacroForm->PlayBtn;
    const std::vector<std::string> macro{"Raster Macro File", "", "", "=0202  PixelRatios", "4"};

    std::vector<QWidget*> all{Form};
    all.insert(all.end(), windows.begin(), windows.end());
    // The controls heard mid-run that, outside a run, do what the recording shows (the guide
    // opened, or said to be missing): during a run they do it too.
    const auto said = [this] { return Rec->Messages.size() + Rec->OpenedDocuments.size(); };
    std::vector<size_t> heard;
    for (size_t k = 0; k < commands.size(); ++k) {
        if (!HeardDuringARun(commands[k].Name) || !commands[k].Enabled()) continue;
        const size_t before = said();
        commands[k].Run();
        if (said() > before) heard.push_back(k);
    }
    ASSERT_GT(heard.size(), 60u);
    PaintCount painted;
    Form->Gauge1->installEventFilter(&painted);

    size_t running = 0, deliveredIn = commands.size();
    int yields = 0;
    bool inCommand = false, delivering = false;
    Hooks.ProcessMessages = [&] {
        if (!inCommand || delivering || deliveredIn == running || HasFailure()) return;
        delivering = true;
        deliveredIn = running;
        ++yields;
        const std::string name = commands[running].Name.toStdString();
        const std::deque<std::string> answers = Rec->FileAnswers;
        const Observed before = observe(windows);
        const std::vector<uint32_t> pixels = DisplayedPicture.Pixels;
        for (size_t k = 0; k < commands.size(); ++k) {
            if (k == running || HeardDuringARun(commands[k].Name) || !commands[k].Enabled())
                continue;
            // An Open that went through would load this picture.
            Rec->FileAnswers = {Dir.File("olinda_rgb.png")};
            commands[k].Run();
            while (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            if (observe(windows) != before) {
                ADD_FAILURE() << commands[k].Name.toStdString() << " ran during " << name << "\n"
                              << Rec->Summary();
                break;
            }
        }
        for (const auto& w : windows) {
            if (w) QTest::keyClick(w, Qt::Key_Escape);
            if (w) w->close();
        }
        Form->close();
        if (play) QTest::mouseClick(play, Qt::LeftButton);
        EXPECT_TRUE(observe(windows) == before && DisplayedPicture.Pixels == pixels)
            << "a close or Play went through during " << name;
        const std::vector<std::string> controls = StatesOf(all);
        for (QWidget* w : all)
            TypeAndChooseIn(w);
        EXPECT_TRUE(StatesOf(all) == controls)
            << "a key, wheel or choice went through during " << name;
        // What is not the user's goes on: a repaint, a timer (one with an interval: a zero one
        // comes as a queued call).
        const int paints = painted.Count;
        bool timed = false;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&timed] { timed = true; });
        timer.start(2);
        Form->Gauge1->update();
        EXPECT_TRUE(QTest::qWaitFor([&] { return painted.Count > paints && timed; }, 2000))
            << "no repaint or timer during " << name;
        const size_t beforeF1 = said();
        QTest::keyClick(Form->Image1, Qt::Key_F1);
        EXPECT_GT(said(), beforeF1) << "F1 not heard during " << name;
        for (const size_t k : heard) {
            const size_t was = said();
            commands[k].Run();
            if (said() == was) {
                ADD_FAILURE() << commands[k].Name.toStdString() << " not heard during " << name;
                break;
            }
        }
        Rec->FileAnswers = answers;
        delivering = false;
    };
    std::filesystem::copy_file(TestData("landsat7-olinda/olinda_rgb432.png"),
                               Dir.File("olinda_rgb.png"));

    for (running = 0; running < commands.size(); ++running) {
        Open();
        for (const auto& w : windows)
            if (w) w->show();
        MacroForm->SetLines(macro);
        MacroRecording = LogToDIP = true;
        Rec->FileAnswers.clear();
        inCommand = true;
        if (commands[running].Enabled()) commands[running].Run();
        inCommand = false;
        if (HasFailure()) break;
    }
    EXPECT_GT(yields, 0);
}

// What the user does through the window system, handed to its queue from another thread as the
// platform's reader does: a click on the tool bar's Zoom, a drag on the picture (Pixels mode
// armed), clicks on the tracks of two bars one after the other, a wheel turn on the first and a
// key.
class QueuedInput {
  public:
    QueuedInput() {
        QPointingDevice::primaryPointingDevice();
        QInputDevice::primaryKeyboard();
    }
    QueuedInput(TVORNForm* form, QAbstractSlider* first, QAbstractSlider* second) {
        // The devices the events come from are the application's, made in its thread.
        QPointingDevice::primaryPointingDevice();
        QInputDevice::primaryKeyboard();
        for (QObject* o : form->FlyByButton->associatedObjects())
            if (auto* tool = qobject_cast<QToolButton*>(o)) Click(tool, tool->rect().center());
        const QPoint drag[] = {{10, 10}, {30, 20}, {50, 40}};
        At(form->Image1, drag[0], Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
        At(form->Image1, drag[1], Qt::LeftButton, Qt::NoButton, QEvent::MouseMove);
        At(form->Image1, drag[2], Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
        for (QAbstractSlider* bar : {first, second})
            Click(bar, QPoint(bar->width() - 3, bar->height() - 3));
        const QPoint middle = first->rect().center();
        Events.push_back([window = first->window()->windowHandle(),
                          local = first->mapTo(first->window(), middle),
                          global = first->mapToGlobal(middle)] {
            QWindowSystemInterface::handleWheelEvent(window, local, global, {}, {0, -120});
        });
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            Events.push_back([window = form->windowHandle(), type] {
                QWindowSystemInterface::handleKeyEvent(window, type, Qt::Key_7, Qt::NoModifier,
                                                       "7");
            });
    }
    // Handed over, from a thread of its own, and waited for.
    void Hand() const {
        std::thread reader([this] {
            for (const auto& event : Events)
                event();
        });
        reader.join();
    }
    void Click(QWidget* w, QPoint p) {
        At(w, p, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
        At(w, p, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    }
    // The close the window manager asks for.
    void Close(QWidget* window) {
        Events.push_back(
            [w = window->windowHandle()] { QWindowSystemInterface::handleCloseEvent(w); });
    }

  private:
    void At(QWidget* w, QPoint p, Qt::MouseButtons buttons, Qt::MouseButton button,
            QEvent::Type type) {
        Events.push_back([window = w->window()->windowHandle(), local = w->mapTo(w->window(), p),
                          global = w->mapToGlobal(p), buttons, button, type] {
            QWindowSystemInterface::handleMouseEvent(window, QPointF(local), QPointF(global),
                                                     buttons, button, type);
        });
    }
    std::vector<std::function<void()>> Events;
};

// Counts the user's input that reaches a control.
class InputCount : public QObject {
  public:
    int Count = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
            Count += watched->isWidgetType() && event->spontaneous();
            break;
        default:
            break;
        }
        return false;
    }
};

// Every command, run by the user without letting window messages in, while the user clicks, drags,
// turns the wheel and types elsewhere: none of it acts, during the command or once it has ended.
// Nothing opens, nothing changes and no bar runs on afterwards.
TEST_F(OperationGuard, InputQueuedWhileACommandRunsNeverActsAfterIt) {
    const DialogCloser closer;
    const std::vector<QPointer<TToolWindow>> windows = Windows();
    const std::vector<Command> commands = EveryCommand(Form, windows, Reach::User);
    for (const auto& w : windows)
        if (w) w->show();
    // Two bars of the colour page, side by side.
    auto* page = static_cast<TPixelAlgebraForm*>(Form->ToolForm(tfPixelAlgebra))->ColorContortions;
    QTest::mouseClick(page->FunctionButtons[lfHSV - 1], Qt::LeftButton);
    for (QWidget* w = page; w; w = w->parentWidget())
        if (auto* pages = qobject_cast<QStackedWidget*>(w->parentWidget()))
            pages->setCurrentWidget(w);
    const std::vector<QAbstractSlider*> bars{page->RMinTBar, page->GMaxTBar};
    ASSERT_TRUE(bars[0]->isVisible() && bars[1]->isVisible());
    const QueuedInput input(Form, bars[0], bars[1]);

    bool inCommand = false, handed = false;
    const auto hand = [&] {
        if (!inCommand || handed) return;
        handed = true;
        input.Hand();
    };
    // The input comes at the first thing the command shows.
    const auto during = [&hand](auto& hook) {
        hook = [&hand, own = hook](auto&&... a) {
            hand();
            return own(std::forward<decltype(a)>(a)...);
        };
    };
    during(Hooks.SetBusyCursor);
    during(Hooks.SetStatusText);
    during(Hooks.SetGauge);
    during(Hooks.SetBandGauge);
    during(Hooks.SetBandHints);
    during(Hooks.PictureChanged);
    during(Hooks.ShowMessage);
    during(Hooks.ChooseFile);
    during(Hooks.ProcessMessages);

    const auto observe = [&] {
        std::vector<int> o{
            ZoomMode,         PixelBoxDragging, SelectionBox.Left, SelectionBox.Bottom,
            bars[0]->value(), bars[1]->value(), Form->isVisible()};
        for (const auto& w : windows)
            o.push_back(w && w->isVisible());
        return o;
    };
    InputCount reached;
    qApp->installEventFilter(&reached);
    int withInput = 0;
    for (const Command& command : commands) {
        // Help is no command: a box it opens takes the user's input.
        if (!command.Enabled() || HeardDuringARun(command.Name)) continue;
        SCOPED_TRACE(command.Name.toStdString());
        Open();
        for (const auto& w : windows)
            if (w) w->show();
        PixelValuesMode = true;
        Rec->FileAnswers.clear();
        inCommand = true;
        handed = false;
        command.Run();
        inCommand = false;
        if (!handed) continue;
        ++withInput;
        const int reachedAtTheEnd = reached.Count;
        const auto atTheEnd = observe();
        QWindowSystemInterface::flushWindowSystemEvents();
        QTest::qWait(20);
        EXPECT_EQ(reached.Count, reachedAtTheEnd);
        EXPECT_TRUE(observe() == atTheEnd);
        if (HasFailure()) break;
    }
    qApp->removeEventFilter(&reached);
    EXPECT_GT(withInput, 180);
}

// Hands `input` in once, from inside the command that runs while it is armed: at the first event
// the program handles during it, or at the first of the kind `At` (a rotation's new caption: the
// dialog a command opened runs its own commands while that one's busy flag is up).
class HandDuring : public QObject {
  public:
    explicit HandDuring(const QueuedInput& input) : Input(input) { qApp->installEventFilter(this); }
    ~HandDuring() override { qApp->removeEventFilter(this); }
    bool Armed = false;
    QEvent::Type At = QEvent::None;
    bool eventFilter(QObject*, QEvent* event) override {
        if (Armed && ImageOperationBusy && (At == QEvent::None || event->type() == At)) {
            Armed = false;
            Input.Hand();
        }
        return false;
    }

  private:
    const QueuedInput& Input;
};

// The user's input is judged by when it was made. Made while a command ran, in the main loop or a
// dialog's own, it does nothing when it comes after the command, a close heard mid-run included;
// made before a command began (the click whose change of the active window started it), it acts.
TEST_F(OperationGuard, InputActsByWhenTheUserMadeIt) {
    TREIVForm* viewer = REIVForm;
    auto* classes = static_cast<TClassificationForm*>(Form->ShowToolForm(tfClassification));
    auto* page = static_cast<TPixelAlgebraForm*>(Form->ToolForm(tfPixelAlgebra))->ColorContortions;
    QToolButton* zoom = nullptr;
    for (QObject* o : Form->FlyByButton->associatedObjects())
        if (auto* tool = qobject_cast<QToolButton*>(o)) zoom = tool;
    ASSERT_TRUE(zoom);
    const auto flush = [] {
        QWindowSystemInterface::flushWindowSystemEvents();
        QTest::qWait(20);
    };
    const struct {
        const char* Name;
        std::function<void(QueuedInput&, HandDuring&)> Run;
    } rows[] = {
        {"a rotation in the dialog a command opened",
         [&](QueuedInput& input, HandDuring& during) {
             viewer->show();
             viewer->PreprocessPicture = NoisePicture(300, 200, 3);
             viewer->PictureChanged();
             const std::vector<uint32_t> shown = viewer->PreprocessPicture.Pixels;
             QTimer::singleShot(0, [&] {
                 auto* dialog = qobject_cast<TRotateForm*>(QApplication::activeModalWidget());
                 ASSERT_TRUE(dialog);
                 QSpinBox* angle = dialog->SpinEditThetaDegrees;
                 input.Click(angle, QPoint(angle->width() - 4, 3));
                 input.Click(dialog->ButtonSaveRotated, dialog->ButtonSaveRotated->rect().center());
                 input.Close(dialog);
                 // The rotation's caption is a change.
                 dialog->setWindowTitle(QString());
                 during.At = QEvent::WindowTitleChange;
                 during.Armed = true;
                 QTest::mouseClick(dialog->SpeedButton1, Qt::LeftButton);
                 flush();
                 EXPECT_EQ(angle->value(), 45);
                 EXPECT_TRUE(dialog->isVisible());
                 dialog->done(QDialog::Rejected);
             });
             viewer->IZ_Rotate->trigger();
             EXPECT_TRUE(viewer->PreprocessPicture.Pixels == shown) << "Keep went through";
         }},
        {"another window's Exit and close during a command",
         [&](QueuedInput& input, HandDuring& during) {
             classes->show();
             input.Click(classes->ExitButton, classes->ExitButton->rect().center());
             input.Close(classes);
             during.Armed = true;
             QTest::mouseClick(page->FunctionButtons[lfNegative - 1], Qt::LeftButton);
             flush();
             EXPECT_TRUE(classes->isVisible());
         }},
        {"a click that makes another window inactive, which starts a command",
         [&](QueuedInput& input, HandDuring&) {
             HistogramForm->show();
             QApplication::setActiveWindow(HistogramForm);
             ZoomMode = false;
             input.Click(zoom, zoom->rect().center());
             input.Hand();
             // The toolkit's clock moves on before the command begins.
             QTest::qSleep(5);
             QApplication::setActiveWindow(Form);
             flush();
             EXPECT_TRUE(ZoomMode) << "the click that started the command was refused";
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Open();
        QueuedInput input;
        HandDuring during(input);
        row.Run(input, during);
        EXPECT_FALSE(during.Armed) << "the input was not handed during the command";
        EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
        ClearToolModes();
    }
}

// Every slider, scroll bar, spin box and button of every window, pressed where it steps up, with a
// change that starts a command (the colour page's bars start their own; a button's press): the
// button let go while that command runs ends the press, and the control steps once instead of
// paging on by itself, and a button is let go without a click. Meanwhile the user clicks the
// control walked before, which does nothing and takes nothing from the first.
TEST_F(OperationGuard, AControlLetGoDuringTheCommandItsPressStartedStepsOnce) {
    // A click that went through would run its command, which may open a box.
    const DialogCloser closer;
    auto* page = static_cast<TPixelAlgebraForm*>(Form->ToolForm(tfPixelAlgebra))->ColorContortions;
    QTest::mouseClick(page->FunctionButtons[lfHSV - 1], Qt::LeftButton);
    QPointer<QWidget> held, before;
    QPoint at, beforeAt;
    Hooks.ProcessMessages = [&] {
        if (!held) return;
        QTest::mouseRelease(std::exchange(held, nullptr), Qt::LeftButton, {}, at);
        if (before) QTest::mouseClick(before, Qt::LeftButton, {}, beforeAt);
    };
    std::map<QWidget*, int> steps, clicks;
    std::vector<QMetaObject::Connection> changes;
    int letGoMidRun = 0;
    const auto opensAMenu = [](QAbstractButton* b) {
        auto* push = qobject_cast<QPushButton*>(b);
        auto* tool = qobject_cast<QToolButton*>(b);
        return (push && push->menu()) || (tool && (tool->menu() || tool->defaultAction()));
    };
    // A click that went through could close a window, and free it.
    std::vector<QPointer<QWidget>> controls;
    for (const auto& window : Windows())
        for (QWidget* control : window->findChildren<QWidget*>())
            controls.emplace_back(control);
    for (const QPointer<QWidget>& alive : controls) {
        QWidget* control = alive;
        if (!control) continue;
        {
            auto* slider = qobject_cast<QAbstractSlider*>(control);
            auto* spin = qobject_cast<QSpinBox*>(control);
            auto* button = qobject_cast<QAbstractButton*>(control);
            if ((!slider && !spin && !button) || !control->isEnabled()) continue;
            // Help is heard while a command runs; a menu's button opens it at the press.
            if (button && (IsHeardMidRun(button) || opensAMenu(button))) continue;
            const auto stepped = [&steps, control] {
                ++steps[control];
                RunGuarded([] { HookProcessMessages(); });
            };
            {
                const QSignalBlocker quiet(control);
                if (slider) slider->setValue(slider->minimum());
                if (spin) spin->setValue(spin->minimum());
            }
            if (slider)
                changes.push_back(
                    QObject::connect(slider, &QAbstractSlider::valueChanged, stepped));
            if (spin) changes.push_back(QObject::connect(spin, &QSpinBox::valueChanged, stepped));
            if (button) {
                changes.push_back(QObject::connect(button, &QAbstractButton::pressed, stepped));
                changes.push_back(QObject::connect(button, &QAbstractButton::clicked,
                                                   [&clicks, control] { ++clicks[control]; }));
            }
            // The far end of a bar's track, a spin box's up arrow, a button's middle.
            at = slider && slider->orientation() == Qt::Vertical
                     ? QPoint(control->width() / 2, control->height() - 3)
                 : button ? control->rect().center()
                          : QPoint(control->width() - 3, spin ? 3 : control->height() / 2);
            held = control;
            QTest::mousePress(control, Qt::LeftButton, {}, at);
            if (held)
                QTest::mouseRelease(std::exchange(held, nullptr), Qt::LeftButton, {}, at);
            else
                ++letGoMidRun;
            if (alive && button)
                EXPECT_FALSE(button->isDown()) << button->objectName().toStdString();
            before = control;
            beforeAt = at;
        }
    }
    QTest::qWait(800);
    for (const auto& change : changes)
        QObject::disconnect(change);
    const auto name = [](const QWidget* control) {
        return control->window()->objectName().toStdString() + "/" +
               control->objectName().toStdString() + " " + control->metaObject()->className();
    };
    for (const auto& [control, count] : steps)
        EXPECT_EQ(count, 1) << name(control);
    for (const auto& [control, count] : clicks)
        ADD_FAILURE() << name(control) << " clicked " << count << " times";
    EXPECT_GT(letGoMidRun, 100);
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
}

} // namespace

namespace {

struct ModeCase {
    const char* Name;
    bool* Mode;
    // Arms the mode as the user does; returns the window that armed it.
    std::function<TToolWindow*(TVORNForm*)> Arm;
};

void Check(QCheckBox* box) {
    if (!box->isChecked()) QTest::mouseClick(box, Qt::LeftButton);
}

TToolWindow* ArmObjectMarker(TVORNForm* form) {
    auto* w = qobject_cast<TObjectMarkForm*>(form->ShowToolForm(tfObjectMark));
    Check(w->MousedLocationCB);
    QTest::mouseClick(w->PlaceItBtn, Qt::LeftButton);
    return w;
}

TToolWindow* ArmLabelPlacement(TVORNForm* form) {
    auto* w = qobject_cast<TLabelObjectsForm*>(form->ShowToolForm(tfLabelObjects));
    Check(w->MousedLocationCB);
    QTest::mouseClick(w->PlaceBtn, Qt::LeftButton);
    return w;
}

TToolWindow* ArmTraining(TVORNForm* form) {
    auto* w = qobject_cast<TClassificationForm*>(form->ShowToolForm(tfClassification));
    QTest::mouseClick(w->PBoxTrain, Qt::LeftButton);
    return w;
}

TToolWindow* ClickIn(TToolWindow* w, QAbstractButton* button) {
    w->show();
    QTest::mouseClick(button, Qt::LeftButton);
    return w;
}

// Every mouse mode as the user arms it, with the window whose close ends it.
std::vector<ModeCase> ModeCases() {
    return {
        {"object marker", &ObjectMarkArmed, ArmObjectMarker},
        {"label placement", &LabelPlaceArmed, ArmLabelPlacement},
        {"training", &TrainingArmed, ArmTraining},
        {"measured", &MeasuredMode,
         [](TVORNForm*) { return ClickIn(LinearForm, LinearForm->MeasuredBtn); }},
        {"snake", &SnakeMode, [](TVORNForm*) { return ClickIn(LinearForm, LinearForm->SnakeBtn); }},
        {"line profile", &LineProfileMode,
         [](TVORNForm*) -> TToolWindow* {
             ClickIn(LinearForm, LinearForm->ProfileBtn);
             return LineProfileForm;
         }},
        {"class method cycle", &ClassMethodCycleMode,
         [](TVORNForm*) { return ClickIn(HistogramForm, HistogramForm->H_SCDisplayALLBtn); }},
        {"registration", &RegistrationMode,
         [](TVORNForm*) { return ClickIn(PBands, PBands->StartRegBtn); }},
        {"magnifier", &ZoomMode,
         [](TVORNForm* form) -> TToolWindow* {
             TriggerAsUser(form->FlyByButton);
             return MagniForm;
         }},
        {"pixel values", &PixelValuesMode,
         [](TVORNForm* form) -> TToolWindow* {
             TriggerAsUser(form->ViewPixelsBtn);
             ViewCursorScreen->show();
             return ViewCursorScreen;
         }},
    };
}

} // namespace

TEST_F(OperationGuard, AClosedWindowTakesItsMouseModeWithItAndLeavesTheOthers) {
    for (const ModeCase& c : ModeCases()) {
        SCOPED_TRACE(c.Name);
        Open();
        const std::vector<uint32_t> loaded = DisplayedPicture.Pixels;
        QPointer<TToolWindow> window = c.Arm(Form);
        ASSERT_TRUE(window);
        ASSERT_TRUE(*c.Mode);
        // Closed as the user closes it.
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_FALSE(*c.Mode);
        // Another window's mode armed since, which the close must leave armed.
        window = c.Arm(Form);
        ASSERT_TRUE(window);
        const bool trainingIsOther = c.Mode != &TrainingArmed;
        bool& other = trainingIsOther ? TrainingArmed : LabelPlaceArmed;
        (trainingIsOther ? ArmTraining : ArmLabelPlacement)(Form);
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_FALSE(*c.Mode);
        EXPECT_TRUE(other);
        if (!trainingIsOther) other = false;
        TrainingSites = {};
        QTest::mousePress(Form->Image1, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(Form->Image1, QPoint(30, 20));
        QTest::mouseMove(Form->Image1, QPoint(50, 40));
        QTest::mouseRelease(Form->Image1, Qt::LeftButton, {}, QPoint(50, 40));
        EXPECT_TRUE(DisplayedPicture.Pixels == loaded);
        // The drag went to the mode left armed: the class chosen in the other window is trained.
        if (trainingIsOther) EXPECT_GT(TrainingSites[1].Count, 0);
        EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
        ClearToolModes();
    }
}

// One mouse mode at a time, whichever windows arm them: arming one ends the one armed before
// (two armed at once split a drag between two tools). A command the first mode has disabled
// (the class cycle and the colour screens disable the picture commands) arms nothing.
TEST_F(OperationGuard, ArmingAMouseModeEndsTheOneArmedBefore) {
    std::vector<ModeCase> cases = ModeCases();
    cases.push_back({"BGR screens", &RGBScreenMode, [](TVORNForm* form) -> TToolWindow* {
                         form->IV_RGBScreen->trigger();
                         return nullptr;
                     }});
    Open();
    const std::vector<uint32_t> loaded = DisplayedPicture.Pixels;
    for (const ModeCase& first : cases)
        for (const ModeCase& second : cases) {
            if (&first == &second) continue;
            SCOPED_TRACE(std::string(first.Name) + " then " + second.Name);
            QPointer<TToolWindow> firstWindow = first.Arm(Form);
            ASSERT_TRUE(*first.Mode);
            QPointer<TToolWindow> secondWindow = second.Arm(Form);
            EXPECT_NE(*first.Mode, *second.Mode);
            for (TToolWindow* window : {secondWindow.data(), firstWindow.data()})
                if (window && window->isVisible()) QTest::keyClick(window, Qt::Key_Escape);
            if (RGBScreenMode) Form->IV_RGBScreen->trigger();
            EXPECT_FALSE(*first.Mode || *second.Mode);
            // The picture a mode showed of its own is gone with it.
            EXPECT_TRUE(DisplayedPicture.Pixels == loaded);
        }
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
}

// A window that keeps what it read of the shown picture acts on the picture shown when it acts:
// with another picture opened between its read and its act, by the Open command or by a played
// macro, it saves, outlines or processes that picture, or it has let its copy go.
TEST_F(OperationGuard, AWindowActsOnThePictureShownNotOnTheOneItRead) {
    // Another picture, of another size and other pixels.
    QImage(QString::fromStdString(TestData("aero1.png")))
        .copy(40, 30, 60, 40)
        .save(QString::fromStdString(Dir.File("other.png")));
    // Min Max builds its tables from the picture's statistics.
    Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
    const auto saved = [this](QAbstractButton* save, const char* name) {
        std::filesystem::remove(Dir.File(name));
        Rec->FileAnswers.push_back(Dir.File(name));
        save->click();
        return Dir.File(name);
    };
    auto* algebra = static_cast<TPixelAlgebraForm*>(Form->ShowToolForm(tfPixelAlgebra));
    TColorContortionsPage* contortions = algebra->ColorContortions;
    // The tables made from the last picture's statistics are not applied, nor previewed.
    const auto appliedNothing = [contortions](const Picture& other) {
        contortions->PACApplyToImage->click();
        return DisplayedPicture.Pixels == other.Pixels && contortions->PACImage->pixmap().isNull();
    };
    const struct {
        const char* Name;
        std::function<void()> Read;
        // True when it acted on the shown picture, `other`, or not at all.
        std::function<bool(const Picture& other)> Act;
    } windows[] = {
        {"cursor grid",
         [this] {
             // The item keeps its mark after a box until clicked once more.
             if (Form->IV_PixelValues->isChecked()) Form->IV_PixelValues->trigger();
             Form->IV_PixelValues->trigger();
             QTest::mousePress(Form->Image1, Qt::LeftButton, {}, QPoint(2, 3));
             QTest::mouseRelease(Form->Image1, Qt::LeftButton, {}, QPoint(2, 3));
         },
         [&](const Picture& other) {
             const uint32_t p = other.At(2, 3);
             const std::string first = " Row 0 Col 0 : " + std::to_string(PixelRed(p)) + "," +
                                       std::to_string(PixelGreen(p)) + "," +
                                       std::to_string(PixelBlue(p));
             const std::string text = FileText(saved(ViewCursorScreen->VCSSaveBtn, "grid.txt"));
             return text.substr(0, text.find('\r')) == first;
         }},
        {"wand preview saved", [] { ClickIn(LinearForm, LinearForm->MagicWand2); },
         [&](const Picture& other) {
             return ReadPictureFile(saved(LinearForm->SpeedButton1, "wand.bmp")).Image.Pixels ==
                    other.Pixels;
         }},
        {"wand preview clicked", [] { ClickIn(LinearForm, LinearForm->MagicWand2); },
         [](const Picture& other) {
             LinearForm->PreviewImageMouseUp(5, 5);
             return LinearForm->Preview.Width == other.Width &&
                    LinearForm->Preview.Height == other.Height;
         }},
        {"colour contortions Min Max",
         [&] {
             algebra->show();
             contortions->FunctionButtons[lfMinMax - 1]->click();
         },
         appliedNothing},
        {"colour contortions Histogram EQ",
         [&] {
             algebra->show();
             contortions->FunctionButtons[lfHistogramEQ - 1]->click();
             contortions->ProcessSliderBtn->click();
         },
         appliedNothing},
    };
    const std::pair<const char*, std::function<void()>> opens[] = {
        {"Open", [this] { ASSERT_TRUE(Form->LoadFromFile(Dir.File("other.png"))); }},
        {"played Open",
         [this] {
             MacroForm->SetLines({"=0003  Open", Dir.Path(), "other.png"});
             MacroForm->Guarded([] { MacroForm->SpeedButtonToolClick(TMacroForm::PlayTool); });
         }},
    };
    for (const auto& w : windows)
        for (const auto& [how, open] : opens) {
            SCOPED_TRACE(std::string(w.Name) + " after " + how);
            Open();
            w.Read();
            open();
            ASSERT_EQ(CurrentImageName, "other.png");
            const Picture other = DisplayedPicture;
            EXPECT_TRUE(w.Act(other));
            EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
            if (LinearForm->MagicWand2->isChecked()) LinearForm->MagicWand2->click();
        }
}

// A drag on the picture that a command cuts into ends there without effect, in every mode that
// drags: the release, refused while the command runs or made once it has ended, boxes, measures,
// marks, profiles and trains nothing, the mode stays armed, and the next press starts a drag of
// its own. A drag that had finished before keeps what it did.
TEST_F(OperationGuard, ACommandEndsTheDragUnderWayWithoutEffect) {
    QWidget* view = nullptr;
    const auto release = [&view] { QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(50, 40)); };
    const struct {
        const char* Name;
        std::function<void()> Between;
    } cuts[] = {
        {"release during a command", [&] { ArriveDuringOperation(release); }},
        {"release after a command",
         [&] {
             RunGuarded([] { HookProcessMessages(); });
             release();
         }},
    };
    TREIVForm* viewer = REIVForm;
    auto* page = static_cast<TPixelAlgebraForm*>(Form->ToolForm(tfPixelAlgebra))->ColorContortions;
    QTest::mouseClick(page->HCActivateColor, Qt::LeftButton);
    const struct {
        const char* Name;
        QWidget* View;
        // Set to arm the mode, or the command that arms it.
        bool* Mode;
        QAction* Arm;
        bool* Dragging;
    } modes[] = {
        {"pixel box", Form->Image1, &PixelValuesMode, nullptr, &PixelBoxDragging},
        {"profile line", Form->Image1, &LineProfileMode, nullptr, &LineProfileDown},
        {"object mark", Form->Image1, &ObjectMarkArmed, nullptr, &ObjectMarkDragging},
        {"measure", Form->Image1, &MeasuredMode, nullptr, &MeasureDragging},
        {"train", Form->Image1, &TrainingArmed, nullptr, &TrainingDragging},
        {"free crop", viewer->Image1, &viewer->FreeCropArmed, viewer->E_Crop, &FreeCropDragging},
        {"fixed crop", viewer->Image1, nullptr, viewer->EFS_Crop256, &FixedCropDragging},
        {"look-up graph", page->PACGraphImage, &GraphActive, nullptr, &GraphDragging},
    };
    const auto effects = [this, viewer] {
        return std::make_tuple(SelectionBox.Left, SelectionBox.Right, SelectionBox.Top,
                               SelectionBox.Bottom, MeasuredPixelDistance, ObjectMarks.Last,
                               TrainingSites[1].Count, ViewCursorScreen->isVisible(),
                               LineProfileForm->Series[0]->count(), LineProfileForm->LineEnd.X,
                               Rec->Messages.size(), DisplayedPicture.Pixels,
                               viewer->PreprocessPicture.Width, GraphCurve);
    };
    const auto armed = [viewer](const auto& m) {
        return m.Mode ? *m.Mode : viewer->FixedCropSide > 0;
    };
    for (const auto& m : modes)
        for (const auto& c : cuts) {
            SCOPED_TRACE(testing::Message() << m.Name << ", " << c.Name);
            Open();
            SelectionBox = {};
            // The pictures' views sized to them, as the program's own hooks size them: the
            // profile keeps the pointer inside its picture.
            Form->PictureChanged();
            viewer->PreprocessPicture.Resize(300, 300);
            viewer->PictureChanged();
            // A drag on the look-up graph finished first: its curve stays.
            ClearGraph();
            const std::vector<double> curve = GraphCurve;
            QTest::mousePress(page->PACGraphImage, Qt::LeftButton, {}, QPoint(40, 200));
            QTest::mouseMove(page->PACGraphImage, QPoint(60, 30));
            QTest::mouseRelease(page->PACGraphImage, Qt::LeftButton, {}, QPoint(60, 30));
            ASSERT_TRUE(GraphCurve != curve);
            if (m.Arm)
                m.Arm->trigger();
            else
                *m.Mode = true;
            view = m.View;
            const auto before = effects();
            QTest::mousePress(view, Qt::LeftButton, {}, QPoint(10, 10));
            QTest::mouseMove(view, QPoint(30, 20));
            ASSERT_TRUE(*m.Dragging);
            c.Between();
            EXPECT_TRUE(armed(m) && !*m.Dragging);
            EXPECT_TRUE(effects() == before);
            QTest::mousePress(view, Qt::LeftButton, {}, QPoint(60, 50));
            EXPECT_TRUE(*m.Dragging);
            EXPECT_TRUE(m.Mode == &LineProfileMode || m.View != Form->Image1 ||
                        std::make_pair(RubberStart.X, RubberStart.Y) == std::make_pair(60, 50));
            EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
            EndOpenDrags();
            ClearToolModes();
            viewer->FreeCropArmed = false;
            viewer->FixedCropSide = 0;
        }
}

// A box that a control heard mid-run opens (the guide is missing) takes the user's answer while
// the command still runs: nothing else could close it.
TEST_F(OperationGuard, ABoxOpenedMidRunTakesItsAnswer) {
    QAbstractButton* answer = nullptr;
    ArriveDuringOperation([&] {
        QMessageBox box(QMessageBox::Information, "VORN", "Help file not found", QMessageBox::Ok,
                        Form);
        QTimer::singleShot(
            0, &box, [&box] { QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton); });
        QTimer::singleShot(3000, &box, [&box] { box.done(QDialog::Rejected); });
        box.exec();
        answer = box.clickedButton();
    });
    EXPECT_NE(answer, nullptr);
}

// Every command on a picture of one pixel and on one of a single value, the edges where ranges,
// spreads and windows are empty: none ends in a run-time error or the missing-buffers box.
TEST_F(OperationGuard, EveryCommandOnAOnePixelOrFlatPictureEndsWithoutAnError) {
    const DialogCloser closer;
    Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
    const std::vector<Command> commands = EveryCommand(Form, Windows(), Reach::Call);
    Picture one;
    one.Resize(1, 1);
    one.Pixels[0] = PackPixel(10, 200, 30);
    Picture flat;
    flat.Resize(5, 5);
    std::fill(flat.Pixels.begin(), flat.Pixels.end(), PackPixel(100, 100, 100));
    ASSERT_TRUE(SavePictureByExtension(one, Dir.File("one.png"),
                                       TReplaceLeave::Chosen(Dir.File("one.png"))));
    ASSERT_TRUE(SavePictureByExtension(flat, Dir.File("flat.png"),
                                       TReplaceLeave::Chosen(Dir.File("flat.png"))));
    for (const char* name : {"one.png", "flat.png"})
        for (const Command& c : commands) {
            ClearToolModes();
            ASSERT_TRUE(Form->LoadFromFile(Dir.File(name)));
            Rec->Clear();
            Rec->FileAnswers.clear();
            if (!c.Enabled()) continue;
            c.Run();
            EXPECT_TRUE(Rec->ErrorBoxes.empty() && !Rec->Shown(39977))
                << name << " " << c.Name.toStdString() << ": " << Rec->Summary();
        }
}
