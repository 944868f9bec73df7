#include "algebra/ui/vFEditor.h"
#include "algebra/vFilterEditorState.h"
#include "algebra/vUIPFilter.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

using Texts = std::vector<std::string>;

std::string Kernel(const std::string& name) {
    return TestData("kernels/") + name;
}

class FilterEditor : public ::testing::Test {
  protected:
    void SetUp() override {
        W = std::make_unique<TFEditForm>();
        W->show();
        Rec.Clear();
    }
    void TearDown() override {
        W.reset();
        FilterFileName.clear();
    }
    // Types the cells as the user does: a click into the grid, then the texts.
    void Type(const Texts& cells) {
        W->FESGridClick();
        W->SetGridTexts(cells);
    }
    void Choose(int typeItem, int sizeItem = 0) {
        W->FilterType->button(typeItem)->click();
        W->SizeRGroup->button(sizeItem)->click();
    }

    RecordingHooks Rec;
    TempDir Tmp;
    std::unique_ptr<TFEditForm> W;
};

const Texts Ramp = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
const Texts Laplace = {"0", "-1", "0", "-1", "4", "-1", "0", "-1", "0"};
const Texts SobelStage1 = {"-1", "0", "1", "-2", "0", "2", "-1", "0", "1"};
const Texts SobelStage2 = {"-1", "-2", "-1", "0", "0", "0", "1", "2", "1"};

