// The histogram window's colour-plane, scattergram and colour-cube pages and its print window,
// driven through their controls: the aerial sample's cube counted, saved, loaded and refused at
// another size, the planes shown in colour or grey, and every print layout written to PDF.
#include "histogram/ui/vHistogram.h"

#include "histogram/ui/vUHistogramDraw.h"
#include "histogram/ui/vUScreenPrint.h"
#include "histogram/vSeedBreaks.h"
#include "histogram/vUHistoCC.h"
#include "runtime/RtFiles.h"
#include "shell/imaging/vUColorLibrary.h"
#include "support/GuiStartup.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <map>

namespace {

class ScatterColorPages : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Form->FormCreate({});
        Histo = new THistogramForm(Form);
        HistogramForm = Histo;
        Hooks.LoadOrMakeHistogramFiles = LoadOrMakeHistogramFiles;
        SeedBreakTables = {};
    }
    void TearDown() override {
        SeedBreakTables = {};
        GuiStartup::TearDown();
    }
    void OpenAerial() { OpenCopy("aero1.png", "aero1.png"); }
    void Open(const Picture& p) {
        WritePictureFile(Dir.File("small.png"), p, PictureFileKind::Png,
                         TReplaceLeave::Chosen(Dir.File("small.png")));
        ASSERT_TRUE(Form->LoadFromFile(Dir.File("small.png")));
        Rec->Clear();
    }
    bool StatusSaid(const std::string& start) const {
        for (const std::string& s : Rec->Status0)
            if (s.rfind(start, 0) == 0) return true;
        return false;
    }

    THistogramForm* Histo = nullptr;
};

TEST_F(ScatterColorPages, AerialCubeIsCountedSavedLoadedAndRecountedWhenTheFileIsWrong) {
    OpenAerial();
    std::map<uint32_t, int> expected;
    for (uint32_t p : DisplayedPicture.Pixels)
        ++expected[p & 0xFFFFFFu];
    Histo->H_H3DActivateBtn->click();
    ASSERT_FALSE(Histo->Count3D.Empty());
    EXPECT_TRUE(StatusSaid("Counting Image (2/4) % Done: "));
    EXPECT_FALSE(FileExists(Dir.File("aero1.rs3")));
    size_t nonZero = 0;
    for (uint8_t c : Histo->Count3D.Cells)
        nonZero += c != 0;
    EXPECT_EQ(nonZero, expected.size());
    for (const auto& [color, count] : expected)
        ASSERT_EQ(Histo->Count3D.At(color >> 16, (color >> 8) & 0xFF, color & 0xFF),
                  std::min(count, 255));

    Histo->H_H3DSaveBtn->click();
    std::vector<uint8_t> file = FileBytes(Dir.File("aero1.rs3"));
    EXPECT_TRUE(file == Histo->Count3D.Cells);

    // Another activation reads the file: no pixel pass.
    const std::vector<uint8_t> counted = Histo->Count3D.Cells;
    Histo->DisableAll();
    EXPECT_TRUE(Histo->Count3D.Empty());
    Rec->Clear();
    Histo->H_H3DActivateBtn->click();
    EXPECT_TRUE(StatusSaid("Loading Count (2&3&4) % Done: "));
    EXPECT_FALSE(StatusSaid("Counting Image"));
    EXPECT_TRUE(Histo->Count3D.Cells == counted);

    // A file of another size is made again from the pixels.
    ASSERT_TRUE(WriteFileAtomic(Dir.File("aero1.rs3"), std::string(1000, '\x07'),
                                TReplaceLeave::Chosen(Dir.File("aero1.rs3"))));
    Histo->DisableAll();
    Rec->Clear();
    Histo->H_H3DActivateBtn->click();
    EXPECT_TRUE(StatusSaid("Counting Image (2/4) % Done: "));
    EXPECT_TRUE(Histo->Count3D.Cells == counted);
}

