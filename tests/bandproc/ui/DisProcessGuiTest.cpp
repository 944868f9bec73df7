#include "bandproc/ui/DisProcessFixture.h"
#include "bandproc/ui/vDisAlgebraPages.h"
#include "bandproc/ui/vDisSinglePages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>

namespace {

constexpr int NotReady = 39993;

TEST_F(DisProcessGui, ChoosingTheDISFillsEveryPageAndEmptiesTheSlots) {
    SplitScene();
    TDisVIPage* vi = Window->VIPage;
    vi->VIPVEdits[2]->setText("7");
    Window->KTPage->TCFileEdits[0]->setText("old.B1");
    // The DIS lies in a folder of its own without its DIH: the scene's DIH is read where the
    // pictures were.
    MakeDirectories(Dir.File("sub"));
    std::string dis = FileText(Dir.File("olinda.dis"));
    ASSERT_TRUE(WriteFileAtomic(Dir.File("sub/olinda.DIS"), dis,
                                TReplaceLeave::Chosen(Dir.File("sub/olinda.DIS"))));
    Rec->Clear();
    ChooseDIS(Window->SinglePage->SingleDISFileBtn, Dir.File("sub/olinda.DIS"));
    ChooseBand(Window->VIPage->VIPFileBtns[3], 1);
    ASSERT_EQ(Rec->FileRequests.size(), 2u);
    EXPECT_EQ(Rec->FileRequests[0].Filter, "DIS Header file (DIS)|*.DIS");
    EXPECT_EQ(Rec->FileRequests[0].InitialDir, Dir.Path());
    EXPECT_EQ(Rec->FileRequests[1].Filter, "Spectral Bands (B??, P?"
                                           "?)|*.B??;*.P??");
    EXPECT_EQ(Rec->FileRequests[1].InitialDir, Dir.File("sub/"));
    EXPECT_EQ(Window->Scene.BandFiles[3], BandPath(1));
    Window->Scene.BandFiles.fill("stale");
    // Chosen again, the DIH beside it is read.
    ASSERT_TRUE(WriteFileAtomic(Dir.File("sub/olinda.dih"), FileText(Dir.File("olinda.dih")),
                                TReplaceLeave::Chosen(Dir.File("sub/olinda.dih"))));
    ChooseDIS(Window->SinglePage->SingleDISFileBtn, Dir.File("sub/olinda.DIS"));

    EXPECT_TRUE(Window->Scene.Loaded);
    EXPECT_EQ(Window->Scene.Folder, Dir.File("sub/"));
    EXPECT_EQ(Window->BandsAvailableLabel->text(), "6") << Rec->Summary();
    EXPECT_EQ(Window->Scene.Pages.DISSubsetNBands, "6");
    EXPECT_EQ(Window->Scene.Bounds.Width(), OlindaW);
    EXPECT_EQ(Window->Scene.Bounds.Height(), OlindaH);
    for (const std::string& slot : Window->Scene.BandFiles)
        EXPECT_EQ(slot, "");
    const struct {
        const QString Shown;
        const char* Expected;
    } shown[] = {
        {Window->IM_Hints->text(), "olinda.DIS"},
        {vi->VIDISFileEdit->text(), "olinda.DIS"},
        {vi->VIPFileEdit->text(), "olinda.pvi"},
        {vi->VIPVEdits[2]->text(), "0.1"},
        {Window->MBFAPage->MBFAFileEdit->text(), "olinda.DIS"},
        {Window->KTPage->TCFileNameEdit->text(), "olinda.DIS"},
        {Window->KTPage->TCFileEdits[0]->text(), ""},
        {Window->KTPage->TCDISBandsLabel->text(), "6"},
        {Window->KTPage->TCDISWidthLabel->text(), "349"},
        {Window->KTPage->TCDISHeightLabel->text(), "352"},
        {Window->DividePage->ComboDISEdit->text(), "olinda.DIS"},
        {Window->DividePage->Pixels->text(), "122848"},
        {Window->DividePage->DISDFELabel->text(), "DIS Divided files DO NOT Exist"},
        {Window->SinglePage->BCBandFileLC->text(), "1"},
        {Window->SinglePage->BCBandFileBR->text(), "352"},
        {Window->SinglePage->BCBandFileIW->text(), "349"},
    };
    for (const auto& s : shown)
        EXPECT_EQ(s.Shown.toStdString(), s.Expected);
    EXPECT_FALSE(Window->DividePage->CDCombineBtn->isEnabled());

    // Launched from the import window on another DIS, every page names that one and lets go of
    // what it held of the last; launched again on the same DIS, what was typed stays.
    vi->VIPVEdits[2]->setText("7");
    HeaderPages = THeaderPages();
    ASSERT_TRUE(HeaderPages.OpenDISHeader(Dir.File("olinda.dis")));
    HeaderPages.NameDIS(Dir.File("olinda.dis"));
    DISLoaded = true;
    for (const char* typed : {"0.1", "7"}) {
        Window->AdoptScene();
        EXPECT_EQ(Window->Scene.Folder, Dir.Path());
        for (const QLineEdit* e :
             {vi->VIDISFileEdit, Window->KTPage->TCFileNameEdit, Window->DividePage->ComboDISEdit})
            EXPECT_EQ(e->text(), "olinda.dis") << e->objectName().toStdString();
        EXPECT_EQ(Window->IM_Hints->text(), "olinda.dis");
        EXPECT_EQ(vi->VIPVEdits[2]->text(), typed);
        vi->VIPVEdits[2]->setText("7");
    }
}

TEST_F(DisProcessGui, AChoiceThatIsNoReadableDISChangesNothing) {
    SplitScene();
    const struct {
        const char* Name;
        bool Message;
    } cases[] = {{"olinda.dih", false}, {"missing.dis", true}, {"", false}};
    for (const auto& c : cases) {
        Rec->Clear();
        ChooseDIS(Window->VIPage->VIPDISFile, c.Name[0] ? Dir.File(c.Name) : "");
        EXPECT_FALSE(Window->Scene.Loaded) << c.Name;
        EXPECT_EQ(Window->VIPage->VIDISFileEdit->text(), "") << c.Name;
        EXPECT_EQ(Rec->Shown(39998), c.Message) << c.Name;
    }
}

// A DIS whose DIH stops at a bad number, or is not there, used to leave the window armed with a
// mixture: the new DIS's pages under the last DIS's name, so the next run saved the new subset
// and its record into the last DIS. The window now stays whole on the last DIS.
TEST_F(DisProcessGui, ADISWhoseDIHIsNotReadLeavesTheWindowOnTheLastDIS) {
    SplitScene();
    std::vector<std::string> dih = SplitLines(FileText(Dir.File("olinda.dih")));
    dih.at(164) = "abc";
    ASSERT_TRUE(WriteFileAtomic(Dir.File("bad.dih"), JoinLinesCRLF(dih),
                                TReplaceLeave::Chosen(Dir.File("bad.dih"))));
    dih.at(0) = "DIH 1.0";
    ASSERT_TRUE(WriteFileAtomic(Dir.File("old.dih"), JoinLinesCRLF(dih),
                                TReplaceLeave::Chosen(Dir.File("old.dih"))));
    const struct {
        const char* DIH;
        const char* Error;
        int Message;
    } cases[] = {{"bad.dih", "'abc' is not a valid floating point value", 0},
                 {"missing.dih", nullptr, 39998},
                 {"old.dih", nullptr, 39994}};
    ChooseDIS(Window->SinglePage->SingleDISFileBtn, Dir.File("olinda.dis"));
    TDisSinglePage* single = Window->SinglePage;
    ChooseBand(single->SingleBandFileBtn, 4);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.DIH);
        THeaderPages other;
        ASSERT_TRUE(other.OpenDISHeader(Dir.File("olinda.dis")));
        other[DISField::DISSubsetRight] = other[DISField::DISSubsetWidth] = "10";
        other[DISField::DISSubsetDIH] = c.DIH;
        ASSERT_TRUE(WriteFileAtomic(Dir.File("other.dis"), JoinLinesCRLF(other.DISLines()),
                                    TReplaceLeave::Chosen(Dir.File("other.dis"))));
        const std::string otherText = FileText(Dir.File("other.dis"));
        Rec->Clear();
        ChooseDIS(Window->SinglePage->SingleDISFileBtn, Dir.File("other.dis"));
        if (c.Error) EXPECT_EQ(Rec->ErrorBoxes, std::vector<std::string>{c.Error});
        if (c.Message) {
            EXPECT_TRUE(Rec->Shown(c.Message)) << Rec->Summary();
            EXPECT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
        }
        EXPECT_EQ(Window->Scene.Pages.DISFileEdit, "olinda.dis");
        EXPECT_EQ(Window->BandsAvailableLabel->text(), "6");
        EXPECT_EQ(Window->Scene.Pages[DISField::DISSubsetWidth], std::to_string(OlindaW));
        single->BCNewFileEdit->setText(c.DIH);
        single->SingleMathBtn->click();
        const std::string product = ChangeFileExt(c.DIH, ".psa");
        EXPECT_EQ(FileBytes(Dir.File(product)).size(), Band(4).size());
        EXPECT_EQ(SavedDIS().back(), product);
        EXPECT_EQ(FileText(Dir.File("other.dis")), otherText);
    }
}

