#include "runtime/RtFiles.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vInfo.h"
#include "shell/ui/vMagniForm.h"
#include "shell/ui/vVCScreen.h"
#include "shell/vPictureFiles.h"
#include "shell/vPngChunks.h"
#include "shell/vToolModes.h"
#include "shell/vViewingAids.h"
#include "support/GuiStartup.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <functional>

namespace {

class ViewingAids : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Form->FormCreate({});
        MagniForm = new TMagniForm(Form);
        ViewCursorScreen = new TViewCursorScreen(Form);
        ImageDirectory = Dir.Path();
        Picture p;
        p.Resize(80, 60);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x)
                p.At(x, y) = PackPixel(static_cast<uint8_t>(3 * x), static_cast<uint8_t>(4 * y),
                                       static_cast<uint8_t>(x + y));
        WritePictureFile(Dir.File("scene.png"), p, PictureFileKind::Png,
                         TReplaceLeave::Chosen(Dir.File("scene.png")));
        ASSERT_TRUE(Form->LoadFromFile(Dir.File("scene.png")));
        Form->show();
        Original = DisplayedPicture.Pixels;
        Rec->Clear();
    }
    void TearDown() override {
        delete MagniForm;
        delete ViewCursorScreen;
        ClearToolModes();
        DisplayedPngChunks.clear();
        GuiStartup::TearDown();
    }
    void MarkBoxAt(int x, int y) {
        // The item keeps its mark after a box until clicked once more.
        if (Form->IV_PixelValues->isChecked()) Form->IV_PixelValues->trigger();
        Form->IV_PixelValues->trigger();
        QTest::mousePress(Form->Image1, Qt::LeftButton, {}, QPoint(x, y));
        QTest::mouseRelease(Form->Image1, Qt::LeftButton, {}, QPoint(x, y));
    }
    std::vector<uint32_t> Original;
};

} // namespace

TEST_F(ViewingAids, CursorScreenShowsTheBoxTransposedWithoutTakingTheUndoCopy) {
    MarkBoxAt(10, 20);
    ASSERT_TRUE(ViewCursorScreen->isVisible());
    EXPECT_EQ(ViewCursorScreen->Panel1->text(), "X: 10.. 35 Y: 20.. 45   ");
    // Grid column 3 is image row 23; grid row 4 is image column 14.
    EXPECT_EQ(ViewCursorScreen->CursorPixelValues->item(4, 3)->text(), "42,92,37");
    EXPECT_FALSE(Rec->UndoEnabled);
    for (const std::string& s : Rec->Status1)
        EXPECT_NE(s, "Image copied for processing");

    // A second box while the screen is open shows the new box.
    MarkBoxAt(2, 3);
    EXPECT_EQ(ViewCursorScreen->Panel1->text(), "X: 2.. 27 Y: 3.. 28   ");
    EXPECT_EQ(ViewCursorScreen->CursorPixelValues->item(0, 0)->text(), "6,12,5");

    Rec->FileAnswers.push_back(Dir.File("pixels.txt"));
    ViewCursorScreen->VCSSaveBtn->click();
    EXPECT_EQ(Rec->FileRequests.back().Filter, "Cursor txt files|*.txt");
    EXPECT_EQ(Rec->FileRequests.back().DefaultExt, "txt");
    std::string text = FileText(Dir.File("pixels.txt"));
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 625u);
    EXPECT_EQ(lines[0], " Row 0 Col 0 : 6,12,5");
    EXPECT_EQ(lines[3 * 25 + 4], " Row 3 Col 4 : 18,24,12");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    ViewCursorScreen->close();
    EXPECT_FALSE(PixelValuesMode);
    EXPECT_FALSE(Form->IV_PixelValues->isChecked());
}

TEST_F(ViewingAids, PrintAfterACancelledSavePrintsAnEmptyDocument) {
    MarkBoxAt(10, 20);
    QPrinter& printer = Form->PrinterDevice();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Dir.File("out.pdf")));
    ViewCursorScreen->VCSPrintBtn->click();
    EXPECT_TRUE(ViewCursorScreen->VCMemo.isEmpty());
    // The document's title, as the file stores text: UTF-16 after a byte-order mark.
    std::string title = "\xFE\xFF";
    for (char ch : std::string("Pixels of scene.png"))
        title += std::string(1, '\0') + ch;
    EXPECT_NE(FileText(Dir.File("out.pdf")).find(title), std::string::npos);
    EXPECT_TRUE(Rec->ErrorBoxes.empty());
}

