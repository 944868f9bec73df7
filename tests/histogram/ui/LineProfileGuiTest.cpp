// The line-profile window driven as the main image's mouse drives it: the table, chart, strip
// and saved text of a drag across a step edge, grabbing, and a long line.
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vLinear.h"

#include "runtime/RtFiles.h"
#include "shell/ui/vImageView.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"
#include "support/GuiWindows.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QValueAxis>

#include <filesystem>
#include <functional>

namespace {

class LineProfileWindow : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Profile = new TLineProfileForm(Form);
        LineProfileForm = Profile;
        // A step edge from (10, 20, 30) to (200, 100, 50) between columns 9 and 10.
        Picture p;
        p.Resize(20, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 20; ++x)
                p.Row(y)[x] = x < 10 ? PackPixel(10, 20, 30) : PackPixel(200, 100, 50);
        DisplayedPicture = std::move(p);
        AllocImageBuffers();
        ImageDirectory = Dir.Path();
        SetImageName(Dir.Path(), "field.png");
        CopyImageForProcessing();
        Profile->StartProfile();
        Rec->Clear();
    }
    void TearDown() override {
        LineProfileMode = false;
        LineProfileDrawing = false;
        GuiStartup::TearDown();
    }
    // Through the main image's mouse handlers, as the user drags.
    void Drag(ImagePoint from, ImagePoint to) {
        Form->MultiImage1MouseDown(from.X, from.Y, Qt::LeftButton);
        Form->MultiImage1MouseMove((from.X + to.X) / 2, (from.Y + to.Y) / 2);
        Form->MultiImage1MouseUp(to.X, to.Y, Qt::LeftButton);
    }
    QStringList DataLines() const { return Profile->MemoData->toPlainText().split('\n'); }

    TLineProfileForm* Profile = nullptr;
};

TEST_F(LineProfileWindow, ADragAcrossAnEdgeFillsTheTableChartStripAndSavedText) {
    EXPECT_TRUE(LineProfileMode);
    EXPECT_EQ(Profile->LabelFilename->text(), "field");
    Drag({2, 1}, {17, 1});
    EXPECT_FALSE(LineProfileDrawing);
    EXPECT_TRUE(Profile->PageControlProfile->isVisibleTo(Profile));
    EXPECT_EQ(Profile->LabelPoints->text(), "Points = (2, 1)   (17, 1)     Distance = 15.0");
    const QStringList lines = DataLines();
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[10], "  6     8.5   1.5    10  38.0   20  16.0   30   4.0   20   210 170  30");
    EXPECT_EQ(Profile->BottomAxis->max(), 15.0);
    EXPECT_EQ(Profile->BottomAxis->tickInterval(), 5.0);
    EXPECT_EQ(Profile->Series[0]->count(), 16);
    EXPECT_EQ(Profile->Series[0]->at(15), QPointF(15, 200));
    EXPECT_EQ(Profile->Series[4]->at(0), QPointF(0, 210)); // hue
    EXPECT_EQ(Profile->ImagePixelRow->pixmap().toImage().pixel(15, 2), qRgb(200, 100, 50));
    EXPECT_TRUE(Profile->ChartPixelProfile->title().endsWith("field   from (2, 1) to (17, 1)"));

    Profile->SaveButtonClick();
    std::string saved = FileText(Dir.File("field.txt"));
    EXPECT_EQ(saved.substr(0, 10), "field\r\n \r\n");
    EXPECT_EQ(SplitLines(saved).size(), 20u);
    // Another window shows another picture: the table still goes out beside the picture it was
    // drawn on, under that picture's name.
    TempDir other;
    SetImageName(other.Path(), "olinda.png");
    std::filesystem::remove(Dir.File("field.txt"));
    Profile->SaveButtonClick();
    EXPECT_EQ(FileText(Dir.File("field.txt")), saved);
    EXPECT_TRUE(std::filesystem::is_empty(other.Path()));
    // The line is drawn over the picture on the view; the picture's pixels are never drawn on.
    EXPECT_EQ(Form->Image1->ShownImage().pixel(9, 1), qRgb(255, 0, 0));
    EXPECT_EQ(DisplayedPicture.Row(1)[9], PackPixel(10, 20, 30));
}

