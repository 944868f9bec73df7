// Every print command prints on the program's printer: with nothing to print to it says so and
// writes nothing; with a PDF chosen there it writes that PDF, asking before it replaces one, and
// the pictures in it are the printed pictures pixel for pixel.
#include "classify/ui/vClassifier.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vUScreenPrint.h"
#include "import/ui/vPBHdr.h"
#include "import/ui/vPBands.h"
#include "projections/ui/kovMemoFrm.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vMacro.h"
#include "shell/ui/vPSize.h"
#include "shell/ui/vPrinting.h"
#include "shell/ui/vVCScreen.h"
#include "shell/vToolForms.h"
#include "support/GuiPdfPictures.h"
#include "support/GuiStartup.h"
#include "support/NoisePicture.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

struct PrintCommand {
    const char* Name;
    std::function<void()> Print;
};

class PrintCommands : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Form->FormCreate({});
        ASSERT_TRUE(Form->LoadFromFile(TestData("aerial/aero1.png"))) << Rec->Summary();
        Macro = new TMacroForm(Form);
        Profile = new TLineProfileForm(Form);
        Profile->MemoData->setPlainText("Pos Red Green Blue\n1 10 20 30");
        Layout = static_cast<TPrintersizeForm*>(Form->ToolForm(tfPrintersize));
        Layout->show();
        Classes = static_cast<TClassificationForm*>(Form->ShowToolForm(tfClassification));
        Classes->CAMMemo->setPlainText("Accuracy");
        Log = new TkovMemoForm(Form);
        Log->ProLogMemo->setPlainText("Forward transform");
        Cursor = new TViewCursorScreen(Form);
        Import = new TPBands(Form);
        Import->DIHRegMemo->setPlainText("Registration");
        Import->DDRIDXMemo->setPlainText("Header text");
        Viewer = new TPBandHdrForm(Form);
        Viewer->DDRIDXMemo->setPlainText("Header text");
        Plane.Resize(5, 3);
        Plane.Pixels[7] = 0xFF204060u;
    }
    void TearDown() override {
        if (ClassificationForm) ClassificationForm->close();
        GuiStartup::TearDown();
    }

    // What the print dialog leaves: a PDF and its file, or nothing to print to.
    void ChoosePdf(const std::string& file) {
        QPrinter& printer = Form->PrinterDevice();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(file));
    }
    // The main window's print dialog pointed at `file`, then cancelled.
    void CancelPrintDialogAt(const std::string& file) {
        const QPageLayout page = Form->PrinterDevice().pageLayout();
        QTimer::singleShot(0, Form, [this, file] {
            auto* dialog = Form->findChild<QPrintDialog*>("PrinterSetupDialog1");
            QPrinter* printer = dialog->printer();
            printer->setOutputFileName(QString::fromStdString(file));
            // The user turns the page on the dialog's pages before cancelling.
            printer->setPageOrientation(printer->pageLayout().orientation() == QPageLayout::Portrait
                                            ? QPageLayout::Landscape
                                            : QPageLayout::Portrait);
            dialog->reject();
        });
        Form->F_PrintClick();
        EXPECT_TRUE(Form->PrinterDevice().pageLayout().isEquivalentTo(page));
    }

    // The print dialog's Print pressed on `file`: the dialog asks whether it may replace the file
    // there, and the user says Yes.
    void AcceptPrintDialogAt(const std::string& file) {
        ChoosePdf(file);
        bool asked = false;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&asked] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                asked = true;
                box->button(QMessageBox::Yes)->click();
            } else if (modal && qobject_cast<QPrintDialog*>(modal)) {
                // Pressed outside this handler: the dialog's question waits on this timer.
                QTimer::singleShot(
                    0, modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                    &QAbstractButton::click);
            }
        });
        answer.start(10);
        EXPECT_TRUE(ChoosePrinterSettings(Form->PrinterDevice(), Form, "PrinterSetupDialog1"));
        EXPECT_TRUE(asked);
    }

    std::vector<PrintCommand> Commands() {
        return {
            {"macro", [this] { Macro->PrintBtn->click(); }},
            {"print layout", [this] { Layout->OKBtn->click(); }},
            {"histogram sheet",
             [this] {
                 auto* print =
                     new TFormPrint(PrintSource{"Histogram", "5 by 3", "Red", Plane, Plane}, Form);
                 print->ButtonHistograms->click();
                 delete print;
             }},
            {"profile chart", [this] { Profile->ButtonPrintGraph->click(); }},
            {"profile data", [this] { Profile->PrintButton->click(); }},
            // The report's page stays disabled; its button is pressed as an enabled page would.
            {"accuracy report", [this] { emit Classes->CAMPrint->clicked(); }},
            {"projection log", [this] { Log->ProLogMemoPrintBtn->click(); }},
            // The grid's Print saves first: the save dialog is cancelled.
            {"cursor grid", [this] { Cursor->VCSPrintBtn->click(); }},
            {"registration points", [this] { Import->DIHPrintBtn->click(); }},
            {"imported header", [this] { Import->DDRPrintBtn->click(); }},
            {"header viewer", [this] { Viewer->DDRPrintBtn->click(); }},
        };
    }

    TMacroForm* Macro = nullptr;
    TLineProfileForm* Profile = nullptr;
    TPrintersizeForm* Layout = nullptr;
    TClassificationForm* Classes = nullptr;
    TkovMemoForm* Log = nullptr;
    TViewCursorScreen* Cursor = nullptr;
    TPBands* Import = nullptr;
    TPBandHdrForm* Viewer = nullptr;
    Picture Plane;
};

