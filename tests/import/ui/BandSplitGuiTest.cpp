#include "import/HeaderFixture.h"
#include "import/ui/vBandSplitPages.h"
#include "import/ui/vPBands.h"
#include "support/GuiStartup.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

namespace {

class BandSplitGui : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        HeaderPages = THeaderPages();
        DISLoaded = false;
        ImageDirectory = Dir.Path();
        Window = std::make_unique<TPBands>();
        Window->show();
        Pages = Window->SplitPages;
    }
    void TearDown() override {
        Window.reset();
        GuiStartup::TearDown();
    }
    void Split(const std::string& input, const char* w, const char* h, const char* b) {
        Pages->VaguePixelsWideEdit->setText(w);
        Pages->VaguePixelsHighEdit->setText(h);
        Pages->VagueBandsEdit->setText(b);
        Pages->VagueSkipEdit->setText("0");
        Rec->FileAnswers.push_back(input);
        Pages->VagueFileBtn->click();
    }
    std::unique_ptr<TPBands> Window;
    TBandSplitPages* Pages = nullptr;
};

TEST_F(BandSplitGui, SplitChooseClickAndCrop) {
    std::vector<uint8_t> raw(24);
    for (size_t i = 0; i < raw.size(); ++i)
        raw[i] = static_cast<uint8_t>(i);
    ASSERT_TRUE(
        WriteFileAtomic(Dir.File("scene.raw"), raw, TReplaceLeave::Chosen(Dir.File("scene.raw"))));
    Split(Dir.File("scene.raw"), "4", "3", "2");
    ASSERT_TRUE(FileExists(Dir.File("scene.B2"))) << Rec->Summary();

    Rec->FileAnswers.push_back(Dir.File("scene.dih"));
    Pages->BSQDIHtoDISFileBtn->click();
    EXPECT_EQ(Pages->BSQRCEdit->text(), "4");
    EXPECT_EQ(Pages->BSQHEdit->text(), "3");
    EXPECT_EQ(Pages->BSQBandEdit->text(), "scene.dis");
    EXPECT_EQ(Pages->BSQImage->pixmap().size(), QSize(PreviewSide, PreviewSide));
    EXPECT_TRUE(FileExists(Dir.File("scene.BMP")));
    auto grey = [this](int x, int y) {
        return qRed(Pages->BSQImage->pixmap().toImage().pixel(x, y));
    };
    const std::vector<int> painted = {grey(1, 1), grey(4, 1), grey(4, 3), grey(5, 3)};
    EXPECT_EQ(painted, (std::vector<int>{0, 3, 11, 0}));
    // Chosen again, the scene shows its saved preview, not its changed band.
    ASSERT_TRUE(WriteFileAtomic(Dir.File("scene.B1"), std::vector<uint8_t>(12, 200),
                                TReplaceLeave::Chosen(Dir.File("scene.B1"))));
    Rec->FileAnswers.push_back(Dir.File("scene.dih"));
    Pages->BSQDIHtoDISFileBtn->click();
    EXPECT_EQ((std::vector<int>{grey(1, 1), grey(4, 1), grey(4, 3), grey(5, 3)}), painted);

    // One scene pixel per preview pixel: the clicks are the corners themselves.
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 2), QPointF(3, 2), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(Pages->BSQImage, &move);
    EXPECT_EQ(Window->IM_Hints->text(), "X: 3 Y: 2");
    QTest::mouseClick(Pages->BSQImage, Qt::RightButton, {}, QPoint(3, 2));
    QTest::mouseClick(Pages->BSQImage, Qt::LeftButton, {}, QPoint(2, 1));
    EXPECT_EQ(Pages->BSQLCIEdit->text() + Pages->BSQTRIEdit->text() + Pages->BSQRCIEdit->text() +
                  Pages->BSQBRIEdit->text(),
              "2132");
    EXPECT_EQ(Pages->BSQWIEdit->text(), "");
    Pages->BSQBandEdit->setText("cut");
    Pages->BSQOKBtn->click();
    std::vector<uint8_t> band = FileBytes(Dir.File("cut.B20"));
    EXPECT_EQ(band, (std::vector<uint8_t>{13, 14, 17, 18}));
    EXPECT_EQ(Pages->BSQWIEdit->text(), "2");
    EXPECT_TRUE(FileExists(Dir.File("cut.dis")));

    // The crop ends the picking until the next choice.
    QTest::mouseClick(Pages->BSQImage, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(Pages->BSQLCIEdit->text(), "2");

    // Split again at 3 x 4: the one question names the preview with the bands and headers, and
    // the preview then shows the new scene. The old one stayed and was shown, and its clicks put
    // the corners where the new scene has other pixels.
    Rec->Clear();
    Rec->MessageAnswers = {MsgButton::Yes};
    Split(Dir.File("scene.raw"), "3", "4", "2");
    std::vector<std::string> questions;
    for (const ShownMessage& m : Rec->Messages)
        if (m.Kind == MsgKind::Confirmation) questions.push_back(m.Text);
    ASSERT_EQ(questions.size(), 1u) << Rec->Summary();
    EXPECT_NE(questions[0].find(Dir.File("scene.BMP")), std::string::npos) << questions[0];
    Rec->FileAnswers.push_back(Dir.File("scene.dih"));
    Pages->BSQDIHtoDISFileBtn->click();
    EXPECT_EQ(Pages->BSQRCEdit->text(), "3");
    EXPECT_EQ((std::vector<int>{grey(3, 1), grey(4, 1), grey(1, 4), grey(3, 4)}),
              (std::vector<int>{2, 0, 9, 11}));
}