// The text is named after the picture, not chosen: a link under that name, to a file outside the
// folder or to nothing, is refused and never written through.
TEST_F(LineProfileWindow, TheSavedTextNeverGoesThroughALinkBesideThePicture) {
    Drag({2, 1}, {17, 1});
    ASSERT_TRUE(MakeDirectories(Dir.File("outside/")));
    const std::string victim = Dir.File("outside/rc");
    for (const bool victimExists : {true, false}) {
        SCOPED_TRACE(victimExists ? "a link to a file" : "a link to nothing");
        std::filesystem::remove(Dir.File("field.txt"));
        std::filesystem::remove(victim);
        if (victimExists)
            ASSERT_TRUE(WriteFileAtomic(victim, std::string("someone's file"),
                                        TReplaceLeave::Chosen(victim)));
        std::filesystem::create_symlink("outside/rc", Dir.File("field.txt"));
        EXPECT_FALSE(RunGuarded([&] { Profile->SaveButtonClick(); }));
        EXPECT_EQ(Rec->ErrorBoxes, std::vector<std::string>{"File access denied"});
        Rec->Clear();
        EXPECT_TRUE(std::filesystem::is_symlink(Dir.File("field.txt")));
        EXPECT_EQ(FileExists(victim), victimExists);
        if (victimExists) EXPECT_EQ(FileText(victim), "someone's file");
    }
}

TEST_F(LineProfileWindow, EndPointsAreGrabbedWithinFourPixelsAndTheWholeLineMoves) {
    Drag({2, 1}, {12, 1});
    Profile->SpeedButtonToolClick(2);
    EXPECT_EQ(Profile->ProfileTool, 1);
    struct Grab {
        ImagePoint Down, Up;
        uint8_t Part;
    };
    // Start (2, 1), end (12, 1): each grab is let go where the next one expects the line.
    for (const Grab& g : {Grab{{6, 5}, {2, 1}, 1}, Grab{{7, 6}, {7, 6}, 0}, Grab{{7, 1}, {9, 3}, 3},
                          Grab{{18, 3}, {16, 1}, 2}}) {
        Profile->DoImageMouseDown(g.Down.X, g.Down.Y);
        EXPECT_EQ(Profile->GrabbedPart, g.Part) << g.Down.X << "," << g.Down.Y;
        Profile->DoImageMouseUp(g.Up.X, g.Up.Y);
    }
    EXPECT_EQ(Profile->GrabbedPart, 0);
    EXPECT_EQ(Profile->LineStart.X * 100 + Profile->LineStart.Y, 4 * 100 + 3);
    EXPECT_EQ(Profile->LineEnd.X * 100 + Profile->LineEnd.Y, 16 * 100 + 1);
}

TEST_F(LineProfileWindow, ShortLinesHideThePagesAndAnUndoneCopyKeepsTheLastProfile) {
    Drag({2, 1}, {17, 1});
    const QString before = Profile->MemoData->toPlainText();
    UnlockImageBuffers();
    Drag({3, 1}, {15, 2});
    EXPECT_TRUE(Rec->Shown(39975));
    EXPECT_EQ(Profile->MemoData->toPlainText(), before);
    CopyImageForProcessing();
    Drag({3, 1}, {4, 2});
    EXPECT_FALSE(Profile->PageControlProfile->isVisibleTo(Profile));
    EXPECT_FALSE(Profile->ImagePixelRow->isVisibleTo(Profile));
}

