// The classification window driven through its controls: a Stat Boxer run on the false-colour
// scene recorded and played back, the file checks of the other classifiers, and the Training
// Site page's edits, validation and site file.
#include "classify/ui/vClassifier.h"

#include "classify/vClassDispatch.h"
#include "classify/vClassifiers.h"
#include "histogram/vSeedBreaks.h"
#include "histogram/vUHistoCC.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vClassColorGrid.h"
#include "shell/ui/vPrOptions.h"
#include "shell/vMacroPlayer.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QtTest/qtestspontaneevent.h>

#include <algorithm>
#include <functional>

namespace {

using Lines = std::vector<std::string>;

class ClassificationWindow : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
        ClassifierFileNames = {};
        Window = static_cast<TClassificationForm*>(Form->ShowToolForm(tfClassification));
        ASSERT_NE(Window, nullptr);
    }
    void TearDown() override {
        MacroRecording = LogToDIP = false;
        if (ClassificationForm) ClassificationForm->close();
        delete ClassificationForm.data();
        ClassifierFileNames = {};
        SeedBreakTables = {};
        GuiStartup::TearDown();
    }
    void OpenOlinda() {
        OpenCopy("olinda_rgb432.png", "olinda.png");
        Original = DisplayedPicture;
    }
    void Choose(int seed, int classifier) {
        Window->CUSeedRG->button(seed)->click();
        Window->CUUCRG->button(classifier)->click();
    }
    QLineEdit* Site(int k, int column) const {
        return Window->SiteEdits[static_cast<size_t>(k - 1)][static_cast<size_t>(column)];
    }

    TClassificationForm* Window = nullptr;
    Picture Original;
};

TEST_F(ClassificationWindow, RecordedStatBoxerRunPlaysBackToTheSamePicture) {
    OpenOlinda();
    MacroRecording = LogToDIP = true;
    Choose(2, 1);
    Window->CUCREdit->setText("12");
    Window->CUMCEdit->setText("35");
    Window->CUProcessBtn->click();
    const Lines lines = {"=0400  Do Stats PBox", "2", "1", "12", "30", "1", "20"};
    EXPECT_EQ(Rec->MacroLines, lines);
    ASSERT_EQ(Rec->HistoryLines.size(), lines.size() + 1);
    EXPECT_TRUE(std::equal(lines.begin(), lines.end(), Rec->HistoryLines.begin()));
    EXPECT_EQ(Window->CUMCEdit->text(), "20");
    EXPECT_EQ(Window->HintsPanel->text(), "Classification in Progress");
    // The seed row's boxes reached the page.
    EXPECT_EQ(Site(1, 1)->text().toStdString(), std::to_string(SeedBreakTables[BandRed][2][1]));
    const Picture classified = DisplayedPicture;
    EXPECT_NE(classified.Pixels, Original.Pixels);

    MacroRecording = LogToDIP = false;
    UndoImage();
    Choose(0, 0);
    Window->CUCREdit->setText("15");
    ASSERT_TRUE(PlayMacro(lines));
    EXPECT_EQ(DisplayedPicture.Pixels, classified.Pixels);
    EXPECT_EQ(Window->CUSeedRG->checkedId(), 2);
    EXPECT_EQ(Window->CUUCRG->checkedId(), 1);
    EXPECT_EQ(Window->CUCREdit->text(), "12");
}

TEST_F(ClassificationWindow, ChoicesWithoutTheirFilesAreRefusedUnrecorded) {
    OpenOlinda();
    MacroRecording = true;
    const std::string sites = Dir.File("s.rts");
    SaveTrainingSiteFile(sites, TrainingSites, TReplaceLeave::Chosen(sites));
    const struct {
        int Seed, Classifier;
        std::string SitesFile;
        bool Refused;
        size_t MacroLines;
        bool Painted;
    } cases[] = {
        {9, 2, "", true, 0, false}, {9, 0, "", true, 0, false},     {9, 0, sites, false, 7, false},
        {0, 2, "", false, 8, true}, {0, 11, sites, true, 0, false},
    };
    for (const auto& c : cases) {
        Rec->Clear();
        ClassifierFileNames.TrainingSites = c.SitesFile;
        Choose(c.Seed, c.Classifier);
        Window->CUProcessBtn->click();
        EXPECT_EQ(Rec->Shown(13), c.Refused) << c.Seed << " " << c.Classifier;
        EXPECT_EQ(Rec->MacroLines.size(), c.MacroLines) << c.Classifier;
        EXPECT_EQ(DisplayedPicture.Pixels != Original.Pixels, c.Painted)
            << c.Seed << " " << c.Classifier;
        DisplayedPicture = Original;
    }
    EXPECT_EQ(Window->HintsPanel->text(), "Classification in Progress");
}