// A DIS's DIH is the one beside it; only a scene without one there takes the working folder's.
// The DIH was read from the working folder alone: a DIS with its DIH beside it was refused with
// 39998, or took another scene's DIH of the same name.
TEST_F(DisProcessGui, TheDIHBesideTheDISComesBeforeTheWorkingFolders) {
    SplitScene();
    THeaderPages three;
    ASSERT_TRUE(three.RIHOpenRIHHeader(Dir.File("olinda.dih")));
    three[DIHField::RIHNBEdit] = "3";
    const struct {
        const char* Name;
        const char* Beside;  // the DIH beside the DIS: "6" bands, "3" or none
        const char* Working; // the one in the working folder
        const char* Bands;   // what the window takes, "" when refused
    } cases[] = {{"beside only", "6", nullptr, "6"},
                 {"beside and another scene's", "6", "3", "6"},
                 {"working folder only", nullptr, "3", "3"},
                 {"neither", nullptr, nullptr, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TempDir scene, working;
        ASSERT_TRUE(WriteFileAtomic(scene.File("olinda.dis"), FileText(Dir.File("olinda.dis")),
                                    TReplaceLeave::Chosen(scene.File("olinda.dis"))));
        const std::pair<const char*, const TempDir*> dihs[] = {{c.Beside, &scene},
                                                               {c.Working, &working}};
        for (const auto& [bands, folder] : dihs)
            if (bands && *bands == '6')
                ASSERT_TRUE(WriteFileAtomic(folder->File("olinda.dih"),
                                            FileText(Dir.File("olinda.dih")),
                                            TReplaceLeave::Chosen(folder->File("olinda.dih"))));
            else if (bands)
                three.RIHSaveTo(folder->File("olinda.dih"));
        ImageDirectory = working.Path();
        Window = std::make_unique<TDisProcessForm>();
        Rec->Clear();
        ChooseDIS(Window->SinglePage->SingleDISFileBtn, scene.File("olinda.dis"));
        EXPECT_EQ(Window->Scene.Loaded, *c.Bands != 0);
        EXPECT_EQ(Window->BandsAvailableLabel->text().toStdString(), c.Bands);
        EXPECT_EQ(Rec->Shown(39998), *c.Bands == 0);
    }
}

TEST_F(DisProcessGui, RunsNeedADISAndThenTheirBandsAndNames) {
    TDisSinglePage* single = Window->SinglePage;
    QPushButton* runs[] = {
        Window->VIPage->VIPOKBtns[0], Window->VIPage->VIPOKBtns[5],  Window->KTPage->TCOKBtn,
        Window->MBFAPage->MBFAOKBtn,  Window->DividePage->CDPixelOK, single->SingleMathBtn,
        single->RadarDeRez16OKBtn,    single->PixelSizerBtn,         single->BGRtoHSVOKBtn};
    Window->KTPage->TCFileNameEdit->setText("kt");
    for (QPushButton* run : runs) {
        Rec->Clear();
        run->click();
        EXPECT_TRUE(Rec->Shown(NotReady)) << run->objectName().toStdString() << Rec->Summary();
        EXPECT_EQ(Rec->Messages.size(), 1u);
    }
    // Only the band algebra's title goes into the list before its checks.
    EXPECT_EQ(Window->Scene.Pages.DISProcessMemo, std::vector<std::string>{"Image MBFA:"});

    SplitScene();
    ChooseDIS(Window->TabSheet12->findChild<QPushButton*>("VIPDISFile"), Dir.File("olinda.dis"));
    Window->KTPage->TCFileNameEdit->clear();
    for (QLineEdit* e : {single->SRFileH1Edit, single->SRFileS2Edit, single->SRFileV3Edit})
        e->setText("x");
    for (QPushButton* run :
         {Window->MBFAPage->MBFAOKBtn, Window->KTPage->TCOKBtn, single->BGRtoHSVOKBtn}) {
        Rec->Clear();
        run->click();
        EXPECT_TRUE(Rec->Shown(NotReady)) << run->objectName().toStdString();
    }
}

TEST_F(DisProcessGui, ASecondRunOrACloseDuringARunIsRefused) {
    SplitScene();
    ChooseDIS(Window->VIPage->VIPDISFile, Dir.File("olinda.dis"));
    Window->show();
    ChooseBand(Window->VIPage->VIPFileBtns[0], 4);
    ChooseBand(Window->VIPage->VIPFileBtns[1], 3);
    int calls = 0;
    Hooks.ProcessMessages = [&] {
        if (calls++ == 0) {
            Window->close();
            Window->VIPage->VIPOKBtns[1]->click();
        }
    };
    Window->VIPage->VIPOKBtns[0]->click();
    EXPECT_GT(calls, 0);
    EXPECT_TRUE(Window->isVisible());
    EXPECT_TRUE(FileExists(Dir.File("olinda.pv1")));
    EXPECT_FALSE(FileExists(Dir.File("olinda.pv2")));
    EXPECT_TRUE(LoggedFrom(Window->Scene.Pages.DISProcessMemo, "Image VIP 2:").empty());
    EXPECT_FALSE(ImageOperationBusy);
    Window->close();
    EXPECT_FALSE(Window->isVisible());
}

TEST_F(DisProcessGui, EngineProgressAndStagesReachTheWindow) {
    DisProcessForm = Window.get();
    InstallBandWindowHooks();
    HookBandGauge(42);
    HookBandHints("Processing VIP");
    EXPECT_EQ(Window->RadarGauge->value(), 42);
    EXPECT_EQ(Window->IM_Hints->text(), "Processing VIP");
    DisProcessForm = nullptr;
}

TEST_F(DisProcessGui, CoefficientFileKeepsTheTwentyFourTextsInItsOrder) {
    TDisKTPage* kt = Window->KTPage;
    kt->TCTMBtn->click();
    Rec->FileAnswers.push_back(Dir.File("tm.tc"));
    kt->SaveTCBtn->click();
    // Typed by hand from the layout: SBI, GVI, YVI, NSI rows of columns 1, 2, 3, 4, 5, 7.
    EXPECT_EQ(FileBytes(Dir.File("tm.tc")), FileBytes(TestData("bandproc/tm.tc")));

    kt->TCClearBtn->click();
    EXPECT_EQ(kt->Grid[0]->text(), "0.0");
    Rec->FileAnswers.push_back(TestData("bandproc/tm.tc"));
    kt->LoadTCBtn->click();
    const char* const tm[] = {"0.33183",  "0.33121",  "0.55177",  "0.42514", "0.48087",  "0.25252",
                              "-0.24717", "-0.16263", "-0.40639", "0.85468", "0.05493",  "-0.11749",
                              "0.13929",  "0.22490",  "0.40359",  "0.25178", "-0.70133", "-0.45732",
                              "0.0",      "0.0",      "0.0",      "0.0",     "0.0",      "0.0"};
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(kt->Grid[i]->text().toStdString(), tm[i]) << i;
    EXPECT_EQ(kt->findChild<QLineEdit*>("YVIEdit7"), kt->Grid[17]);

    // A file of 23 lines is refused whole; another extension is not read at all.
    std::string text = FileText(TestData("bandproc/tm.tc"));
    ASSERT_TRUE(WriteFileAtomic(Dir.File("short.tc"), text.substr(0, text.rfind("0.0")),
                                TReplaceLeave::Chosen(Dir.File("short.tc"))));
    ASSERT_TRUE(
        WriteFileAtomic(Dir.File("tm.txt"), text, TReplaceLeave::Chosen(Dir.File("tm.txt"))));
    kt->TCClearBtn->click();
    for (const char* name : {"short.tc", "tm.txt"}) {
        Rec->FileAnswers.push_back(Dir.File(name));
        kt->LoadTCBtn->click();
        for (int i = 0; i < 24; ++i)
            EXPECT_EQ(kt->Grid[i]->text(), "0.0") << name << i;
    }
    EXPECT_EQ(Rec->ErrorBoxes.size(), 1u);
}

TEST_F(DisProcessGui, PresetsFillTheWholeGrid) {
    TDisKTPage* kt = Window->KTPage;
    kt->TCMSSBtn->click();
    std::vector<std::string> grid;
    for (QLineEdit* e : kt->Grid)
        grid.push_back(e->text().toStdString());
    EXPECT_EQ(grid, (std::vector<std::string>{
                        "0.0",    "0.332", "0.603", "0.675",  "0.262", "0.0",    "0.0",   "-0.283",
                        "-0.66",  "0.577", "0.388", "0.0",    "0.0",   "-0.899", "0.428", "0.076",
                        "-0.041", "0.0",   "0.0",   "-0.016", "0.131", "-0.452", "0.882", "0.0"}));
    kt->TCTMMBtn->click();
    EXPECT_EQ(kt->Grid[11]->text(), "-0.18");
    EXPECT_EQ(kt->Grid[18]->text(), "0.0");
}

} // namespace