// Kernels typed into the grid and saved equal the files written by hand from the layout; loading
// each back shows its cells. The pair's stage 2 reaches memory by going back to stage 1.
TEST_F(FilterEditor, TypedKernelsSaveAsTheHandWrittenFilesAndLoadBack) {
    const struct {
        const char* File;
        int TypeItem;
        std::vector<Texts> Stages;
        Texts Shown; // after loading
        const char* Extension;
    } cases[] = {
        {"ramp.RR3",
         0,
         {Ramp},
         {" 1.000", " 2.000", " 3.000", " 4.000", " 5.000", " 6.000", " 7.000", " 8.000", " 9.000"},
         "RR3"},
        {"laplace.RL3", 1, {Laplace}, Laplace, "RL3"},
        {"sobel.R23",
         2,
         {SobelStage1, SobelStage2},
         {"-1.000", " 0.000", " 1.000", "-2.000", " 0.000", " 2.000", "-1.000", " 0.000", " 1.000"},
         "R23"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        W->ClearBtnClick();
        Choose(c.TypeItem);
        EXPECT_EQ(FilterExtension, c.Extension);
        for (size_t s = 0; s < c.Stages.size(); ++s) {
            if (s > 0) W->CurrentFilter->button(static_cast<int>(s))->click();
            Type(c.Stages[s]);
        }
        if (c.Stages.size() > 1) W->CurrentFilter->button(0)->click();
        const std::string saved = Tmp.File(c.File);
        Rec.FileAnswers = {saved};
        W->SaveBtn->click();
        EXPECT_EQ(FileBytes(saved), FileBytes(Kernel(c.File)));
        EXPECT_EQ(FilterFileName, saved);
        EXPECT_EQ(FilterKernelSize, 3);

        W->ClearBtnClick();
        Rec.FileAnswers = {Kernel(c.File)};
        W->LoadBtn->click();
        EXPECT_EQ(W->GridTexts(), c.Shown);
        EXPECT_EQ(W->FilenameLabel->text().toStdString(), c.File);
        EXPECT_TRUE(Rec.ErrorBoxes.empty()) << Rec.Summary();
    }
    EXPECT_EQ(Rec.FileRequests[0].Filter, "Real 3x3 files|*.RR3");
    EXPECT_EQ(Rec.FileRequests[0].DefaultExt, "RR3");
    EXPECT_EQ(Rec.FileRequests[1].Filter,
              "Real Filter files|*.RR3;*.RR5;*.RR7;*.RR9|3x3|*.RR3|5x5|*.RR5|7x7|*.RR7|9x9|*.RR9");
    EXPECT_EQ(Rec.FileRequests[4].Filter, "Sobel 3x3 files|*.R23");
}

TEST_F(FilterEditor, LoadingALargerKernelResizesTheGridAndLocksSizeAndType) {
    FilterKernels k;
    k.Kind = KernelKind::Real;
    for (int i = 0; i < 25; ++i)
        k.Real[0][static_cast<size_t>(i)] = i * 0.125;
    const std::string path = Tmp.File("wave.RR5");
    ASSERT_TRUE(WriteFilterFile(path, k, TReplaceLeave::Chosen(path)));
    Rec.FileAnswers = {path};
    W->LoadBtn->click();
    EXPECT_EQ(W->FESGrid->rowCount(), 5);
    EXPECT_EQ(FilterExtension, "RR5");
    EXPECT_EQ(W->GridTexts()[1], " 0.125");
    EXPECT_EQ(W->GridTexts()[24], " 3.000");
    W->SizeRGroup->button(0)->click();
    W->FilterType->button(1)->click();
    EXPECT_EQ(Rec.Messages.size(), 2u);
    EXPECT_TRUE(Rec.Shown(23));
    EXPECT_EQ(W->FESGrid->rowCount(), 5);
    EXPECT_EQ(W->SizeRGroup->checkedId(), 1);
    EXPECT_EQ(W->FilterType->checkedId(), 0);
    W->ClearBtnClick();
    W->SizeRGroup->button(3)->click();
    EXPECT_EQ(W->FESGrid->rowCount(), 9);
    EXPECT_EQ(FilterExtension, "RR9");
}

// The editor refuses the names the filters refuse, before it changes anything.
TEST_F(FilterEditor, ANameTheFiltersRefuseIsNotLoaded) {
    for (const char* name : {"k.RX3", "k.RR4", "k"}) {
        SCOPED_TRACE(name);
        Rec.Clear();
        Rec.FileAnswers = {Tmp.File(name)};
        W->LoadBtn->click();
        EXPECT_TRUE(Rec.Shown(39982)) << Rec.Summary();
        EXPECT_TRUE(FilterFileName.empty());
        EXPECT_EQ(W->FilenameLabel->text(), "Filename");
    }
}

TEST_F(FilterEditor, StageChoicesFollowTheTypeAndTheLoadedGrid) {
    const struct {
        const char* Name;
        int TypeItem;
        bool Loaded;
        int Stage;
        int Message;
        int SelectorAfter;
    } cases[] = {
        {"nothing loaded", 2, false, 2, 20, 0},       {"real has one stage", 0, true, 2, 22, 0},
        {"integer has one stage", 1, true, 2, 22, 0}, {"sobel has two", 2, true, 3, 21, 0},
        {"sobel stage 2", 2, true, 2, 0, 1},          {"rotate stage 8", 3, true, 8, 0, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        W->ClearBtnClick();
        Choose(c.TypeItem);
        if (c.Loaded) W->FESGridClick();
        Rec.Clear();
        W->CurrentFilter->button(c.Stage - 1)->click();
        if (c.Message)
            EXPECT_TRUE(Rec.Shown(c.Message)) << Rec.Summary();
        else
            EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
        EXPECT_EQ(W->CurrentFilter->checkedId(), c.SelectorAfter);
    }
}

TEST_F(FilterEditor, ARotateStageKeepsItsCellsWhileAnotherIsShown) {
    Choose(3);
    Type(Ramp);
    W->CurrentFilter->button(3)->click();
    Type(Laplace);
    W->CurrentFilter->button(0)->click();
    EXPECT_EQ(W->GridTexts()[8], " 9.000");
    W->CurrentFilter->button(3)->click();
    EXPECT_EQ(W->GridTexts()[4], " 4.000");
    EXPECT_EQ(EditorKernels.Real[3][4], 4.0);
}

TEST_F(FilterEditor, PresetsServeTheirOwnExtensionsOnly) {
    Type({"0", "4", "0", "0", "0", "0", "0", "0", "0"});
    W->FilletBtn->click();
    EXPECT_EQ(W->GridTexts()[4], "-8.0000");
    W->SetGridTexts({"0", "x", "0", "0", "0", "0", "0", "0", "0"});
    W->FilletBtn->click();
    EXPECT_TRUE(Rec.Shown(24));
    EXPECT_EQ(W->GridTexts()[0], "0");
    Rec.Clear();
    W->FullRBtn->click(); // a 3 x 3 grid is not Full R's
    W->ClearBtnClick();
    Choose(1);
    W->phingbtn->click(); // nor are integers a wave's
    EXPECT_EQ(W->GridTexts(), Texts(9, "0"));
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
}

// Values a cell's three decimals cannot hold, each stage of its own so a stage mixed up with
// another shows.
FilterKernels FineKernels(KernelKind kind, int32_t n) {
    const double fine[] = {1.0 / 16,
                           1e-5,
                           -1.0 / 3,
                           std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           1e300};
    FilterKernels k;
    k.Kind = kind;
    for (int32_t s = 0; s < KernelStages(kind); ++s)
        for (int32_t i = 0; i < n * n; ++i)
            k.Real[static_cast<size_t>(s)][static_cast<size_t>(i)] = fine[(i + s) % 7] * (s + 1);
    return k;
}

TEST_F(FilterEditor, RestoringFromMinimisedKeepsTheLoadedKernel) {
    const std::string path = Tmp.File("edges.R25");
    ASSERT_TRUE(
        WriteFilterFile(path, FineKernels(KernelKind::Pair, 5), TReplaceLeave::Chosen(path)));
    Choose(2);
    Rec.FileAnswers = {path};
    W->LoadBtn->click();
    W->setWindowState(Qt::WindowMinimized);
    W->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(FilterEditType, KernelKind::Pair);
    EXPECT_EQ(W->FilterType->checkedId(), 2);
    EXPECT_EQ(W->SizeRGroup->checkedId(), 1);
    W->SizeRGroup->button(0)->click();
    EXPECT_TRUE(Rec.Shown(23)) << Rec.Summary();
    Rec.FileAnswers = {Tmp.File("again.R25")};
    W->SaveBtn->click();
    EXPECT_EQ(FileBytes(Tmp.File("again.R25")), FileBytes(path));
}

// A loaded kernel saves as it was read, also after its stages were stepped through; only a cell
// whose text was edited takes the text's value.
TEST_F(FilterEditor, LoadedKernelsSaveWithTheirFullValues) {
    const struct {
        const char* File;
        int TypeItem;
        KernelKind Kind;
    } cases[] = {{"fine.RR3", 0, KernelKind::Real},
                 {"fine.R27", 2, KernelKind::Pair},
                 {"fine.R89", 3, KernelKind::Eight}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        W->ClearBtnClick();
        Choose(c.TypeItem);
        const int32_t n = c.File[7] - '0';
        const std::string loaded = Tmp.File(c.File);
        ASSERT_TRUE(WriteFilterFile(loaded, FineKernels(c.Kind, n), TReplaceLeave::Chosen(loaded)));
        Rec.FileAnswers = {loaded};
        W->LoadBtn->click();
        for (int stage = 2; stage <= KernelStages(c.Kind); ++stage)
            W->CurrentFilter->button(stage - 1)->click();
        if (KernelStages(c.Kind) > 1) W->CurrentFilter->button(0)->click();
        const std::string saved = Tmp.File(std::string("saved") + (c.File + 4));
        Rec.FileAnswers = {saved};
        W->SaveBtn->click();
        EXPECT_EQ(FileBytes(saved), FileBytes(loaded));
        EXPECT_TRUE(Rec.ErrorBoxes.empty()) << Rec.Summary();
    }

    FilterKernels expected = FineKernels(KernelKind::Real, 3);
    expected.Real[0][2] = 0.5;
    W->ClearBtnClick();
    Choose(0);
    Rec.FileAnswers = {Tmp.File("fine.RR3")};
    W->LoadBtn->click();
    W->FESGrid->item(0, 2)->setText("0.5");
    Rec.FileAnswers = {Tmp.File("edited.RR3")};
    W->SaveBtn->click();
    ASSERT_TRUE(WriteFilterFile(Tmp.File("expected.RR3"), expected,
                                TReplaceLeave::Chosen(Tmp.File("expected.RR3"))));
    EXPECT_EQ(FileBytes(Tmp.File("edited.RR3")), FileBytes(Tmp.File("expected.RR3")));
}

// The file takes the extension of the grid's kind and size whatever the name typed says.
TEST_F(FilterEditor, SavedFilesAreNamedForTheGrid) {
    const struct {
        int TypeItem;
        Texts Cells;
        const char* Typed;
        const char* Written;
        const char* Golden;
    } cases[] = {
        {0, Ramp, "big.RR9", "big.RR3", "ramp.RR3"},
        {0, Ramp, "int.RL3", "int.RR3", "ramp.RR3"},
        {0, Ramp, "bare", "bare.RR3", "ramp.RR3"},
        {1, Laplace, "lower.rl3", "lower.rl3", "laplace.RL3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        W->ClearBtnClick();
        Choose(c.TypeItem);
        Type(c.Cells);
        Rec.FileAnswers = {Tmp.File(c.Typed)};
        W->SaveBtn->click();
        EXPECT_EQ(FilterFileName, Tmp.File(c.Written));
        EXPECT_EQ(FilterKernelSize, 3);
        if (std::string(c.Typed) != c.Written) {
            EXPECT_FALSE(FileExists(Tmp.File(c.Typed)));
        }
        EXPECT_EQ(FileBytes(Tmp.File(c.Written)), FileBytes(Kernel(c.Golden)));
    }
}

// The dialog asked only about the name typed: the name the grid gives the file is asked about
// before it replaces anything, and a name the dialog showed is not asked about twice.
TEST_F(FilterEditor, ANameTheGridChangesIsAskedAboutBeforeItReplacesAFile) {
    const std::vector<uint8_t> before = {'o', 'l', 'd'};
    const struct {
        const char* Typed;
        MsgButton Answer;
        bool Asked;
        bool Written;
    } cases[] = {
        {"big.RR9", MsgButton::No, true, false},
        {"big.RR9", MsgButton::Cancel, true, false},
        {"big.RR9", MsgButton::Yes, true, true},
        {"big.RR3", MsgButton::No, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Typed) + " " + std::to_string(static_cast<int>(c.Answer)));
        ASSERT_TRUE(WriteFileAtomic(Tmp.File("big.RR3"), before,
                                    TReplaceLeave::Chosen(Tmp.File("big.RR3"))));
        FilterFileName.clear();
        W->ClearBtnClick();
        Choose(0);
        Type(Ramp);
        Rec.Clear();
        Rec.MessageAnswers = {c.Answer};
        Rec.FileAnswers = {Tmp.File(c.Typed)};
        W->SaveBtn->click();
        ASSERT_EQ(Rec.Messages.size(), c.Asked ? 1u : 0u);
        if (c.Asked) {
            EXPECT_EQ(Rec.Messages[0].Kind, MsgKind::Confirmation);
            EXPECT_EQ(Rec.Messages[0].Text,
                      Tmp.File("big.RR3") + " already exists.\nDo you want to replace it?");
        }
        if (c.Written) {
            EXPECT_EQ(FileBytes(Tmp.File("big.RR3")), FileBytes(Kernel("ramp.RR3")));
            EXPECT_EQ(FilterFileName, Tmp.File("big.RR3"));
        } else {
            EXPECT_EQ(FileBytes(Tmp.File("big.RR3")), before);
            EXPECT_EQ(FilterFileName, "");
        }
    }
}

// A kernel file refused as short changes nothing: the grid, its size, the label and the names
// stay those of the kernel loaded before, and Save writes that kernel under its own extension.
TEST_F(FilterEditor, ARefusedKernelLeavesTheEditorAsItWas) {
    Choose(2);
    Rec.FileAnswers = {Kernel("sobel.R23")};
    W->LoadBtn->click();
    const Texts shown = W->GridTexts();
    ASSERT_TRUE(WriteFileAtomic(Tmp.File("short.R25"), std::vector<uint8_t>(143, 1),
                                TReplaceLeave::Chosen(Tmp.File("short.R25"))));
    Rec.FileAnswers = {Tmp.File("short.R25")};
    W->LoadBtn->click();
    ASSERT_EQ(Rec.ErrorBoxes, std::vector<std::string>{"Read beyond end of file"});
    EXPECT_EQ(W->GridTexts(), shown);
    EXPECT_EQ(W->FESGrid->rowCount(), 3);
    EXPECT_EQ(W->FilenameLabel->text(), "sobel.R23");
    EXPECT_EQ(FilterFileName, Kernel("sobel.R23"));
    EXPECT_EQ(FilterExtension, "R23");
    Rec.FileAnswers = {Tmp.File("after.R23")};
    W->SaveBtn->click();
    EXPECT_EQ(FileBytes(Tmp.File("after.R23")), FileBytes(Kernel("sobel.R23")));
    EXPECT_FALSE(FileExists(Tmp.File("after.R25")));
}

// Integers beyond 32 bits are held at the range's ends, in the cells and in the wave factor.
TEST_F(FilterEditor, IntegersBeyondThirtyTwoBitsAreHeldAtTheRangeEnds) {
    Choose(1);
    Type({"99999999999", "4294967297", "-99999999999", "2147483647", "-2147483648", "12abc", "x",
          "-4294967295", "7"});
    const std::string saved = Tmp.File("wide.RL3");
    Rec.FileAnswers = {saved};
    W->SaveBtn->click();
    FilterKernels back;
    ASSERT_TRUE(ReadFilterFile(saved, KernelKind::Integer, back));
    const int32_t max = std::numeric_limits<int32_t>::max();
    const int32_t min = std::numeric_limits<int32_t>::min();
    const int32_t expected[9] = {max, max, min, max, min, 12, 0, min, 7};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(back.Integer[static_cast<size_t>(i)], expected[i]) << i;

    W->ClearBtnClick();
    Choose(0);
    W->PhingEdit->setText("4294967297"); // cut to 32 bits, a factor of 1
    W->phingbtn->click();
    EXPECT_EQ(W->GridTexts()[1], "0.0000");
}

} // namespace