TEST_F(ClassificationWindow, SitePageValidatesSavesAndLoadsTheTable) {
    Site(1, 0)->setText("300");
    Site(1, 2)->setText("12a");
    Site(9, 12)->setText("77");
    Window->PBoxValidateBtn->click();
    EXPECT_EQ(TrainingSites[1].Rmin, 44);
    EXPECT_EQ(TrainingSites[9].Count, 77);
    ASSERT_EQ(Rec->Messages.size(), 1u);
    EXPECT_EQ(Rec->Messages[0].Text, "Error in File data Number: \r\n3\r\n12a");

    Rec->FileAnswers.push_back(Dir.File("table.rts"));
    Window->PBoxSaveBtn->click();
    ASSERT_EQ(Rec->FileRequests.size(), 1u);
    EXPECT_EQ(Rec->FileRequests[0].DefaultExt, "rts");
    EXPECT_EQ(Rec->FileRequests[0].InitialDir, ImageDirectory);
    EXPECT_EQ(FileSizeOf(Dir.File("table.rts")), 1120);

    Window->PBoxClearAll->click();
    EXPECT_EQ(Site(9, 12)->text(), "0");
    Rec->FileAnswers.push_back(Dir.File("table.rts"));
    Window->CULoadSites->click();
    EXPECT_EQ(Site(9, 12)->text(), "77");
    EXPECT_EQ(Site(1, 0)->text(), "44");
    for (QLineEdit* e : {Window->PBoxLoadEdit, Window->CSTSFileEdit, Window->CCFileEdit})
        EXPECT_EQ(e->text(), "table.rts");

    // A file shorter than its records: the error box, and the page keeps what it showed.
    ASSERT_TRUE(WriteFileAtomic(Dir.File("short.rts"), std::string(1000, '\x01'),
                                TReplaceLeave::Chosen(Dir.File("short.rts"))));
    Rec->FileAnswers.push_back(Dir.File("short.rts"));
    Window->PBoxLoadBtn->click();
    EXPECT_EQ(Rec->ErrorBoxes, Lines{"Read beyond end of file"});
    EXPECT_EQ(TrainingSites[9].Count, 77);

    Window->PBoxClearButtons[8]->click();
    EXPECT_EQ(TrainingSites[9].Count, 0);
    EXPECT_EQ(TrainingSites[1].Rmin, 44);
}

TEST_F(ClassificationWindow, TrainArmsOneDragThatTrainsTheChosenClass) {
    OpenOlinda();
    Window->ClusterRG->button(3)->click();
    Window->PBoxTrain->click();
    EXPECT_TRUE(TrainingArmed);
    Window->ClusterRG->button(5)->click();
    Window->PBoxTrain->click(); // already armed: the class stays 4
    Form->MultiImage1MouseDown(10, 20, Qt::LeftButton);
    Form->MultiImage1MouseUp(12, 21, Qt::LeftButton);
    EXPECT_FALSE(TrainingArmed || TrainingDragging);
    EXPECT_EQ(TrainingSites[4].Count, 6);
    EXPECT_EQ(Site(4, 12)->text(), "6");
    EXPECT_EQ(TrainingSites[6].Count, 0);
}