TEST_F(ScatterColorPages, CubePageButtonsFollowActivationAndGetCountReadsThePositionsShown) {
    Picture p;
    p.Resize(3, 1);
    p.Pixels = {PackPixel(10, 20, 30), PackPixel(10, 20, 30), PackPixel(200, 100, 50)};
    Histo->H_H3DActivateBtn->click();
    EXPECT_TRUE(Rec->Shown(24)) << Rec->Summary();
    Open(p);
    EXPECT_FALSE(Histo->Display3DBtn->isEnabled());
    EXPECT_EQ(Histo->BZEdit->text(), "128");
    Histo->H_H3DActivateBtn->click();
    for (QPushButton* b :
         {Histo->H_H3DSaveBtn, Histo->H_H3DCDCBtn, Histo->H_H3DGetCountBtn, Histo->Display3DBtn,
          Histo->H_H3DDisplayAllBtn, Histo->H_H3DDisplayAllArrayBtn, Histo->H_H3DDisplayAllImageBtn,
          Histo->SaveH3DBtn})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    const struct {
        int View;
        const char *X, *Y, *Z, *Count, *Caption;
    } cases[] = {{0, "10", "20", "30", "2", "Display Blue Slice"},
                 {1, "30", "10", "20", "2", "Display Green Slice"},
                 {2, "50", "100", "200", "1", "Display Red Slice"},
                 // Out of range and not a number are read as the nearest index and 0.
                 {0, "999", "-4", "x", "0", "Display Blue Slice"}};
    for (const auto& c : cases) {
        Histo->CDCRG->button(c.View)->click();
        Histo->H_H3DCDCBtn->click();
        EXPECT_EQ(Histo->Display3DBtn->text(), c.Caption);
        Histo->RXEdit->setText(c.X);
        Histo->GYEdit->setText(c.Y);
        Histo->BZEdit->setText(c.Z);
        Histo->H_H3DGetCountBtn->click();
        EXPECT_EQ(Histo->CountEdit->text(), c.Count) << c.View << " " << c.X;
    }
    EXPECT_EQ(Histo->PositionLabels[2]->text(), "B:Z Position");
    Histo->ScrollBar1->setValue(30);
    EXPECT_EQ(Histo->BlueZEdit->text(), "30");
    Histo->H3D_ImageMouse(10, 255 - 20, false);
    EXPECT_EQ(Histo->CountEdit->text(), "2");

    Histo->DisableAll();
    EXPECT_FALSE(Histo->H_H3DGetCountBtn->isEnabled());
    EXPECT_FALSE(Histo->ScrollBar1->isEnabled());
    EXPECT_EQ(Histo->BlueZEdit->text(), "128");
    Histo->H3D_ImageMouse(10, 10, true);
    EXPECT_EQ(Histo->CountEdit->text(), "no mouses here");
}

// The cube's loops let window messages in after each row: a close of the window and an open of
// another picture arriving then wait until the run has ended, whatever the run.
TEST_F(ScatterColorPages, ACloseAndAnOpenArrivingDuringACubeRunWaitForIt) {
    OpenAerial();
    // Larger than the aerial picture, so that a loop reading on would find rows to read.
    Picture other;
    other.Resize(700, 500);
    std::fill(other.Pixels.begin(), other.Pixels.end(), PackPixel(1, 2, 3));
    WritePictureFile(Dir.File("other.png"), other, PictureFileKind::Png,
                     TReplaceLeave::Chosen(Dir.File("other.png")));
    Histo->show();
    int messages = 0, arriveAt = 0;
    Hooks.ProcessMessages = [&] {
        if (++messages != arriveAt) return;
        Rec->FileAnswers.assign({Dir.File("other.png")});
        Form->F_OpenClick();
        Histo->close();
    };
    // Each arrives inside the run's loop, after its copy of the picture where it takes one; the
    // save's before it writes.
    const struct {
        const char* What;
        QPushButton* Button;
        int ArriveAt;
    } runs[] = {
        {"activate", Histo->H_H3DActivateBtn, 3},
        {"one slice", Histo->Display3DBtn, 1},
        {"every slice", Histo->H_H3DDisplayAllBtn, 1},
        {"slices by the picture", Histo->H_H3DDisplayAllImageBtn, 2},
        {"save", Histo->H_H3DSaveBtn, 1},
    };
    std::vector<uint8_t> counted;
    for (const auto& run : runs) {
        SCOPED_TRACE(run.What);
        messages = 0;
        arriveAt = run.ArriveAt;
        run.Button->click();
        EXPECT_GT(messages, arriveAt);
        EXPECT_TRUE(Histo->isVisible());
        EXPECT_EQ(CurrentImageName, "aero1.png");
        EXPECT_EQ(DisplayedPicture.Width, 640);
        ASSERT_FALSE(Histo->Count3D.Empty());
        if (counted.empty()) counted = Histo->Count3D.Cells;
        EXPECT_TRUE(Histo->Count3D.Cells == counted);
        EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
    }
    EXPECT_TRUE(FileBytes(Dir.File("aero1.rs3")) == counted);
    // Once the run is over both go through.
    Hooks.ProcessMessages = nullptr;
    Rec->FileAnswers.assign({Dir.File("other.png")});
    Form->F_OpenClick();
    EXPECT_EQ(CurrentImageName, "other.png");
    Histo->close();
    EXPECT_FALSE(Histo->isVisible());
    EXPECT_TRUE(Histo->Count3D.Empty());
}

