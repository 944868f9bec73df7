#include "shell/ui/vImageView.h"
#include "shell/ui/vUEnabler.h"
#include "shell/vColorScreens.h"
#include "shell/vPictureFiles.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <functional>

namespace {

class ImageModes : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Form->FormCreate({});
        DisplayedPicture.Resize(100, 100);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                DisplayedPicture.At(x, y) =
                    PackPixel(static_cast<uint8_t>(2 * x), static_cast<uint8_t>(2 * y),
                              static_cast<uint8_t>(x + y));
        AllocImageBuffers();
        Form->PictureChanged();
        EnableImageCommands(true);
        EnableObjectMenus(true);
        Original = DisplayedPicture.Pixels;
        Form->show();
        // A measured drag asks for its distances in a modal dialog: answered Cancel, as every
        // question of these tests is.
        QObject::connect(&CancelDialogs, &QTimer::timeout, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
        });
        CancelDialogs.start(0);
        Rec->Clear();
    }
    void TearDown() override {
        CancelDialogs.stop();
        FreeRotateImages();
        ClearToolModes();
        GuiStartup::TearDown();
    }

    QTimer CancelDialogs;

    void Press(int x, int y) { QTest::mousePress(Form->Image1, Qt::LeftButton, {}, QPoint(x, y)); }
    void Move(int x, int y) { QTest::mouseMove(Form->Image1, QPoint(x, y)); }
    void Release(int x, int y) {
        QTest::mouseRelease(Form->Image1, Qt::LeftButton, {}, QPoint(x, y));
    }
    void Drag(QPoint from, QPoint to) {
        Press(from.x(), from.y());
        Move((from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
        Move(to.x(), to.y());
        Release(to.x(), to.y());
    }
    // The displayed picture is the original with every pixel mapped.
    bool ShowsOriginalAs(const std::function<uint32_t(uint32_t)>& map) const {
        for (size_t i = 0; i < Original.size(); ++i)
            if (DisplayedPicture.Pixels[i] != map(Original[i])) return false;
        return true;
    }
    bool ShowsOriginal() const { return DisplayedPicture.Pixels == Original; }
    static std::array<int, 4> Box(const SelectionRect& r) {
        return {r.Left, r.Right, r.Top, r.Bottom};
    }

    std::vector<uint32_t> Original;
};

uint8_t Inv(uint8_t v) {
    return static_cast<uint8_t>(255 - v);
}
std::vector<uint32_t> Pixels(const QImage& image) {
    std::vector<uint32_t> words;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            words.push_back(image.pixel(x, y));
    return words;
}
uint32_t OnlyRed(uint32_t p) {
    return PackPixel(PixelRed(p), 0, 0);
}

} // namespace

// Every pair of modes that can be on at once, two drags each, saved in mid-drag and after each
// release: the file holds the picture as loaded (with no marks window open, a dragged mark has no
// entry to go with and is not burnt in).
TEST_F(ImageModes, NoPairOfModesLeavesItsMarksInTheSavedPicture) {
    bool* const modes[] = {&ZoomMode,     &PixelValuesMode, &LineProfileMode, &ObjectMarkArmed,
                           &MeasuredMode, &TrainingArmed,   &SnakeMode,       &LabelPlaceArmed};
    const std::array<QPoint, 2> drags[] = {{QPoint(10, 10), QPoint(60, 50)},
                                           {QPoint(30, 70), QPoint(80, 20)}};
    ImageDirectory = Dir.Path();
    SetImageName(Dir.Path(), "modes.png");
    CurrentMarkLook = {3, true, 0x0000FF, 0x00FF00};
    const QImage loaded = TImageView::PictureImage().copy();
    const auto savedAs = [this](const QImage& expected) {
        // The view painted as the screen would, marks and all, before the picture is saved.
        Form->Image1->grab();
        Form->F_SaveClick();
        const Picture saved = ReadPictureFile(Dir.File("modes.png")).Image;
        const QImage shown = TImageView::PictureImage();
        return saved.Pixels == Pixels(expected) && shown == expected;
    };
    for (size_t i = 0; i < std::size(modes); ++i)
        for (size_t j = i; j < std::size(modes); ++j) {
            SCOPED_TRACE(testing::Message() << "modes " << i << " and " << j);
            ClearToolModes();
            DisplayedPicture.Pixels = Original;
            *modes[i] = *modes[j] = true;
            for (const auto& [from, to] : drags) {
                Press(from.x(), from.y());
                Move((from.x() + to.x()) / 2, from.y());
                Move(to.x(), to.y());
                EXPECT_TRUE(savedAs(loaded));
                Release(to.x(), to.y());
                EXPECT_TRUE(savedAs(loaded));
            }
        }
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
    CurrentMarkLook = {};
}