TEST_F(PrintCommands, EachSaysThereIsNoPrinterThenPrintsToThePdfChosen) {
    for (const PrintCommand& c : Commands()) {
        SCOPED_TRACE(c.Name);
        const std::string pdf = Dir.File(std::string(c.Name) + ".pdf");
        ChoosePdf("");
        // A cancelled dialog leaves nothing to print to: the print wrote the file it was given.
        CancelPrintDialogAt(pdf);
        Rec->Clear();
        c.Print();
        ASSERT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
        EXPECT_EQ(Rec->Messages[0].Text, "No printer is available.");
        EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
        EXPECT_NE(Form->PrinterDevice().printerState(), QPrinter::Active);
        EXPECT_FALSE(FileExists(pdf));

        ChoosePdf(pdf);
        const QPageLayout page = Form->PrinterDevice().pageLayout();
        Rec->Clear();
        c.Print();
        EXPECT_TRUE(Rec->Messages.empty() && Rec->ErrorBoxes.empty()) << Rec->Summary();
        // A print that turns its page gives the printer the user's page back.
        EXPECT_TRUE(Form->PrinterDevice().pageLayout().isEquivalentTo(page));
        EXPECT_EQ(FileText(pdf).rfind("%PDF-", 0), 0u);
        EXPECT_GT(FileSizeOf(pdf), 200);
    }
}

// Files beyond `bytes` cannot grow while this lives, as if the disk were full (the writes fail
// and no signal ends the process).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &Old);
        const rlimit limit{std::min(bytes, Old.rlim_max), Old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        OldSignal = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &Old);
        std::signal(SIGXFSZ, OldSignal);
    }

  private:
    rlimit Old{};
    void (*OldSignal)(int) = nullptr;
};

// A print to a file that cannot be written names the file and the reason, and leaves the folder
// as it was: the last printout there, agreed to be replaced, stays and no temporary is left. The
// program's printer stays usable: the next print to a PDF is written whole.
TEST_F(PrintCommands, EachPrintThatCannotBeWrittenNamesTheFileAndKeepsTheLastPrintout) {
    TempDir target, printed;
    const std::string pdf = target.File("out.pdf");
    const struct {
        const char* Name;
        std::string File;
        rlim_t Limit;
        const char* Reason;
    } failures[] = {
        {"missing folder", target.File("no/such/folder/out.pdf"), RLIM_INFINITY, "Path not found"},
        {"full disk", pdf, 1000, "Disk full"},
    };
    ASSERT_TRUE(WriteFileAtomic(pdf, std::string("last printout"), TReplaceLeave::Chosen(pdf)));
    const auto folder = FolderBytes(target.Path());
    for (const PrintCommand& c : Commands()) {
        for (const auto& f : failures) {
            SCOPED_TRACE(std::string(c.Name) + ", " + f.Name);
            ChoosePdf(f.File);
            Rec->Clear();
            Rec->MessageAnswers = {MsgButton::Yes};
            {
                const FileSizeLimit limit(f.Limit);
                c.Print();
            }
            EXPECT_EQ(Rec->ErrorBoxes,
                      std::vector<std::string>{f.Reason + std::string(CRLF) + f.File});
            EXPECT_EQ(FolderBytes(target.Path()), folder);
            EXPECT_NE(Form->PrinterDevice().printerState(), QPrinter::Active);
        }
        const std::string next = printed.File(std::string(c.Name) + ".pdf");
        ChoosePdf(next);
        c.Print();
        EXPECT_EQ(FileText(next).rfind("%PDF-", 0), 0u);
        EXPECT_NE(FileText(next).find("%%EOF"), std::string::npos);
    }
}

