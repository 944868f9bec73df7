// Every print command prints on the program's printer: with nothing to print to it says so in its
// own words and writes nothing; with a PDF chosen there it writes that PDF.
#include "classify/ui/vClassifier.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vUScreenPrint.h"
#include "import/ui/vPBHdr.h"
#include "import/ui/vPBands.h"
#include "projections/ui/kovMemoFrm.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vMacro.h"
#include "shell/ui/vPSize.h"
#include "shell/ui/vVCScreen.h"
#include "shell/vToolForms.h"
#include "support/GuiStartup.h"

#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>

#include <functional>

namespace {

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

struct PrintCommand {
    const char* Name;
    const char* NoPrinter;
    std::function<void()> Print;
};

TEST_F(PrintCommands, EachSaysThereIsNoPrinterThenPrintsToThePdfChosen) {
    static constexpr const char* Words = "No printer is available.";
    const PrintCommand commands[] = {
        {"macro", "Printing aborted", [this] { Macro->PrintBtn->click(); }},
        {"print layout", "Printing aborted", [this] { Layout->OKBtn->click(); }},
        {"histogram sheet", Words,
         [this] {
             auto* print =
                 new TFormPrint(PrintSource{"Histogram", "5 by 3", "Red", Plane, Plane}, Form);
             print->ButtonHistograms->click();
             delete print;
         }},
        {"profile chart", Words, [this] { Profile->ButtonPrintGraph->click(); }},
        {"profile data", Words, [this] { Profile->PrintButton->click(); }},
        // The report's page stays disabled; its button is pressed as an enabled page would.
        {"accuracy report", Words, [this] { emit Classes->CAMPrint->clicked(); }},
        {"projection log", Words, [this] { Log->ProLogMemoPrintBtn->click(); }},
        // The grid's Print saves first: the save dialog is cancelled.
        {"cursor grid", Words, [this] { Cursor->VCSPrintBtn->click(); }},
        {"registration points", Words, [this] { Import->DIHPrintBtn->click(); }},
        {"imported header", Words, [this] { Import->DDRPrintBtn->click(); }},
        {"header viewer", Words, [this] { Viewer->DDRPrintBtn->click(); }},
    };
    for (const PrintCommand& c : commands) {
        SCOPED_TRACE(c.Name);
        const std::string pdf = Dir.File(std::string(c.Name) + ".pdf");
        ChoosePdf("");
        Rec->Clear();
        c.Print();
        ASSERT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
        EXPECT_EQ(Rec->Messages[0].Text, c.NoPrinter);
        EXPECT_TRUE(Rec->ErrorBoxes.empty()) << Rec->Summary();
        EXPECT_NE(Form->PrinterDevice().printerState(), QPrinter::Active);

        ChoosePdf(pdf);
        Rec->Clear();
        c.Print();
        EXPECT_TRUE(Rec->Messages.empty() && Rec->ErrorBoxes.empty()) << Rec->Summary();
        EXPECT_EQ(FileText(pdf).rfind("%PDF-", 0), 0u);
        EXPECT_GT(FileSizeOf(pdf), 200);
    }
}

// A document that fails to begin leaves the program's printer stuck active; the next print with
// a PDF chosen in the print dialog works all the same.
TEST_F(PrintCommands, AFailedBeginLeavesThePrinterUsableForTheNextPrint) {
    const struct {
        const char* Name;
        std::function<void()> Print;
        const char* Said;
    } failures[] = {
        {"macro", [this] { Macro->PrintBtn->click(); }, "Printing aborted"},
        {"profile data", [this] { Profile->PrintButton->click(); }, "File access denied"},
        {"accuracy report", [this] { emit Classes->CAMPrint->clicked(); }, "File access denied"},
        {"header viewer", [this] { Viewer->DDRPrintBtn->click(); }, "File access denied"},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.Name);
        ChoosePdf(Dir.File("no/such/folder/out.pdf"));
        Rec->Clear();
        f.Print();
        std::vector<std::string> said = Rec->ErrorBoxes;
        for (const ShownMessage& m : Rec->Messages)
            said.push_back(m.Text);
        EXPECT_EQ(said, std::vector<std::string>{f.Said});
        const std::string pdf = Dir.File(std::string(f.Name) + ".pdf");
        ChoosePdf(pdf);
        f.Print();
        EXPECT_EQ(FileText(pdf).rfind("%PDF-", 0), 0u);
    }
}

} // namespace