TEST_F(ViewingAids, InformationWindowListsTheChunksAndHeaderAndSavesAsPng) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* info = qobject_cast<TFrInfo*>(QApplication::activeModalWidget());
        ASSERT_NE(info, nullptr);
        seen = true;
        const QTreeWidget* list = info->ChunkList;
        ASSERT_EQ(list->topLevelItemCount(), static_cast<int>(DisplayedPngChunks.size()));
        EXPECT_EQ(list->topLevelItem(0)->text(0), "IHDR");
        EXPECT_EQ(list->topLevelItem(0)->text(1), "13 bytes");
        EXPECT_EQ(list->topLevelItem(list->topLevelItemCount() - 1)->text(0), "IEND");
        const std::pair<const char*, std::string> fields[] = {
            {"Image Name", "scene.png"},
            {"Width", "80"},
            {"Bits per pixel", "24"},
            {"Planes", "1"},
            {"Compression", "0"},
            {"Info Size", "44"},
            {"", "40"},
            {"File Size", std::to_string(FileSizeOf(Dir.File("scene.png")))}};
        for (const auto& [label, value] : fields)
            EXPECT_EQ(info->Edit(label)->text().toStdString(), value) << label;
        // Gamma 1.0 lifts the strip's right edge above the plain index.
        const QImage strip = info->NoGammaTester->Bitmap();
        ASSERT_GT(strip.width(), 1);
        EXPECT_EQ(qRed(strip.pixel(0, 0)), 0);
        EXPECT_EQ(qRed(info->CurrentGammaTester->Bitmap().pixel(strip.width() - 1, 0)), 0);
        DisplayedPicture.At(0, 0) = PackPixel(1, 2, 3);
        info->DeleteChunk->click();
        info->close();
    });
    Form->PngInfo1->trigger();
    ASSERT_TRUE(seen);
    EXPECT_FALSE(Rec->UndoEnabled);
    std::string bytes = FileText(Dir.File("scene.png"));
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_EQ(ReadPictureFile(Dir.File("scene.png")).Image.At(0, 0), PackPixel(1, 2, 3));
}

// Once the picture has written its file, the information window lists the chunks of that file,
// not those of the file the picture was read from (here with a palette the writes do not keep).
TEST_F(ViewingAids, InformationWindowListsTheChunksOfTheFileThePictureLastWrote) {
    const std::pair<const char*, std::function<void()>> saves[] = {
        {"Save", [this] { Form->F_SaveClick(); }},
        {"Save As",
         [this] {
             Rec->FileAnswers.push_back(Dir.File("saved as.png"));
             Form->F__SaveasClick();
         }},
        {"numbered save", [this] { Form->SaveNumbered1Click(); }},
    };
    for (const auto& [name, save] : saves) {
        SCOPED_TRACE(name);
        std::filesystem::remove(Dir.File("pal.png"));
        OpenCopy("pictures/pal.png", "pal.png");
        ASSERT_EQ(CurrentImageName, "pal.png");
        save();
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(ReadWholeFile(CurrentImageFolder + CurrentImageName, bytes));
        std::vector<PngChunk> written;
        std::string error;
        ASSERT_TRUE(WalkPngChunks(bytes.data(), bytes.size(), written, error)) << error;
        std::vector<std::string> listed;
        QTimer::singleShot(0, [&listed] {
            auto* info = qobject_cast<TFrInfo*>(QApplication::activeModalWidget());
            ASSERT_NE(info, nullptr);
            for (int i = 0; i < info->ChunkList->topLevelItemCount(); ++i)
                listed.push_back(info->ChunkList->topLevelItem(i)->text(0).toStdString() + " " +
                                 info->ChunkList->topLevelItem(i)->text(1).toStdString());
            info->close();
        });
        Form->PngInfo1->trigger();
        std::vector<std::string> expected;
        for (const PngChunk& chunk : written)
            expected.push_back(chunk.Name + " " + PngChunkSizeText(chunk));
        EXPECT_EQ(listed, expected);
    }
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
}