TEST_F(ScatterColorPages, ScattergramWithBoxesIsSavedAsH2D) {
    Picture p;
    p.Resize(2, 1);
    p.Pixels = {PackPixel(10, 20, 30), PackPixel(40, 40, 40)};
    Open(p);
    EXPECT_FALSE(Histo->H_H2DBtn3->isEnabled());
    Histo->H_H2DCB->setChecked(true);
    Histo->H_H2DRG->button(1)->click();
    Histo->H_H2DBtn->click();
    EXPECT_EQ(Histo->H2DGauge->value(), 100);
    ASSERT_TRUE(Histo->H_H2DBtn3->isEnabled());
    Rec->FileAnswers.push_back(Dir.File("smallH2D.bmp"));
    Histo->H_H2DBtn3->click();
    EXPECT_EQ(Rec->FileRequests.back().FileName, Dir.File("smallH2D.bmp"));
    const Picture saved = ReadPictureFile(Dir.File("smallH2D.bmp")).Image;
    EXPECT_EQ(saved.At(10, 235), PackPixel(10, 20, 30));
    // Best-fit row: the first box spans 0..15 across and up.
    EXPECT_EQ(saved.At(14, 240), PackPixel(0, 0, 255));
    Histo->H_H2DBtn2->click();
    EXPECT_EQ(Histo->H2DPicture.At(40, 215), PackPixel(0, 0, 0));
}

TEST_F(ScatterColorPages, ColorPageShowsPlanesInColourOrGreyAndReadsTheMouse) {
    Picture p;
    p.Resize(2, 2);
    p.Pixels = {PackPixel(200, 10, 20), PackPixel(0, 0, 255), PackPixel(200, 10, 20),
                PackPixel(90, 90, 90)};
    Open(p);
    Histo->Button14->click();
    EXPECT_EQ(Histo->LabelAttributes->text(), "2 by 2 pixels by 24 bit color");
    EXPECT_EQ(Histo->LabelUniqueColors->text(), "Unique Colors = 3");
    EXPECT_EQ(Histo->LabelColorPlane->text(), "RGB Composite");
    EXPECT_EQ(Histo->ColorPlaneBitmap.Pixels, p.Pixels);
    EXPECT_TRUE(Histo->ButtonPrint->isEnabled());

    // Red in colour, then with "Monochrome" as grey; inverted grey after that.
    Histo->RadioGroupColorPlane->button(1)->click();
    EXPECT_FALSE(Histo->CheckBoxMonochrome->isHidden());
    EXPECT_EQ(Histo->ColorPlaneBitmap.At(0, 0), PackPixel(200, 0, 0));
    Histo->CheckBoxMonochrome->click();
    EXPECT_EQ(Histo->ColorPlaneBitmap.At(0, 0), PackPixel(200, 200, 200));
    Histo->CheckBoxInvert->click();
    EXPECT_EQ(Histo->ColorPlaneBitmap.At(0, 0), PackPixel(55, 55, 55));

    const struct {
        int Space, Item;
        const char* Name;
        bool Monochrome;
        int Index;
    } planes[] = {{1, 0, "Hue (HSV)", true, 4},
                  {2, 1, "Lightness", false, 8},
                  {3, 3, "", false, 13},
                  {0, 0, "RGB Composite", true, 0}};
    for (const auto& c : planes) {
        Histo->RadioGroupColorSpace->button(c.Space)->click();
        EXPECT_EQ(Histo->ColorPlaneButtons[3]->isHidden(), c.Space == 1 || c.Space == 2);
        Histo->RadioGroupColorPlane->button(c.Item)->click();
        EXPECT_EQ(Histo->ColorPlaneIndex, c.Index);
        EXPECT_EQ(Histo->LabelColorPlane->text(), c.Name);
        EXPECT_EQ(Histo->CheckBoxMonochrome->isHidden(), !c.Monochrome) << c.Index;
    }
    EXPECT_TRUE(Histo->ButtonSave->isEnabled());
    // The histogram of the inverted grey composite: bars in grey, the largest count on top.
    EXPECT_EQ(Histo->ColorHistogramPicture.Width, 256);

    Histo->ImageBigMouseMove(1, 1);
    EXPECT_EQ(Histo->LabelLocation->text(), "[I, J] = [1, 1]");
    EXPECT_EQ(Histo->LabelCMYK->text(), "[C, M, Y, K] = [0, 0, 0, 165]");
    Histo->ImageBigMouseMove(5, 5);
    EXPECT_EQ(Histo->LabelLocation->text(), "[I, J] = [1, 1]");
    Histo->FormMouseMove();
    EXPECT_TRUE(Histo->LabelRGB->text().isEmpty());
}

