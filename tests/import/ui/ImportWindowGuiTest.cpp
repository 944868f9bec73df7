#include "import/HeaderFixture.h"
#include "import/ui/vPBHdr.h"
#include "import/ui/vPBands.h"
#include "import/vHeaderListing.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <filesystem>

namespace {

using F = DIHField;
using Lines = std::vector<std::string>;

class ImportWindowGui : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        HeaderPages = THeaderPages();
        RegistrationPoints.clear();
        DIHRecord = TDIHRecord();
        DISLoaded = false;
        ImageDirectory = Dir.Path();
        Window = std::make_unique<TPBands>();
        Window->show();
    }
    void TearDown() override {
        Window.reset();
        GuiStartup::TearDown();
    }
    // A golden header copied into the picture folder under `name`.
    std::string Golden(const char* golden, const char* name) {
        std::filesystem::copy_file(GoldenHeader(golden), Dir.File(name));
        return Dir.File(name);
    }
    template <typename W> W* Control(const char* name) {
        W* w = Window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString Shown(const char* name) {
        QWidget* w = Window->findChild<QWidget*>(name);
        if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
        if (auto* c = qobject_cast<QCheckBox*>(w)) return c->isChecked() ? "true" : "false";
        if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
        if (auto* s = qobject_cast<QSpinBox*>(w)) return QString::number(s->value());
        if (auto* m = qobject_cast<QPlainTextEdit*>(w)) return m->toPlainText();
        return "<no control " + QString(name) + ">";
    }
    void OpenDIH(const std::string& path) {
        Rec->FileAnswers.push_back(path);
        Window->RIHOpenBtn->click();
    }
    std::unique_ptr<TPBands> Window;
};

TEST_F(ImportWindowGui, GoldenDIHShowsInTheControlsAndEditsReachThePagesAndTheFile) {
    OpenDIH(Golden("points.dih", "olinda.dih"));
    const std::vector<std::pair<const char*, QString>> shown = {
        {"RIHSceneTitle", "Olinda scene"},
        {"RIHBName6L", "ThermalLowGainBand6L_long"},
        {"ProjectionValidCBox", "true"},
        {"StereoCoverageCBox", "false"},
        {"YUnitsCB", "arc degrees"},
        {"UtmZoneCBOut", "1"},
        {"DatumCBOut", "WGS_84"},
        {"CatNameEditBox", "2"},
        {"MapEdge1Edit", "N"},
        {"RIHDISMemo", "olinda_a.dis\nolinda_b.dis"},
        {"RIHHeaderFileEdit", "olinda.dih"},
    };
    for (const auto& [name, text] : shown)
        EXPECT_EQ(Shown(name), text) << name;
    EXPECT_EQ(Control<QPlainTextEdit>("RegisteredDataRichEdit")->blockCount(), 2);

    auto* title = Control<QLineEdit>("RIHSceneTitle");
    title->selectAll();
    QTest::keyClicks(title, "Recife bay");
    Control<QCheckBox>("NeverProjectedCB")->click();
    auto* spheroid = Control<QComboBox>("SpheroidCBOut");
    spheroid->setCurrentIndex(8);
    emit spheroid->activated(8);
    auto* subsets = Control<QPlainTextEdit>("RIHDISMemo");
    subsets->setPlainText("olinda_c.dis");
    EXPECT_EQ((Lines{HeaderPages[F::RIHSceneTitle], HeaderPages[F::NeverProjectedCB],
                     HeaderPages[F::SpheroidCBOut]}),
              (Lines{"Recife bay", "true", "8"}));
    EXPECT_EQ(HeaderPages.RIHDISMemo, Lines{"olinda_c.dis"});

    Window->RIHSaveBtn->click();
    const Lines saved = FileLines(Dir.File("olinda.dih"));
    ASSERT_EQ(saved.size(), 305u);
    EXPECT_EQ((Lines{saved[3], saved[162], saved[195], saved.back()}),
              (Lines{"Recife bay", "true", "8", "olinda_c.dis"}));
    EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary();
}

