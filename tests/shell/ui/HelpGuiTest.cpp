#include "algebra/ui/vFEditor.h"
#include "bandproc/ui/vDisProFrm.h"
#include "classify/ui/vClassifier.h"
#include "histogram/ui/vDistance.h"
#include "histogram/ui/vHistogram.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vLinear.h"
#include "import/ui/vPBHdr.h"
#include "import/ui/vPBands.h"
#include "projections/ui/kovMemoFrm.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vAbout.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vMacro.h"
#include "shell/ui/vMagniForm.h"
#include "shell/ui/vPrOptions.h"
#include "shell/ui/vREIV.h"
#include "shell/ui/vRotate.h"
#include "shell/ui/vSysInfo.h"
#include "shell/ui/vVCScreen.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <thread>

namespace {

// The guide as it is shipped, and the read-me beside it, copied into the test folder.
class Help : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Form->FormCreate({});
        for (const char* name : {HelpFileName, ReadMeFileName})
            std::filesystem::copy_file(std::string(VORN_SOURCE_DIR) + "/" +
                                           (name == HelpFileName ? "docs/" : "") + name,
                                       Dir.File(name));
        Form->HelpFile = Dir.File(HelpFileName);
        Rec->Clear();
    }

    // The anchors the guide defines.
    std::set<std::string> GuideAnchors() const {
        std::string text;
        EXPECT_TRUE(ReadWholeFile(Form->HelpFile, text));
        std::set<std::string> ids;
        const QRegularExpression id(R"(\bid="([^"]+)\")");
        for (const auto& m : id.globalMatch(QString::fromStdString(text)))
            ids.insert(m.captured(1).toStdString());
        return ids;
    }

    // The anchor of the last document opened; "" when it had none, "?" when nothing opened.
    std::string LastAnchor() const {
        if (Rec->OpenedDocuments.empty()) return "?";
        const std::string& url = Rec->OpenedDocuments.back();
        const size_t hash = url.find('#');
        return hash == std::string::npos ? "" : url.substr(hash + 1);
    }

    std::string F1On(QWidget* control) {
        Rec->OpenedDocuments.clear();
        QTest::keyClick(control, Qt::Key_F1);
        return LastAnchor();
    }

    // Every window the program has, each once.
    std::vector<QWidget*> EveryWindow() {
        std::vector<QWidget*> windows{Form,
                                      new TMagniForm(Form),
                                      new TViewCursorScreen(Form),
                                      new TPBands(Form),
                                      new TMacroForm(Form),
                                      new TkovMemoForm(Form),
                                      new THistogramForm(Form),
                                      new TDisProcessForm(Form),
                                      new TPBandHdrForm(Form),
                                      new TLineProfileForm(Form),
                                      new TLinearForm(Form),
                                      new TREIVForm(Form),
                                      new TAboutVorn(Form),
                                      new TOptionsForm(Form),
                                      new TDistanceForm(Form),
                                      new TRotateForm(Small, Form)};
        for (int code : {tfSystemInfo, tfInfo, tfPrintersize, tfPixelAlgebra, tfFEdit,
                         tfClassification, tfLabelObjects, tfObjectMark, tfFFT})
            windows.push_back(Form->ToolForm(code));
        return windows;
    }

    Picture Small = [] {
        Picture p;
        p.Resize(4, 3);
        return p;
    }();
};

bool IsHelpButton(const QAbstractButton* b) {
    return b->objectName().contains("Help") || b->text().contains("Help") || b->text() == "?";
}

TEST_F(Help, EveryTopicTheProgramOpensHasItsSectionInTheGuide) {
    std::set<int> topics;
    for (QWidget* window : EveryWindow()) {
        ASSERT_TRUE(window);
        for (QWidget* w : window->findChildren<QWidget*>())
            if (const int context = w->property("HelpContext").toInt()) topics.insert(context);
        if (const int context = window->property("HelpContext").toInt()) topics.insert(context);
        // Help buttons on disabled pages open their topic all the same when the page is enabled.
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
            if (IsHelpButton(b)) emit b->clicked();
        for (QAction* a : window->findChildren<QAction*>())
            if (a->objectName().contains("Help")) a->trigger();
    }
    ASSERT_TRUE(Rec->Messages.empty()) << Rec->Summary();
    std::set<std::string> anchors;
    for (const std::string& url : Rec->OpenedDocuments) {
        EXPECT_EQ(url.rfind(QUrl::fromLocalFile(QString::fromStdString(Form->HelpFile))
                                .toString(QUrl::FullyEncoded)
                                .toStdString(),
                            0),
                  0u)
            << url;
        const size_t hash = url.find('#');
        if (hash != std::string::npos) anchors.insert(url.substr(hash + 1));
    }
    for (const int t : topics)
        anchors.insert(HelpTopicAnchor(t).toStdString());
    // Every window, page and control with a topic of its own, and every Help button.
    EXPECT_GE(anchors.size(), 120u);
    const std::set<std::string> guide = GuideAnchors();
    for (const std::string& a : anchors)
        EXPECT_TRUE(guide.count(a)) << "no section " << a << " in the guide";
}

TEST_F(Help, F1OpensTheTopicOfTheControlElseOfItsPageOrWindow) {
    auto* histo = new THistogramForm(Form);
    auto* linear = new TLinearForm(Form);
    auto* distance = new TDistanceForm(Form);
    auto* filters = static_cast<TFEditForm*>(Form->ToolForm(tfFEdit));
    auto* classes = static_cast<TClassificationForm*>(Form->ToolForm(tfClassification));
    auto box = [](QWidget* window, const char* name) {
        return window->findChild<QGroupBox*>(name)->findChild<QRadioButton*>();
    };
    const struct {
        QWidget* Control;
        const char* Anchor;
    } cases[] = {
        {histo->SOHOButtons[0], "topic-6720"},
        {histo->SOHOEdits[10][1], "topic-6740"},
        {histo->SOHOEdits[12][3], "topic-6744"},
        {histo->H_SOHOBtn, "topic-6710"},
        {histo->findChild<QGroupBox*>("SOHOGroup")->findChild<QRadioButton*>(), "topic-6710"},
        {histo->Pages[THistogramForm::PageNaturalBreak], "topic-6400"},
        {histo->Pages[THistogramForm::PageClassifierData], "topic-6000"},
        {filters->MinEdit, "topic-9401"},
        {filters->IRRollingBallEdit2, "topic-9412"},
        {filters->FERE_TopHat, "topic-9409"},
        {box(filters, "FiledFRGBox"), "topic-9210"},
        {box(filters, "FiledFiltersRGBox"), "topic-9220"},
        {filters->SpeedButton1, "topic-9200"},
        {linear->MeasuredBtn, "topic-7900"},
        {linear->ContourIntervalEdit, "topic-7300"},
        {linear->LinearCloseBtn, "topic-7000"},
        {distance->DOEdit, "topic-7900"},
        {classes->ClassPages->widget(2), "topic-11300"},
        {classes->ExitButton, "topic-11000"},
        {Form->Image1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Anchor);
        ASSERT_TRUE(c.Control);
        EXPECT_EQ(F1On(c.Control), c.Anchor);
    }
    EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary();
}

TEST_F(Help, AMissingGuideOrNoProgramToShowItIsSaidAndNothingElseHappens) {
    const std::string missing = Dir.File("nowhere/Vorn.html");
    Form->HelpFile = missing;
    Form->ShowHelpContext(7900);
    EXPECT_TRUE(Rec->OpenedDocuments.empty());
    ASSERT_EQ(Rec->Messages.size(), 1u);
    EXPECT_EQ(Rec->Messages[0].Text, "Help file not found: " + missing);

    Rec->Clear();
    Form->HelpFile = Dir.File(HelpFileName);
    Hooks.OpenDocument = [](const std::string&) { return false; };
    Form->ShowHelpContext(7900);
    ASSERT_EQ(Rec->Messages.size(), 1u);
    EXPECT_EQ(Rec->Messages[0].Text, "No program is set up to show " + Form->HelpFile);

    // F1 held down: the window system repeats it while the box its press opened is up, and the
    // box takes the repeats in. One box, and the next press opens the next.
    Form->show();
    QWindow* window = Form->windowHandle();
    const auto key = [window](QEvent::Type type, bool repeat) {
        QWindowSystemInterface::handleKeyEvent(window, type, Qt::Key_F1, Qt::NoModifier, {},
                                               repeat);
    };
    QInputDevice::primaryKeyboard();
    const auto recorded = Hooks.ShowMessage;
    int up = 0, most = 0;
    Hooks.ShowMessage = [&](MsgKind kind, const std::string& text, int x, int y) {
        most = std::max(most, ++up);
        if (up == 1) {
            std::thread([&key] {
                for (int k = 0; k < 3; ++k) {
                    key(QEvent::KeyRelease, true);
                    key(QEvent::KeyPress, true);
                }
            }).join();
            QWindowSystemInterface::flushWindowSystemEvents();
        }
        --up;
        return recorded(kind, text, x, y);
    };
    Rec->Clear();
    for (int press = 0; press < 2; ++press) {
        key(QEvent::KeyPress, false);
        QWindowSystemInterface::flushWindowSystemEvents();
        key(QEvent::KeyRelease, false);
        QWindowSystemInterface::flushWindowSystemEvents();
    }
    EXPECT_EQ(most, 1);
    EXPECT_EQ(Rec->Messages.size(), 2u);
}

TEST_F(Help, TheAboutBoxLinksOpenTheGuideAndTheReadMe) {
    TAboutVorn about(Form);
    const std::string guide =
        QUrl::fromLocalFile(QString::fromStdString(Form->HelpFile)).toString().toStdString();
    const struct {
        QAbstractButton* Link;
        std::string Url;
    } cases[] = {
        {about.LogoImage, guide},
        {about.ReadMeImage, QUrl::fromLocalFile(QString::fromStdString(Dir.File(ReadMeFileName)))
                                .toString()
                                .toStdString()},
        {about.GettingStartedBtn, guide + "#getting-started"},
        {about.HelpBtn, guide + "#topic-222"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Url);
        Rec->OpenedDocuments.clear();
        QTest::mouseClick(c.Link, Qt::LeftButton);
        ASSERT_EQ(Rec->OpenedDocuments.size(), 1u);
        EXPECT_EQ(Rec->OpenedDocuments[0], c.Url);
    }
    EXPECT_TRUE(GuideAnchors().count(GettingStartedAnchor));
    EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary();
}

TEST_F(Help, TheAboutBoxShowsItsFactsAndProgramInfoOpensTheInformationWindow) {
    TAboutVorn about(Form);
    EXPECT_EQ(about.windowTitle(), " About VORN KEEL");
    const struct {
        QLabel* Label;
        const char* Pattern;
    } labels[] = {
        {about.PhysMem, R"(^\d{1,3}(,\d{3})* KB$)"},
        {about.FreeRes, R"(^\d{1,3} %$)"},
        {about.WindowsVersion, R"(^\d+\.\d+$)"},
        {about.BuildInfo, R"(^\d+\.\d+  \(Build \d+\.\d+\)$)"},
    };
    for (const auto& l : labels)
        EXPECT_TRUE(QRegularExpression(l.Pattern).match(l.Label->text()).hasMatch())
            << l.Label->objectName().toStdString() << ": " << l.Label->text().toStdString();
    EXPECT_EQ(about.ProgramInformationBtn->text(), "Program Info...");

    ASSERT_FALSE(ToolFormExists[tfSystemInfo]);
    QTest::mouseClick(about.ProgramInformationBtn, Qt::LeftButton);
    EXPECT_TRUE(ToolFormExists[tfSystemInfo]);
    ASSERT_TRUE(SystemInfoForm);
    EXPECT_TRUE(SystemInfoForm->isVisible());
    EXPECT_EQ(SystemInfoForm->windowTitle(), "Program Information");
    SystemInfoForm->close();
}

} // namespace