// With every centre at 0, each pass of the iterating run finds two too close and says "I found
// one": a thousand iterations could be ended only by a thousand OKs (twenty here). The box's Abort,
// Exit and the close box end it after the pass under way; Exit and the close box then close the
// window. A count the edit's 32 bits cannot hold is refused before anything runs.
TEST_F(ClassificationWindow, AnIteratingRunEndsFromItsBoxItsExitOrItsCloseBox) {
    OpenOlinda();
    ClassifierFileNames.TrainingSites = Dir.File("s.rts");
    SaveTrainingSiteFile(ClassifierFileNames.TrainingSites, TrainingSites,
                         TReplaceLeave::Chosen(ClassifierFileNames.TrainingSites));
    enum class End { Box, Exit, CloseBox };
    for (const End end : {End::Box, End::Exit, End::CloseBox}) {
        SCOPED_TRACE(static_cast<int>(end));
        Window = static_cast<TClassificationForm*>(Form->ShowToolForm(tfClassification));
        ASSERT_NE(Window, nullptr);
        Choose(9, 7);
        Window->CURAEdit->setText("20");
        Rec->Clear();
        if (end == End::Box) Rec->MessageAnswers = {MsgButton::Ok, MsgButton::Abort};
        bool asked = false;
        Hooks.ProcessMessages = [&] {
            if (asked || Window->HintsPanel->text() != "Processing Iteration: 2") return;
            asked = true;
            if (end == End::Exit) QTest::mouseClick(Window->ExitButton, Qt::LeftButton);
            if (end == End::CloseBox) {
                // As the window system hands the close box's click on.
                QCloseEvent close;
                QSpontaneKeyEvent::setSpontaneous(&close);
                QCoreApplication::instance()->notify(Window, &close);
            }
        };
        Window->CUProcessBtn->click();
        Hooks.ProcessMessages = [] {};
        EXPECT_EQ(Window->HintsPanel->text(), "Processing Iteration: 2");
        EXPECT_EQ(std::count_if(Rec->Messages.begin(), Rec->Messages.end(),
                                [](const ShownMessage& m) { return m.Text == "I found one"; }),
                  2);
        EXPECT_NE(DisplayedPicture.Pixels, Original.Pixels);
        EXPECT_TRUE(Rec->ErrorBoxes.empty());
        EXPECT_FALSE(IterationStop.Running || IterationStop.Requested);
        QTest::qWait(200);
        EXPECT_EQ(!ClassificationForm.isNull() && ClassificationForm->isVisible(), end == End::Box);
        UndoImage();
    }
    Window = static_cast<TClassificationForm*>(Form->ShowToolForm(tfClassification));
    Choose(9, 7);
    Rec->Clear();
    for (QLineEdit* edit : {Window->CURAEdit, Window->CUCREdit}) {
        edit->setText("99999999999");
        Window->CUProcessBtn->click();
        edit->setText("1");
    }
    EXPECT_EQ(Rec->ErrorBoxes, Lines(2, "'99999999999' is not a valid integer value"));
    EXPECT_TRUE(Rec->Messages.empty());
    EXPECT_EQ(DisplayedPicture.Pixels, Original.Pixels);
}

TEST_F(ClassificationWindow, ClosingEmptiesTheSitesAndHandsCode9ToTheDeferredFree) {
    TrainingSites[3].Count = 8;
    Window->ExitButton->click();
    EXPECT_EQ(TrainingSites[3].Count, 0);
    EXPECT_EQ(FormToFree, tfClassification);
}

// Shown again before the deferred free, the window is the same one: its page shows the emptied
// table, and goes on following what the routines put into it.
TEST_F(ClassificationWindow, ShownAgainBeforeItsFreeItShowsWhatTheTableHolds) {
    Site(1, 12)->setText("961");
    Window->PBoxValidateBtn->click();
    ASSERT_EQ(TrainingSites[1].Count, 961);
    Window->ExitButton->click();
    EXPECT_EQ(Form->ShowToolForm(tfClassification), Window);
    EXPECT_EQ(Site(1, 12)->text(), "0");
    TrainingSites[2].Count = 5;
    RefreshSitePage();
    EXPECT_EQ(Site(2, 12)->text(), "5");
}