TEST_F(ImportWindowGui, TurningAPageForgetsTheChosenHeader) {
    const std::string dis = Golden("lists.dis", "olinda_a.dis");
    const struct {
        const char* Turn;
        bool Refused;
    } cases[] = {{"none", false}, {"IIPageControl", true}, {"MultiPageControl", true}};
    for (const auto& c : cases) {
        Rec->Clear();
        Window->IIPageControl->setCurrentIndex(4);
        Rec->FileAnswers.push_back(dis);
        Window->DISFileOpen->click();
        ASSERT_TRUE(DISLoaded);
        if (std::string(c.Turn) != "none") {
            auto* pages = Control<QTabWidget>(c.Turn);
            pages->setCurrentIndex(pages->currentIndex() == 0 ? 1 : 0);
            Window->IIPageControl->setCurrentIndex(4);
        }
        Window->PreProcessDISBandsBtn->click();
        EXPECT_EQ(Rec->Shown(39993), c.Refused) << c.Turn << Rec->Summary();
    }
}

TEST_F(ImportWindowGui, ShowingAgainKeepsTheHeadersAndEmptiesThePictureInputs) {
    OpenDIH(Golden("points.dih", "olinda.dih"));
    for (QLineEdit* e : {Window->BandHdrEdit, Window->BandFileEdit1, Window->BandFileSaveAs,
                         Window->NBEdit4, Window->IMHEdit})
        e->setText("kept?");
    SelectedBandFiles[0] = "red.B4";
    DISLoaded = true;
    Window->hide();
    Window->show();
    for (QLineEdit* e : {Window->BandHdrEdit, Window->BandFileEdit1, Window->BandFileSaveAs,
                         Window->NBEdit4, Window->IMHEdit})
        EXPECT_TRUE(e->text().isEmpty()) << e->objectName().toStdString();
    EXPECT_TRUE(SelectedBandFiles[0].empty());
    EXPECT_FALSE(DISLoaded);
    EXPECT_EQ(Shown("RIHSceneTitle"), "Olinda scene");
    EXPECT_EQ(Shown("DISSubsetLeft"), "");
}

TEST_F(ImportWindowGui, PresetButtonsFillTheirBandFields) {
    const struct {
        QPushButton* Button;
        const char* Name;
        QString Text;
        const char* Range;
        QString RangeText;
    } cases[] = {
        {Window->RIHSetTM7Btn, "RIHBName8", "Band 8 Panchromatic", "RIHBSR6H", "10.4 .. 12.5"},
        {Window->RIHSetTMBtn, "RIHBName2", "Band 2 Green", "RIHBSR7", "2.08 .. 2.35"},
        {Window->RIHSetMSSBtn, "RIHBName4", "Band 4 (7) Near IR", "RIHBSR1", "0.5 .. 0.6"},
    };
    for (const auto& c : cases) {
        c.Button->click();
        EXPECT_EQ(Shown(c.Name), c.Text);
        EXPECT_EQ(Shown(c.Range), c.RangeText);
    }
}

TEST_F(ImportWindowGui, ImageTypeAndGrabbedBandFileGoIntoTheirFields) {
    Window->RIHImageComboBox->setCurrentIndex(13);
    emit Window->RIHImageComboBox->activated(13);
    EXPECT_EQ(Shown("RIHImageTypeEdit"), "SIR C");

    const std::string band = Dir.File("bands/scene.B8");
    const struct {
        const char* Slot;
        const char* Field;
        QString Shows;
        bool ConversionError;
    } cases[] = {{"9", "RIHBFName8", "scene.B8", false},
                 {"7", "RIHBFName6H", "scene.B8", false},
                 {"x", "RIHBFName1", "NA", true},
                 {"10", "RIHBFName1", "NA", false}};
    for (const auto& c : cases) {
        Rec->Clear();
        ImageDirectory = Dir.Path();
        Window->BandEdit->setText(c.Slot);
        Rec->FileAnswers.push_back(band);
        Window->RIHNameGrabber->click();
        EXPECT_EQ(Shown(c.Field), c.Shows) << c.Slot;
        EXPECT_EQ(ImageDirectory, c.Shows == "NA" ? Dir.Path() : Dir.File("bands/")) << c.Slot;
        EXPECT_EQ(Rec->ErrorBoxes,
                  c.ConversionError ? Lines{"'x' is not a valid integer value"} : Lines{})
            << c.Slot;
    }
}