TEST_F(BandSplitGui, ShortFileIsRefusedWithItsMessage) {
    ASSERT_TRUE(WriteFileAtomic(Dir.File("scene.raw"), std::vector<uint8_t>(23),
                                TReplaceLeave::Chosen(Dir.File("scene.raw"))));
    Split(Dir.File("scene.raw"), "4", "3", "2");
    EXPECT_TRUE(Rec->Shown(BandSizeMessage)) << Rec->Summary();
    EXPECT_FALSE(FileExists(Dir.File("scene.B1")));
    EXPECT_FALSE(FileExists(Dir.File("scene.dih")));
}

// Through the page: a refused DIH, or one whose right column no split makes, after a good
// scene leaves the page showing that scene, and "4. Press Button" refuses with 39993 and writes
// nothing.
TEST_F(BandSplitGui, RefusedSceneLeavesNothingToCrop) {
    ASSERT_TRUE(WriteFileAtomic(Dir.File("scene.raw"), std::vector<uint8_t>(24, 5),
                                TReplaceLeave::Chosen(Dir.File("scene.raw"))));
    Split(Dir.File("scene.raw"), "4", "3", "2");
    std::vector<std::string> lines = FileLines(Dir.File("scene.dih"));
    const struct {
        const char* Name;
        size_t Line;
        const char* Text;
        int Message;
    } cases[] = {{"version", 0, "DIH 1.0", 39994}, {"right column", 5, "999999999999", 36}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Rec->FileAnswers.push_back(Dir.File("scene.dih"));
        Pages->BSQDIHtoDISFileBtn->click();
        ASSERT_TRUE(DISLoaded);
        std::vector<std::string> bad = lines;
        bad[c.Line] = c.Text;
        ASSERT_TRUE(WriteFileAtomic(Dir.File("other.dih"), JoinLinesCRLF(bad),
                                    TReplaceLeave::Chosen(Dir.File("other.dih"))));
        Rec->Clear();
        Rec->FileAnswers.push_back(Dir.File("other.dih"));
        Pages->BSQDIHtoDISFileBtn->click();
        EXPECT_TRUE(Rec->Shown(c.Message)) << Rec->Summary();
        EXPECT_FALSE(DISLoaded);
        EXPECT_EQ(Pages->BSQFileEdit->text().toStdString(), Dir.File("scene.dih"));
        EXPECT_FALSE(FileExists(Dir.File("other.BMP")));
        const std::string dih = FileText(Dir.File("scene.dih"));
        Pages->BSQBandEdit->setText("cut");
        Pages->BSQOKBtn->click();
        EXPECT_TRUE(Rec->Shown(39993));
        EXPECT_FALSE(FileExists(Dir.File("cut.dis")) || FileExists(Dir.File("cut.B10")));
        EXPECT_EQ(FileText(Dir.File("scene.dih")), dih);
    }
}

// In a fresh window a cancelled "1. Select DIH" arms neither the picking nor the crop: the
// rectangle and "4. Press Button" that follow refuse with 39993 and leave the folder as it was
// (the crop used to run on an empty scene and move the folder to the working one).
TEST_F(BandSplitGui, CancelledChoiceArmsNoCrop) {
    ImageDirectory = Dir.File("pictures/");
    Pages->BSQDIHtoDISFileBtn->click();
    EXPECT_FALSE(DISLoaded);
    QTest::mouseClick(Pages->BSQImage, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(Pages->BSQLCIEdit->text(), "");
    const std::pair<QLineEdit*, const char*> typed[] = {{Pages->BSQLCIEdit, "1"},
                                                        {Pages->BSQRCIEdit, "2"},
                                                        {Pages->BSQTRIEdit, "1"},
                                                        {Pages->BSQBRIEdit, "2"},
                                                        {Pages->BSQBandEdit, "cut"}};
    for (const auto& [edit, text] : typed)
        edit->setText(text);
    Pages->BSQOKBtn->click();
    EXPECT_TRUE(Rec->Shown(39993)) << Rec->Summary();
    EXPECT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
    EXPECT_EQ(ImageDirectory, Dir.File("pictures/"));
}

} // namespace