TEST_F(ClassificationWindow, ClosingDisarmsTrainSoTheReopenedWindowTrainsItsOwnClass) {
    OpenOlinda();
    const auto reopen = [this] {
        Window->ExitButton->click();
        EXPECT_FALSE(TrainingArmed || TrainingDragging);
        Form->Timer1Timer();
        Window = static_cast<TClassificationForm*>(Form->ShowToolForm(tfClassification));
    };
    Window->ClusterRG->button(2)->click();
    Window->PBoxTrain->click();
    reopen();
    // A drag under way when the window closes trains nothing either.
    Window->PBoxTrain->click();
    Form->MultiImage1MouseDown(10, 20, Qt::LeftButton);
    reopen();
    Form->MultiImage1MouseUp(12, 21, Qt::LeftButton);
    for (const SiteRecord& s : TrainingSites)
        EXPECT_EQ(s.Count, 0);

    Window->ClusterRG->button(4)->click();
    Window->PBoxTrain->click();
    Form->MultiImage1MouseDown(10, 20, Qt::LeftButton);
    Form->MultiImage1MouseUp(12, 21, Qt::LeftButton);
    EXPECT_EQ(TrainingSites[5].Count, 6);
    EXPECT_EQ(TrainingSites[3].Count, 0);
    EXPECT_EQ(TrainingSites[1].Count, 0);
}

TEST_F(ClassificationWindow, ColourPanelsChangeTheProgramColoursTheClassesArePaintedIn) {
    const auto savedClasses = ClassColors;
    const auto savedSettings = ColorSettings;
    const struct {
        int Panel, Class;
    } cases[] = {{0, 0}, {7, 8}, {8, 7}, {10, 10}, {15, 15}, {20, 20}};
    for (const auto& c : cases) {
        Rec->ColorAnswers.push_back(0x123456);
        emit Window->CColors[static_cast<size_t>(c.Panel)]->Clicked();
        EXPECT_EQ(ClassPaintColors[static_cast<size_t>(c.Class)], 0x123456u) << c.Panel;
        EXPECT_EQ(Window->CColors[static_cast<size_t>(c.Panel)]->Color(), 0x123456u) << c.Panel;
    }
    EXPECT_EQ(Window->CurrentColorPanel->Color(), 0x123456u);
    EXPECT_EQ(ClassColors[7], 0x123456u); // the eighth class's option, shown on panel 7
    const ClassColorTable before = ClassPaintColors;
    emit Window->CColors[3]->Clicked(); // no answer: the dialog was cancelled
    EXPECT_EQ(ClassPaintColors, before);

    Window->PO_ColorResetBtn->click();
    ResetClassColors();
    for (int k = 0; k < SiteCount; ++k)
        EXPECT_EQ(ClassPaintColors[static_cast<size_t>(k)], ClassOptionColor(k)) << k;
    EXPECT_NE(ClassPaintColors[8], 0x123456u);

    // The options window changes the same colours: this window's panels and the colours the
    // classes are painted in follow, by a played run with this window closed too.
    const auto reset = [](TOptionsForm* w) { w->PO_ColorResetBtn->click(); };
    const struct {
        const char* Name;
        std::function<void(TOptionsForm*)> Change;
        bool WindowOpen;
    } optionChanges[] = {
        {"Reset", reset, true},
        {"Current colour",
         [this](TOptionsForm* w) {
             Rec->ColorAnswers.push_back(0x00BB22);
             w->POSelectColorsBtn->click();
             w->CurrentColorBtn->click();
         },
         true},
        {"Reset with this window closed", reset, false},
    };
    for (const auto& c : optionChanges) {
        SCOPED_TRACE(c.Name);
        for (size_t panel : {0, 1}) {
            Rec->ColorAnswers.push_back(0x00FF00);
            emit Window->CColors[panel]->Clicked();
        }
        if (!c.WindowOpen) {
            Window->close();
            Form->Timer1Timer();
            ASSERT_FALSE(ClassificationForm);
        }
        QTimer::singleShot(0, [change = c.Change] {
            auto* options = qobject_cast<TOptionsForm*>(QApplication::activeModalWidget());
            ASSERT_NE(options, nullptr);
            change(options);
            options->RPOClose->click();
        });
        Form->EO__OptionsClick();
        for (int k = 0; k < SiteCount; ++k)
            EXPECT_EQ(ClassPaintColors[static_cast<size_t>(k)], ClassOptionColor(k)) << k;
        EXPECT_NE(ClassOptionColor(0), 0x00FF00u);
        if (!c.WindowOpen) continue;
        for (size_t panel : {0, 1})
            EXPECT_EQ(Window->CColors[panel]->Color(), ClassOptionColor(static_cast<int>(panel)))
                << panel;
    }
    ClassColors = savedClasses;
    ColorSettings = savedSettings;
}

