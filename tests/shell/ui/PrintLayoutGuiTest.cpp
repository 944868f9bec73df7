#include "runtime/RtFiles.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vMarkPainter.h"
#include "shell/ui/vPSize.h"
#include "shell/ui/vXAnnoLO.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr uint32_t Red = 0x0000FF, Yellow = 0x00FFFF, Blue = 0xFF0000;

class PrintLayout : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Form->FormCreate({});
        ASSERT_TRUE(Form->LoadFromFile(TestData("aerial/aero1.png"))) << Rec->Summary();
        QPrinter& printer = Form->PrinterDevice();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromLocal8Bit(Pdf().c_str()));
        Layout = static_cast<TPrintersizeForm*>(Form->ToolForm(tfPrintersize));
        Rec->Clear();
    }
    void TearDown() override {
        ObjectMarks.Clear();
        TextLabels.Clear();
        GuiStartup::TearDown();
    }
    std::string Pdf() const { return Dir.File("print.pdf"); }
    // A page of the given size in printer pixels at 100 pixels an inch, without margins.
    void UsePage(double widthPixels, double heightPixels) {
        QPrinter& printer = Form->PrinterDevice();
        printer.setResolution(100);
        printer.setPageSize(QPageSize(QSizeF(widthPixels / 100.0, heightPixels / 100.0),
                                      QPageSize::Inch, "test", QPageSize::ExactMatch));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    }
    std::vector<uint8_t> UndoCopy() const {
        return std::vector<uint8_t>(UndoImageBuffer, UndoImageBuffer + ImageBitsSize);
    }

    TPrintersizeForm* Layout = nullptr;
};

} // namespace

TEST_F(PrintLayout, PrintsThePictureWithLegendMarksAndALabelToPdf) {
    ObjectMarks.Assign({{false, omBox, 40, 300, 40, 200, Red, 0},
                        {true, omCircle, 400, 560, 260, 420, Yellow, Blue}});
    TextLabels.Assign({{"Field", 30, 330, 300, true, false, 0xFFFFFF}});
    Layout->PALCB->setChecked(true);
    Layout->POLCB->setChecked(true);
    Layout->LegendItems->button(lpTop)->setChecked(true);
    Layout->PrintSizeItems->button(psMaxSize)->setChecked(true);
    CopyImageForProcessing();
    UnlockImageBuffers();
    const std::vector<uint32_t> shown = DisplayedPicture.Pixels;
    const std::vector<uint8_t> undo = UndoCopy();

    Layout->FormActivate();
    EXPECT_EQ(Layout->TitleEdit->text(), "aero1.png");
    EXPECT_TRUE(Layout->ImageFits);
    Layout->OKBtnClick();
    // The legend is measured at the printer's resolution it is written at: a 12-point line is a
    // sixth of an inch high.
    EXPECT_GE(Layout->LegendHeight, Form->PrinterDevice().resolution() / 6);
    EXPECT_TRUE(Rec->Messages.empty()) << Rec->Summary();
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
    std::string pdf = FileText(Pdf());
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    // The marks and the label went to paper only: the picture and its undo copy are as before.
    EXPECT_EQ(DisplayedPicture.Pixels, shown);
    EXPECT_EQ(UndoCopy(), undo);
    // Without the label window the label is written in the window's first look.
    const QImage printed = Layout->PrintedPicture();
    EXPECT_EQ(ValueFromColor(printed.pixelColor(40, 40)), Red);
    EXPECT_EQ(ValueFromColor(printed.pixelColor(480, 340)), Blue);
    EXPECT_NE(printed.copy(330, 240, 60, 60), TImageView::PictureImage().copy(330, 240, 60, 60));
}

TEST_F(PrintLayout, RefusalsShowTheirMessagesAndPrintNothing) {
    const struct {
        const char* Name;
        std::function<void()> Arrange;
        int Message;
    } cases[] = {
        {"picture larger than the page", [&] { UsePage(600, 900); }, 36},
        {"legend wider than the page",
         [&] {
             Layout->LegendItems->button(lpBottom)->setChecked(true);
             Layout->AuthorEdit->setText(QString(3000, 'W'));
         },
         36},
        {"no picture", [] { DisplayedPicture = Picture(); }, 36},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Arrange();
        Layout->FormActivate();
        Rec->Clear();
        Layout->OKBtnClick();
        EXPECT_TRUE(Rec->Shown(c.Message)) << Rec->Summary();
        EXPECT_FALSE(FileExists(Pdf()));
    }
}

TEST_F(PrintLayout, ALegendOfNoneNeverBlocksAndAPrintUnderWayIsRefusedOrAborted) {
    Layout->LegendItems->button(lpNone)->setChecked(true);
    Layout->AuthorEdit->setText(QString(3000, 'W'));
    Layout->FormActivate();
    QPainter underWay(&Form->PrinterDevice());
    ASSERT_TRUE(underWay.isActive());
    Layout->OKBtnClick();
    EXPECT_TRUE(Rec->Shown(37)) << Rec->Summary();
    EXPECT_FALSE(Rec->Shown(36));
    Layout->AbortBtnClick();
    EXPECT_TRUE(Rec->Shown(38)) << Rec->Summary();
    underWay.end();
}