// The band-file dialogs of the window offer every band file their filters mean: one or two
// characters after ".B" and ".P" (a raw split's "big.B1" used to be hidden by "*.B??").
TEST_F(ImportWindowGui, BandFileDialogsListOneAndTwoCharacterBands) {
    const std::string folder = Dir.File("grab/");
    std::filesystem::create_directory(folder);
    for (const char* name : {"big.B1", "big.B9", "big.B12", "big.P3", "big.P45", "big.FST",
                             "big.B123", "big.B", "big.txt"})
        ASSERT_TRUE(
            WriteFileAtomic(folder + name, std::string("x"), TReplaceLeave::Chosen(folder + name)));
    // The real dialog in place of the scripted answer; every other hook still records.
    const VornHooks recording = Hooks;
    InstallGuiHooks(Form);
    const auto dialog = Hooks.ChooseFile;
    Hooks = recording;
    Hooks.ChooseFile = dialog;
    const struct {
        QPushButton* Button;
        QStringList Listed;
    } cases[] = {
        {Window->RIHNameGrabber, {"big.B1", "big.B12", "big.B9", "big.FST", "big.P3", "big.P45"}},
        {Control<QPushButton>("PBandFileBtn1"),
         {"big.B1", "big.B12", "big.B9", "big.P3", "big.P45"}},
    };
    for (const auto& c : cases) {
        QStringList listed;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            const QString filter = d->selectedNameFilter();
            const qsizetype open = filter.lastIndexOf('(');
            const QStringList patterns =
                filter.mid(open + 1, filter.size() - open - 2).split(' ', Qt::SkipEmptyParts);
            listed =
                QDir(QString::fromStdString(folder)).entryList(patterns, QDir::Files, QDir::Name);
            d->reject();
        });
        c.Button->click();
        EXPECT_EQ(listed, c.Listed) << c.Button->objectName().toStdString();
    }
    Hooks.ChooseFile = recording.ChooseFile;
}

TEST_F(ImportWindowGui, LabelledSaveWritesTheListingBesideButNeverOverItsHeader) {
    OpenDIH(Golden("points.dih", "olinda.dih"));
    const std::string header = FileText(Dir.File("olinda.dih"));
    Rec->Clear();
    Rec->FileAnswers.push_back(Dir.File("olinda.dih"));
    Window->RIHSaveAsBtn->click();
    EXPECT_EQ(FileText(Dir.File("olinda.dih")), header);
    EXPECT_EQ(Rec->FileRequests.back().Filter, "DIH Header file |*.DIH");
    EXPECT_EQ(Rec->FileRequests.back().FileName, Dir.File("olinda.dih"));
    // The refusal is said: a listing that was silently not saved looked saved.
    ASSERT_EQ(Rec->Messages.size(), 1u);
    EXPECT_EQ(Rec->Messages[0].Text, Dir.File("olinda.dih") +
                                         " is the header itself.\nIts listing is saved under "
                                         "another name only.");

    Rec->FileAnswers.push_back(Dir.File("olinda.txt"));
    Window->RIHSaveAsBtn->click();
    EXPECT_EQ(FileLines(Dir.File("olinda.txt")), FileLines(GoldenHeader("points-listing.txt")));
    EXPECT_TRUE(Window->DDRIDXMemo->toPlainText().isEmpty());
}