TEST_F(LineProfileWindow, ALongLineFillsEachSeriesAndTheAxisInOneCall) {
    std::vector<std::unique_ptr<QSignalSpy>> replaced, added;
    for (QLineSeries* s : Profile->Series) {
        replaced.push_back(std::make_unique<QSignalSpy>(s, &QXYSeries::pointsReplaced));
        added.push_back(std::make_unique<QSignalSpy>(s, &QXYSeries::pointAdded));
    }
    QSignalSpy axis(Profile->BottomAxis, &QValueAxis::rangeChanged);
    Profile->DoImageMouseDown(0, 0);
    Profile->DoImageMouseUp(10000, 0);
    for (size_t i = 0; i < replaced.size(); ++i) {
        EXPECT_EQ(replaced[i]->count(), 1);
        EXPECT_EQ(added[i]->count(), 0);
        EXPECT_EQ(Profile->Series[i]->count(), 10001);
    }
    EXPECT_EQ(axis.count(), 1);
    EXPECT_EQ(Profile->BottomAxis->tickInterval(), 50.0);
}

// The tool measures the picture it started on. Another picture opened, or the shown one replaced,
// used to leave it armed: its line drawn over the new picture, and a click there reporting
// "Image Undone or crashed" for a copy that was simply the last picture's.
TEST_F(LineProfileWindow, ThePictureReplacedEndsTheTool) {
    Picture other;
    other.Resize(20, 3);
    for (uint32_t& px : other.Pixels)
        px = PackPixel(0, 90, 0);
    WritePictureFile(Dir.File("other.png"), other, PictureFileKind::Png,
                     TReplaceLeave::Chosen(Dir.File("other.png")));
    const struct {
        const char* Name;
        std::function<void()> Replace;
    } cases[] = {
        {"another opened", [this] { EXPECT_TRUE(Form->LoadFromFile(Dir.File("other.png"))); }},
        {"the shown one replaced", [&other] { ReplaceDisplayedPicture(other); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        CopyImageForReading();
        Profile->StartProfile();
        Drag({2, 1}, {17, 1});
        ASSERT_TRUE(Profile->PageControlProfile->isVisibleTo(Profile));
        Rec->Clear();
        c.Replace();
        EXPECT_FALSE(LineProfileMode);
        EXPECT_FALSE(ImageBuffersLocked);
        EXPECT_FALSE(PointIsSet(Profile->LineStart));
        EXPECT_FALSE(Profile->PageControlProfile->isVisibleTo(Profile));
        EXPECT_EQ(Profile->MemoData->toPlainText(), "");
        EXPECT_EQ(Profile->LabelPoints->text(), "");
        EXPECT_TRUE(Profile->GroupBoxDraw->isHidden());
        EXPECT_EQ(Form->Image1->ShownImage().pixel(9, 1), qRgb(0, 90, 0));
        Drag({3, 1}, {15, 2});
        EXPECT_FALSE(Rec->Shown(39975)) << Rec->Summary();
        EXPECT_FALSE(PointIsSet(Profile->LineStart));
    }
}

// The window opens as the Linear window opens it, shown and then armed, at the size of the
// profile it is to show: once a line longer than the window is drawn, the chart and every button
// show whole, no scroll bar, and the window comes in front of the main window the drag was made
// on.
TEST_F(LineProfileWindow, TheDrawnProfileShowsWholeInFrontOfTheMainWindow) {
    DisplayedPicture.Resize(900, 3);
    AllocImageBuffers();
    Profile = new TLineProfileForm(Form);
    LineProfileForm = Profile;
    TLinearForm linear(Form);
    Form->show();
    linear.ProfileBtnClick();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == Form; }));
    Drag({2, 1}, {890, 1});
    QApplication::processEvents();
    const QSize room = Profile->screen()->availableGeometry().size();
    for (const std::string& fault : OpeningSizeFaults(*Profile, room))
        ADD_FAILURE() << fault;
    const QRect chart(Profile->ChartView->mapTo(Profile, QPoint(0, 0)), Profile->ChartView->size());
    EXPECT_TRUE(Profile->rect().contains(chart));
    EXPECT_GE(chart.width(), 560);
    EXPECT_GE(chart.height(), 300);
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == Profile; }));
}

TEST_F(LineProfileWindow, ClosingDisarmsTheToolAndReleasesTheCopy) {
    Drag({2, 1}, {17, 1});
    Profile->close();
    EXPECT_FALSE(LineProfileMode);
    EXPECT_FALSE(ImageBuffersLocked);
}

} // namespace