// Choosing a space shows its first plane at once, exactly as ticking that plane would: its
// picture, name, histogram and Mono box; "Save as.." then saves that plane, not the previous one.
TEST_F(ScatterColorPages, ChoosingAColourSpaceShowsItsFirstPlane) {
    Picture p;
    p.Resize(3, 2);
    p.Pixels = {PackPixel(200, 10, 20), PackPixel(0, 0, 255),   PackPixel(30, 140, 60),
                PackPixel(90, 90, 90),  PackPixel(250, 200, 5), PackPixel(12, 34, 56)};
    Open(p);
    Histo->Button14->click();
    // First the case that was seen wrong: the HSV hue, then CMYK.
    const struct {
        int PreviousSpace, PreviousItem, Space, Index;
    } cases[] = {{1, 0, 3, 10}, {3, 0, 1, 4}, {0, 1, 2, 7}, {1, 2, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Index);
        Histo->RadioGroupColorSpace->button(c.PreviousSpace)->click();
        Histo->RadioGroupColorPlane->button(c.PreviousItem)->click();
        const std::vector<uint32_t> previous = Histo->ColorPlaneBitmap.Pixels;

        Histo->RadioGroupColorSpace->button(c.Space)->click();
        EXPECT_EQ(Histo->RadioGroupColorPlane->checkedId(), 0);
        EXPECT_EQ(Histo->ColorPlaneIndex, c.Index);
        const QString label = Histo->LabelColorPlane->text();
        const std::vector<uint32_t> shown = Histo->ColorPlaneBitmap.Pixels;
        const std::vector<uint32_t> histogram = Histo->ColorHistogramPicture.Pixels;
        const bool monoHidden = Histo->CheckBoxMonochrome->isHidden();
        EXPECT_NE(shown, previous);
        Rec->FileAnswers.push_back(Dir.File("plane" + std::to_string(c.Index) + ".png"));
        Histo->ButtonSave->click();

        Histo->RadioGroupColorPlane->button(0)->click();
        EXPECT_EQ(label, Histo->LabelColorPlane->text());
        EXPECT_EQ(shown, Histo->ColorPlaneBitmap.Pixels);
        EXPECT_EQ(histogram, Histo->ColorHistogramPicture.Pixels);
        EXPECT_EQ(monoHidden, Histo->CheckBoxMonochrome->isHidden());
        EXPECT_EQ(
            ReadPictureFile(Dir.File("plane" + std::to_string(c.Index) + ".png")).Image.Pixels,
            shown);
    }
}