TEST_F(PrintLayout, PagePictureImageShapeAndLegendStayInsideTheWindowAtAnyResolution) {
    const struct {
        int Dpi;
        QPageLayout::Orientation Orientation;
        int32_t Size;
        bool AtBaseScale;
    } cases[] = {
        {300, QPageLayout::Portrait, psMaxSize, true},
        {300, QPageLayout::Landscape, psOriginal, true},
        {1200, QPageLayout::Portrait, psMaxSize, false},
        {1200, QPageLayout::Landscape, psMaxSize, false},
        {1200, QPageLayout::Portrait, psOriginal, false},
    };
    QPrinter& printer = Form->PrinterDevice();
    printer.setPageSize(QPageSize(QPageSize::A4));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.Dpi << " dpi, orientation " << c.Orientation << ", size " << c.Size);
        printer.setResolution(c.Dpi);
        printer.setPageOrientation(c.Orientation);
        Layout->PrintSizeItems->button(c.Size)->setChecked(true);
        Layout->show();
        QCoreApplication::processEvents();
        ASSERT_TRUE(Layout->ImageFits);
        EXPECT_EQ(Layout->PageScale == 13.77, c.AtBaseScale) << Layout->PageScale;
        EXPECT_EQ(Layout->PrinterPagePanel->width(),
                  PreviewPixels(Layout->PageWidth, Layout->PageScale));
        EXPECT_EQ(Layout->PrinterSizeShape->width(),
                  PreviewPixels(Layout->Printed.Width, Layout->PageScale));
        const QRect window = Layout->rect();
        for (const QWidget* part :
             {Layout->PrinterPagePanel, Layout->PrinterSizeShape, Layout->LegendPanel}) {
            const QRect inWindow(part->mapTo(Layout, QPoint(0, 0)), part->size());
            EXPECT_TRUE(window.contains(inWindow))
                << part->objectName().toStdString() << " at " << inWindow.x() << "," << inWindow.y()
                << " " << inWindow.width() << "x" << inWindow.height() << " in a window of "
                << window.width() << "x" << window.height();
            if (part != Layout->PrinterPagePanel) {
                EXPECT_TRUE(Layout->PrinterPagePanel->rect().contains(part->geometry()))
                    << part->objectName().toStdString();
            }
        }
        Layout->hide();
    }
}

// The print lets window events in as it goes: Abort, pressed at any of its steps, abandons the
// document there, and a second Print meanwhile is refused. The abandoned document replaces
// nothing: a last printout the user agreed to replace stays, and no temporary is left.
TEST_F(PrintLayout, AbortDuringAPrintAbandonsItAndASecondPrintMeanwhileIsRefused) {
    ObjectMarks.Assign({{false, omBox, 40, 300, 40, 200, Red, 0}});
    TextLabels.Assign({{"Field", 30, 330, 300, true, false, 0xFFFFFF}});
    Layout->PALCB->setChecked(true);
    Layout->POLCB->setChecked(true);
    Layout->FormActivate();
    // Steps: before the picture, after its labels, after its marks, then after each band of rows.
    int steps = 0;
    for (const char* last : {"", "last printout"}) {
        if (*last)
            ASSERT_TRUE(WriteFileAtomic(Pdf(), std::string(last), TReplaceLeave::Chosen(Pdf())));
        const auto folder = FolderBytes(Dir.Path());
        for (const int abortAt : {1, 2, 3, 6}) {
            SCOPED_TRACE(testing::Message()
                         << "step " << abortAt << ", last printout '" << last << "'");
            steps = 0;
            Hooks.ProcessMessages = [&] {
                if (++steps != abortAt) return;
                Layout->OKBtn->click();
                Layout->AbortBtn->click();
            };
            Rec->Clear();
            Rec->MessageAnswers = {MsgButton::Yes};
            Layout->OKBtnClick();
            EXPECT_EQ(steps, abortAt);
            ASSERT_GE(Rec->Messages.size(), 2u) << Rec->Summary();
            EXPECT_EQ(Rec->Messages.size(), *last ? 3u : 2u) << Rec->Summary();
            EXPECT_EQ(Rec->Messages.rbegin()[1].Text, "Already Printing");
            EXPECT_EQ(Rec->Messages.back().Text, "Printing aborted");
            EXPECT_NE(Form->PrinterDevice().printerState(), QPrinter::Active);
            EXPECT_EQ(FolderBytes(Dir.Path()), folder);
        }
    }
    Hooks.ProcessMessages = [&] { ++steps; };
    steps = 0;
    Rec->Clear();
    Rec->MessageAnswers = {MsgButton::Yes};
    Layout->OKBtnClick();
    EXPECT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
    EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
    EXPECT_GT(steps, 6);
    EXPECT_EQ(FileText(Pdf()).rfind("%PDF-", 0), 0u);
}