TEST_F(ClassificationWindow, IteratedRunsShowTheirPassAndFollowTheRefitBoxes) {
    OpenOlinda();
    ClassifierFileNames.TrainingSites = Dir.File("s.rts");
    TrainingSites[1].Rcent = TrainingSites[1].Gcent = TrainingSites[1].Bcent = 60;
    SaveTrainingSiteFile(ClassifierFileNames.TrainingSites, TrainingSites,
                         TReplaceLeave::Chosen(ClassifierFileNames.TrainingSites));
    Window->RefitPipedsCB->click();
    Window->RefitRadiusCB->click();
    EXPECT_TRUE(ClassifierRefits.Pipeds && ClassifierRefits.Radius);
    Choose(9, 7);
    Window->CURAEdit->setText("1");
    Window->CUMCEdit->setText("1");
    Window->CUProcessBtn->click();
    EXPECT_EQ(Window->HintsPanel->text(), "Processing Iteration: 2");
    EXPECT_NE(DisplayedPicture.Pixels, Original.Pixels);
    Window->RefitPipedsCB->click();
    EXPECT_FALSE(ClassifierRefits.Pipeds);
}

TEST_F(ClassificationWindow, ClassGaugeFollowsTheRowsOfEveryClassifier) {
    OpenOlinda();
    ClassifierFileNames.TrainingSites = Dir.File("s.rts");
    SaveTrainingSiteFile(ClassifierFileNames.TrainingSites, TrainingSites,
                         TReplaceLeave::Chosen(ClassifierFileNames.TrainingSites));
    std::vector<int> shown;
    QObject::connect(Window->ClassGauge, &QProgressBar::valueChanged,
                     [&](int v) { shown.push_back(v); });
    const struct {
        int Seed, Classifier;
    } runs[] = {{0, 0}, {0, 2}, {9, 4}, {9, 5}, {9, 6}, {9, 7}};
    for (const auto& r : runs) {
        shown.clear();
        Choose(r.Seed, r.Classifier);
        Window->CUProcessBtn->click();
        // Rows are reported on the way up, with the last at 100, and the gauge ends at 0.
        EXPECT_GT(std::count_if(shown.begin(), shown.end(), [](int v) { return v > 0 && v < 100; }),
                  10)
            << r.Classifier;
        EXPECT_NE(std::find(shown.begin(), shown.end(), 100), shown.end()) << r.Classifier;
        EXPECT_EQ(Window->ClassGauge->value(), 0) << r.Classifier;
    }
}

TEST_F(ClassificationWindow, MacroBoxAndCentroidWriteThePageTextsInEditOrder) {
    for (int k = 1; k <= 9; ++k)
        for (int c = 0; c < SiteColumns; ++c)
            Site(k, c)->setText(QString("%1.%2").arg(k).arg(c));
    MacroRecording = false;
    Window->MacroPBox();
    Lines box;
    for (int k = 1; k <= 9; ++k)
        for (int c : {0, 1, 3, 4, 6, 7})
            box.push_back(std::to_string(k) + "." + std::to_string(c));
    EXPECT_EQ(Rec->MacroLines, box);
    Rec->MacroLines.clear();
    Window->MacroCentroid();
    Lines centroid;
    for (int k = 1; k <= 9; ++k)
        for (int c : {2, 5, 8, 9, 10, 11, 12})
            centroid.push_back(std::to_string(k) + "." + std::to_string(c));
    EXPECT_EQ(Rec->MacroLines, centroid);
}