TEST_F(ImportWindowGui, LogAndViewerBoxesCopyTheirTextAndTheViewerLoadsAFile) {
    HeaderPages.DIPMemo = {"DIP 1.1", "scene.dih", "=0202  PixelRatios"};
    Window->ShowHeaderPages();
    QApplication::clipboard()->clear();
    Window->DIPSelectAllBtn->click();
    Window->DIPCopyBtn->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "DIP 1.1\nscene.dih\n=0202  PixelRatios");

    const std::string dis = Golden("lists.dis", "olinda_a.dis");
    Rec->FileAnswers.push_back(dis);
    Window->DDRFileBtn->click();
    EXPECT_EQ(Window->DDRHdrEdit->text(), "olinda_a.dis");
    EXPECT_EQ(Window->DDRFileNameLabel->text(), QString::fromStdString(dis));
    EXPECT_TRUE(Window->DDRIDXMemo->toPlainText().startsWith("DIS 1.1\nolinda.dih\n"));

    TPBandHdrForm* viewer = ShowHeaderViewer(dis);
    EXPECT_EQ(viewer->DDRIDXMemo->toPlainText(), Window->DDRIDXMemo->toPlainText());
    EXPECT_TRUE(PBandHdrFormExists);
    delete viewer;
    PBandHdrFormExists = false;
}

TEST_F(ImportWindowGui, GoldenDISShowsOnItsPageAndEditsReachTheFile) {
    Rec->FileAnswers.push_back(Golden("lists.dis", "olinda_a.dis"));
    Window->DISFileOpen->click();
    const std::vector<std::pair<const char*, QString>> shown = {
        {"DISFileEdit", "olinda_a.dis"},
        {"DISSubsetRight", "640"},
        {"DISULLongitude", "-34.9"},
        {"DISLRRegY", "480"},
        {"DISCoLocoCB", "true"},
        {"DISStereoCB", "false"},
        {"DISNECoFile", "northeast.dis"},
        {"DISProcessMemo", "Image Dis Pre Process:"},
        {"DISDIPMemo", "DIP 1.1\nolinda.dih\nolinda_a.dis"},
    };
    for (const auto& [name, text] : shown)
        EXPECT_EQ(Shown(name), text) << name;

    auto* top = Control<QLineEdit>("DISSubsetTop");
    top->selectAll();
    QTest::keyClicks(top, "17");
    Control<QCheckBox>("DISStereoCB")->click();
    Control<QPlainTextEdit>("DISDividedMemo")->setPlainText("olinda_a.B3");
    Window->DISFileSave->click();
    const Lines saved = FileLines(Dir.File("olinda_a.dis"));
    ASSERT_EQ(saved.size(), 45u);
    EXPECT_EQ((Lines{saved[6], saved[27], saved[38]}), (Lines{"17", "true", "olinda_a.B3"}));
}

TEST_F(ImportWindowGui, ClearingAndLoggingElsewhereShowAtOnce) {
    OpenDIH(Golden("points.dih", "olinda.dih"));
    Window->RIHClearBtn->click();
    EXPECT_EQ((std::vector<QString>{Shown("RIHSceneTitle"), Shown("RIHDISMemo"), Shown("XUnitsCB"),
                                    Shown("ProjectionValidCBox")}),
              (std::vector<QString>{"NA", "", "feet", "false"}));

    InstallHeaderHooks();
    Hooks.HeaderPagesChanged = [this] { Window->ShowHeaderPages(); };
    SetImageName(Dir.Path(), "scene.png");
    HeaderPages.DIPMemo = {"DIP 1.1"};
    Hooks.AppendHistoryLine("=0202  PixelRatios");
    Hooks.SaveHistoryLog();
    EXPECT_EQ(Shown("DIPMemo"), "DIP 1.1\n=0202  PixelRatios");
}

TEST_F(ImportWindowGui, HeaderOfAnUnknownKindIsRefusedAndNoHeaderIsWritten) {
    WriteFileAtomic(Dir.File("scene.abc"), "text", TReplaceLeave::Chosen(Dir.File("scene.abc")));
    Window->IIPageControl->setCurrentIndex(0);
    OpenDIH(Dir.File("scene.abc"));
    EXPECT_TRUE(Rec->Shown(39968)) << Rec->Summary();
    EXPECT_FALSE(FileExists(Dir.File("scene.dih")));
    EXPECT_EQ(Shown("RIHHeaderFileEdit"), "NA");
}

} // namespace
