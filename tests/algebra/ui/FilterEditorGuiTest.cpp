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
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

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
// each back shows its cells. The pair is saved with stage 2 still on screen, unstored.
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
    ASSERT_TRUE(WriteFilterFile(path, k));
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

} // namespace