TEST_F(ClassificationWindow, ReportKeepsBoldColourAndFontThroughSaveAndLoad) {
    QTextCursor at(Window->CAMMemo->document());
    QTextCharFormat plain;
    plain.setFontFamilies({"Courier New"});
    plain.setFontPointSize(8);
    QTextCharFormat loud = plain;
    loud.setFontFamilies({"Arial"});
    loud.setFontPointSize(14);
    loud.setFontWeight(QFont::Bold);
    loud.setForeground(QColor(200, 16, 32));
    at.insertText("Site 1 ", plain);
    at.insertText("Water", loud);
    at.insertBlock();
    at.insertText("next", plain);
    // Text, family, size, weight and colour of every stretch, paragraph by paragraph.
    const auto looks = [this] {
        std::vector<std::string> out;
        for (QTextBlock b = Window->CAMMemo->document()->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                out.push_back(it.fragment().text().toStdString() + "|" +
                              f.fontFamilies().toStringList().join(",").toStdString() + "|" +
                              std::to_string(f.fontPointSize()) + "|" +
                              std::to_string(f.fontWeight()) + "|" +
                              f.foreground().color().name().toStdString());
            }
            out.push_back("--");
        }
        return out;
    };
    const std::vector<std::string> before = looks();
    ASSERT_EQ(before.size(), 5u);
    Rec->FileAnswers.push_back(Dir.File("looks.rcm"));
    Window->CAMSaveClick();
    Window->CAMMemo->setPlainText("other");
    Rec->FileAnswers.push_back(Dir.File("looks.rcm"));
    Window->CAMLoadClick();
    EXPECT_EQ(looks(), before);
}

// Both pages stay disabled, so their commands are called as their buttons would.
TEST_F(ClassificationWindow, ReportAndFileChoicesGoThroughTheirDialogs) {
    Window->CAMMemo->setPlainText(QString::fromLatin1("Class 1\t{water}\nr\xE9sum\xE9"));
    const std::string report = Window->CAMMemo->toPlainText().toStdString();
    Rec->FileAnswers.push_back(Dir.File("m.rcm"));
    Window->CAMSaveClick();
    Window->CAMMemo->setPlainText("other");
    Rec->FileAnswers.push_back(Dir.File("m.rcm"));
    Window->CAMLoadClick();
    EXPECT_EQ(Window->CAMMemo->toPlainText().toStdString(), report);
    Window->CAMLoadClick(); // cancelled
    EXPECT_EQ(Window->CAMMemo->toPlainText().toStdString(), report);

    Rec->FileAnswers.push_back("/data/truth.png");
    Window->CAMLoadTruthClick();
    Rec->FileAnswers.push_back("/data/net.rnn");
    Window->NNOpenButtonClick();
    Window->NNOpenButtonClick(); // cancelled
    EXPECT_EQ(ClassifierFileNames.TruthImage, "/data/truth.png");
    EXPECT_EQ(ClassifierFileNames.NeuralNet, "/data/net.rnn");
    EXPECT_EQ(Window->CAMEdit->text(), "truth.png");
    EXPECT_EQ(Window->NNEdit->text(), "net.rnn");
    std::vector<int> filters;
    for (const auto& r : Rec->FileRequests)
        filters.push_back(r.FilterIndex);
    EXPECT_EQ(filters, (std::vector<int>{5, 5, 5, 6, 4, 4}));
    EXPECT_FALSE(Window->ClassPages->isTabEnabled(TClassificationForm::PageAccuracy));
    EXPECT_FALSE(Window->ClassPages->isTabEnabled(TClassificationForm::PageNeuralNet));
}

// Each Help button opens the guide at its own page's topic; the class changer's once opened the
// window's.
TEST_F(ClassificationWindow, HelpButtonsOpenTheirPagesTopics) {
    ASSERT_TRUE(WriteFileAtomic(Dir.File("Vorn.html"), std::string("<html></html>"),
                                TReplaceLeave::Chosen(Dir.File("Vorn.html"))));
    Form->HelpFile = Dir.File("Vorn.html");
    const std::pair<QPushButton * TClassificationForm::*, const char*> buttons[] = {
        {&TClassificationForm::ClassificationHelp, "topic-11000"},
        {&TClassificationForm::CUHelpBtn, "topic-11100"},
        {&TClassificationForm::PBoxHelpBtn, "topic-11200"},
        {&TClassificationForm::SpeedButton1, "topic-11300"},
        {&TClassificationForm::CAMHelpBtn, "topic-11400"},
    };
    for (const auto& [button, anchor] : buttons) {
        SCOPED_TRACE(anchor);
        Rec->OpenedDocuments.clear();
        // Pages that start disabled answer their button all the same once enabled.
        emit(Window->*button)->clicked();
        ASSERT_EQ(Rec->OpenedDocuments.size(), 1u) << Rec->Summary();
        const std::string& url = Rec->OpenedDocuments[0];
        EXPECT_EQ(url.substr(url.find('#') + 1), anchor);
    }
}

} // namespace