// "Save as.." to a name of another kind writes nothing and says so; it used to say nothing.
TEST_F(ScatterColorPages, SaveAsToAnotherKindSaysWhyNothingWasWritten) {
    Picture p;
    p.Resize(3, 2);
    Open(p);
    Histo->Button14->click();
    Histo->RadioGroupColorPlane->button(1)->click();
    Rec->Clear();
    Rec->FileAnswers.push_back(Dir.File("plane.jpg"));
    Histo->ButtonSave->click();
    EXPECT_FALSE(NameTaken(Dir.File("plane.jpg")));
    ASSERT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
    EXPECT_EQ(Rec->Messages[0].Text, "File type unk");
}

// The save dialog takes the focus from the window as any dialog does; the page keeps the plane
// it shows and that plane is saved. Losing the focus to another window blanks the page, and
// Save and Print go with it.
TEST_F(ScatterColorPages, SaveAsWritesThePlaneShownThoughItsDialogTakesTheFocus) {
    OpenAerial();
    Histo->show();
    Histo->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Histo));
    Histo->Button14->click();
    Histo->RadioGroupColorPlane->button(1)->click();
    const Picture shown = Histo->ColorPlaneBitmap;
    ASSERT_EQ(shown.Width, 640);
    bool focusTaken = false;
    Hooks.ChooseFile = [&](FileDialogRequest&) {
        QDialog dialog(Histo);
        QTimer::singleShot(0, &dialog, [&] {
            focusTaken = QTest::qWaitFor([&] { return !Histo->isActiveWindow(); });
            dialog.accept();
        });
        dialog.exec();
        return Dir.File("red.png");
    };
    Histo->ButtonSave->click();
    ASSERT_TRUE(focusTaken);
    const Picture saved = ReadPictureFile(Dir.File("red.png")).Image;
    EXPECT_EQ(saved.Width, 640);
    EXPECT_EQ(saved.Pixels, shown.Pixels);
    EXPECT_EQ(Histo->ColorPlaneBitmap.Pixels, shown.Pixels);
    EXPECT_TRUE(Histo->ButtonSave->isEnabled() && Histo->ButtonPrint->isEnabled());

    // The focus back, as the desktop gives it when a dialog closes, then to another window.
    Histo->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Histo));
    EXPECT_TRUE(Histo->ButtonSave->isEnabled() && Histo->ButtonPrint->isEnabled());
    QDialog elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    EXPECT_FALSE(Histo->ButtonSave->isEnabled());
    EXPECT_FALSE(Histo->ButtonPrint->isEnabled());
    EXPECT_NE(Histo->ColorPlaneBitmap.Pixels, shown.Pixels);
}

TEST_F(ScatterColorPages, EveryPrintLayoutWritesAPdfFromItsOwnCopies) {
    OpenAerial();
    Histo->Button14->click();
    Histo->RadioGroupColorPlane->button(1)->click();
    const Picture plane = Histo->ColorPlaneBitmap;
    QPrinter& printer = Form->PrinterDevice();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::pair<QPushButton * TFormPrint::*, const char*> layouts[] = {
        {&TFormPrint::ButtonPrintBigImage, "big.pdf"},
        {&TFormPrint::ButtonPrintSmallImage, "small.pdf"},
        {&TFormPrint::ButtonHistograms, "histograms.pdf"},
        {&TFormPrint::ButtonColorSpaceArray, "spaces.pdf"},
    };
    for (const auto& [button, name] : layouts) {
        printer.setOutputFileName(QString::fromStdString(Dir.File(name)));
        bool seen = false;
        QTimer::singleShot(0, [&, button = button] {
            auto* print = qobject_cast<TFormPrint*>(QApplication::activeModalWidget());
            ASSERT_NE(print, nullptr);
            seen = true;
            // What losing the focus does to the histogram window's own pictures.
            Histo->DisableAllNewFile();
            EXPECT_EQ(print->Source.ColorPlaneBitmap.Pixels, plane.Pixels);
            EXPECT_EQ(print->Source.Attributes, "640 by 480 pixels by 24 bit color");
            (print->*button)->click();
        });
        Histo->ButtonPrint->click();
        EXPECT_TRUE(seen) << name;
        std::string pdf = FileText(Dir.File(name));
        EXPECT_EQ(pdf.substr(0, 5), "%PDF-") << name;
        EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
        // The next print starts from the page as the user left it.
        Histo->Button14->click();
        Histo->RadioGroupColorPlane->button(1)->click();
    }
}