TEST_F(ImageModes, MeasuredAndTrainingDragsEndOnThePictureEdge) {
    const struct {
        bool* Armed;
        QPoint From, To;
        int32_t Distance;
        SelectionRect Box;
    } cases[] = {
        {&MeasuredMode, {10, 10}, {40, 14}, 30, {}},
        {&MeasuredMode, {10, 10}, {40, 50}, 50, {}},
        // Released left of the picture: the drag ends at column 0, not at 65533.
        {&MeasuredMode, {10, 10}, {-3, 50}, 41, {}},
        {&TrainingArmed, {50, 60}, {-3, 500}, -1, {0, 50, 60, 99}},
    };
    for (const auto& c : cases) {
        *c.Armed = true;
        MeasuredPixelDistance = -1;
        Drag(c.From, c.To);
        EXPECT_FALSE(*c.Armed);
        EXPECT_FALSE(MeasureDragging || TrainingDragging);
        EXPECT_EQ(MeasuredPixelDistance, c.Distance);
        EXPECT_TRUE(c.Armed != &TrainingArmed || Box(SelectionBox) == Box(c.Box));
        EXPECT_TRUE(ShowsOriginal());
    }
}

TEST_F(ImageModes, CmyScreensShowInTurnAndTurningThemOffRestoresThePicture) {
    Form->IV_CMYScreen->trigger();
    ASSERT_TRUE(CMYScreenMode);
    EXPECT_FALSE(Form->IV_RGBScreen->isEnabled());
    // The index starts at 1 for the session, so the first screen shown is the second.
    for (int shown : {1, 2, 0}) {
        EXPECT_TRUE(ShowsOriginalAs([shown](uint32_t p) {
            return PackPixel(shown == 0 ? Inv(PixelRed(p)) : 0, shown == 1 ? Inv(PixelGreen(p)) : 0,
                             shown == 2 ? Inv(PixelBlue(p)) : 0);
        })) << shown;
        Press(5, 5);
    }
    Form->IV_CMYScreen->trigger();
    EXPECT_FALSE(CMYScreenMode);
    EXPECT_TRUE(ShowsOriginal());
    EXPECT_FALSE(Rec->UndoEnabled);
    EXPECT_TRUE(Form->IV_RGBScreen->isEnabled());
}

// An operation started while the screens are shown works on the picture, and Undo afterwards
// gives the picture back, not a screen.
TEST_F(ImageModes, AnOperationDuringTheScreensEndsThemFirst) {
    Form->IV_RGBScreen->trigger();
    ASSERT_TRUE(RGBScreenMode);
    KeepOneChannel(1);
    EXPECT_FALSE(RGBScreenMode);
    EXPECT_TRUE(ShowsOriginalAs(OnlyRed));
    MacroRecording = true;
    Form->I_Undo->setEnabled(Rec->UndoEnabled);
    Form->I_Undo->trigger();
    MacroRecording = false;
    EXPECT_TRUE(ShowsOriginal());
    EXPECT_EQ(Rec->MacroLines, std::vector<std::string>{"=0001  UndoImage"});
    // The class cycle as the histogram window starts it: the picture copied, a class shown.
    ClassMethodCycleMode = true;
    CopyImageForProcessing();
    std::fill(WorkImageBuffer, WorkImageBuffer + ImageBitsSize, uint8_t{0x40});
    ShowProcessedImage();
    UndoCopyHeld = true;
    Press(5, 5);
    KeepOneChannel(1);
    EXPECT_FALSE(ClassMethodCycleMode);
    EXPECT_EQ(Form->windowTitle().toStdString(), MainCaptionPrefix + CurrentImageName);
    EXPECT_TRUE(ShowsOriginalAs(OnlyRed));
}

TEST_F(ImageModes, ImageCommandsRefuseWhileAnOperationRuns) {
    ArriveDuringOperation([&] {
        for (QAction* command : {Form->IV_onlyRed, Form->IV_CMYScreen, Form->UndoBtn}) {
            command->setEnabled(true);
            command->trigger();
        }
        PixelValuesMode = true;
        Press(5, 5);
    });
    EXPECT_FALSE(CMYScreenMode);
    EXPECT_FALSE(PixelBoxDragging);
    EXPECT_TRUE(ShowsOriginal());
}

TEST_F(ImageModes, ScreensThatCannotBeMadeLeaveThePictureAsItWas) {
    FreeImageBuffers();
    Form->IV_RGBScreen->trigger();
    ASSERT_EQ(Rec->Messages.size(), 2u) << Rec->Summary();
    EXPECT_TRUE(Rec->Shown(39977));
    EXPECT_EQ(Rec->Messages[1].Text, "FATAL Error creating bitmap... byebye");
    EXPECT_FALSE(RGBScreenMode);
    EXPECT_FALSE(Form->IV_RGBScreen->isChecked());
    EXPECT_TRUE(ShowsOriginal());
}

TEST_F(ImageModes, ZoomReadsOutOnlyInsideThePictureAndReleaseDoesNothing) {
    Form->IZ_ZoomWindow->trigger();
    ASSERT_TRUE(ZoomMode);
    Move(80, 20);
    EXPECT_EQ(Form->PanelText(1), "X: 80 Y: 20 B: 100 G: 40 R: 160");
    Form->MultiImage1MouseMove(-3, 5);
    Form->MultiImage1MouseMove(5, 100);
    EXPECT_EQ(Form->PanelText(1), "X: 80 Y: 20 B: 100 G: 40 R: 160");
    MeasureDragging = MeasuredMode = true;
    MeasuredPixelDistance = -1;
    Release(60, 60);
    EXPECT_TRUE(MeasureDragging);
    EXPECT_EQ(MeasuredPixelDistance, -1);
}