// The last printout in the file the printer writes to stays unless the user says to replace it.
// The file a print left, and one the print dialog named (it asks its own question), are the
// program's to print over: a second question there used to teach users to answer Yes unread.
TEST_F(PrintCommands, EachAsksBeforeReplacingTheFileItPrintsTo) {
    for (const PrintCommand& c : Commands()) {
        SCOPED_TRACE(c.Name);
        const std::string pdf = Dir.File(std::string(c.Name) + ".pdf");
        ASSERT_TRUE(WriteFileAtomic(pdf, std::string("last printout"), TReplaceLeave::Chosen(pdf)));
        ChoosePdf(pdf);
        for (const MsgButton answer : {MsgButton::No, MsgButton::Yes}) {
            Rec->Clear();
            Rec->MessageAnswers = {answer};
            c.Print();
            ASSERT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
            EXPECT_EQ(Rec->Messages[0].Kind, MsgKind::Confirmation);
            EXPECT_EQ(Rec->Messages[0].Text, pdf + " already exists.\nDo you want to replace it?");
            if (answer == MsgButton::No) {
                EXPECT_EQ(FileText(pdf), "last printout");
            }
        }
        EXPECT_EQ(FileText(pdf).rfind("%PDF-", 0), 0u);
        // Printed again; then named in the print dialog over another program's file.
        for (const bool dialog : {false, true}) {
            SCOPED_TRACE(dialog);
            if (dialog) {
                ASSERT_TRUE(WriteFileAtomic(pdf, std::string("another printout"),
                                            TReplaceLeave::Chosen(pdf)));
                AcceptPrintDialogAt(pdf);
            }
            Rec->Clear();
            c.Print();
            EXPECT_TRUE(Rec->Messages.empty() && Rec->ErrorBoxes.empty()) << Rec->Summary();
            EXPECT_EQ(FileText(pdf).rfind("%PDF-", 0), 0u);
        }
    }
}

TEST_F(PrintCommands, PicturesGoToPaperPixelForPixel) {
    const Picture noise = NoisePicture(37, 23, 11);
    const QImage noiseImage(reinterpret_cast<const uchar*>(noise.Pixels.data()), noise.Width,
                            noise.Height, noise.Width * 4, QImage::Format_RGB32);
    const auto histogramPrint = [&](QPushButton* TFormPrint::*button) {
        auto* print =
            new TFormPrint(PrintSource{"Histogram", "37 by 23", "Red", noise, noise}, Form);
        (print->*button)->click();
        delete print;
    };
    const struct {
        const char* Name;
        std::function<void()> Print;
        QImage Printed;
    } cases[] = {
        {"print layout",
         [this] {
             Layout->LegendItems->button(lpNone)->setChecked(true);
             Layout->OKBtn->click();
         },
         TImageView::PictureImage()},
        {"histogram big image", [&] { histogramPrint(&TFormPrint::ButtonPrintBigImage); },
         noiseImage},
        {"histogram small image", [&] { histogramPrint(&TFormPrint::ButtonPrintSmallImage); },
         noiseImage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string pdf = Dir.File(std::string(c.Name) + ".pdf");
        ChoosePdf(pdf);
        Rec->Clear();
        c.Print();
        ASSERT_TRUE(Rec->Messages.empty() && Rec->ErrorBoxes.empty()) << Rec->Summary();
        // The picture may go in bands of rows, each starting where the one before ended or on
        // that one's last row, which it is drawn over.
        int end = 0;
        for (const PdfPicture& band : PdfPictures(FileText(pdf))) {
            ASSERT_EQ(band.Filter, "FlateDecode");
            ASSERT_FALSE(band.Image.isNull());
            const int w = c.Printed.width(), h = band.Image.height();
            const int start =
                end > 0 && DifferingPixels(band.Image, c.Printed.copy(0, end - 1, w, h)) == 0
                    ? end - 1
                    : end;
            EXPECT_EQ(DifferingPixels(band.Image, c.Printed.copy(0, start, w, h)), 0)
                << "the band from row " << start;
            end = start + h;
        }
        EXPECT_EQ(end, c.Printed.height());
    }
}

} // namespace