// With no printer the print says so and writes nothing; a PDF that cannot be written is an
// error; neither keeps a later print to a PDF chosen in the print dialog from working.
TEST_F(ScatterColorPages, PrintingWithoutAPrinterThenToAPdfWorks) {
    OpenAerial();
    Histo->Button14->click();
    {
        // Another print command whose document failed to start leaves the shared printer
        // marked active, which would refuse the file the print dialog sets below.
        QPrinter& printer = Form->PrinterDevice();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString());
        QPainter failed;
        ASSERT_FALSE(failed.begin(&printer));
    }
    const struct {
        const char* File; // empty: no printer
        const char* Message;
        const char* Error;
        bool Written;
    } prints[] = {{"", "No printer is available.", nullptr, false},
                  {"missing/big.pdf", nullptr, "Path not found", false},
                  {"big.pdf", nullptr, nullptr, true}};
    for (const auto& p : prints) {
        SCOPED_TRACE(p.File);
        // What the print dialog sets: a PDF and its file, or nothing to print to.
        QPrinter& printer = Form->PrinterDevice();
        printer.setOutputFormat(QPrinter::PdfFormat);
        const std::string file = *p.File ? Dir.File(p.File) : std::string();
        printer.setOutputFileName(QString::fromStdString(file));
        ASSERT_EQ(printer.outputFileName().toStdString(), file);
        Rec->Clear();
        QTimer::singleShot(0, [] {
            auto* print = qobject_cast<TFormPrint*>(QApplication::activeModalWidget());
            ASSERT_NE(print, nullptr);
            print->ButtonPrintBigImage->click();
            if (print->isVisible()) print->ButtonCancel->click();
        });
        Histo->ButtonPrint->click();
        std::vector<std::string> messages;
        for (const ShownMessage& m : Rec->Messages)
            messages.push_back(m.Text);
        EXPECT_EQ(messages,
                  p.Message ? std::vector<std::string>{p.Message} : std::vector<std::string>{});
        EXPECT_EQ(Rec->ErrorBoxes,
                  p.Error ? std::vector<std::string>{p.Error + std::string(CRLF) + file}
                          : std::vector<std::string>{});
        if (p.Written) {
            EXPECT_EQ(FileText(file).substr(0, 5), "%PDF-");
        }
    }
}

TEST(HistogramDrawing, BarsTicksAndGridOnlyOnACanvas256Wide) {
    static constexpr uint32_t Silver = 0xFFC0C0C0u, Grey = 0xFF808080u;
    THistogram h;
    h.Frequency[30] = 4;
    h.Frequency[40] = 2;
    auto canvas = [](int width) {
        Picture p;
        p.Resize(width, 100);
        std::fill(p.Pixels.begin(), p.Pixels.end(), Silver);
        return p;
    };
    Picture narrow = canvas(255);
    DrawHistogram(PlaneRed, h, narrow);
    EXPECT_EQ(std::count(narrow.Pixels.begin(), narrow.Pixels.end(), Silver), 255 * 100);
    Picture empty = canvas(256);
    DrawHistogram(PlaneRed, THistogram(), empty);
    EXPECT_EQ(std::count(empty.Pixels.begin(), empty.Pixels.end(), Silver), 256 * 100);

    Picture drawn = canvas(256);
    DrawHistogram(PlaneRed, h, drawn);
    const struct {
        int X, Y;
        uint32_t Pixel;
    } points[] = {{30, 55, PackPixel(30, 0, 0)},
                  {40, 55, PackPixel(40, 0, 0)},
                  {40, 45, Silver},
                  {41, 95, Silver},
                  {50, 92, Grey},
                  {50, 90, Silver},
                  {60, 96, Grey},
                  {60, 94, Silver},
                  {100, 20, Grey},
                  {100, 21, Silver}};
    for (const auto& p : points)
        EXPECT_EQ(drawn.At(p.X, p.Y), p.Pixel) << p.X << " " << p.Y;
}

} // namespace
