// The "SC Slice" page driven through its buttons on the aerial photograph: what each button
// reads from its edits, the lines it records and logs, and the same picture again when the
// recorded lines are played.
#include "histogram/ui/vHistogram.h"

#include "runtime/RtFiles.h"
#include "shell/vMacroPlayer.h"
#include "support/GuiStartup.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

using Lines = std::vector<std::string>;

class SlicePage : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Histo = new THistogramForm(Form);
        OpenCopy("aerial/aero1.png", "aero1.png");
        Original = DisplayedPicture;
    }
    void TearDown() override {
        MacroRecording = LogToDIP = false;
        GuiStartup::TearDown();
    }
    QLineEdit* Edit(const char* name) const { return Histo->findChild<QLineEdit*>(name); }

    THistogramForm* Histo = nullptr;
    Picture Original;
};

TEST_F(SlicePage, ThePageStandsLastWithItsDefaults) {
    EXPECT_TRUE(Histo->HistoPages->isTabVisible(THistogramForm::PageSlice));
    EXPECT_EQ(Histo->HistoPages->tabText(THistogramForm::PageSlice), "SC Slice");
    const std::vector<std::pair<const char*, const char*>> defaults{
        {"SOHO_HIEdit1", "123"},  {"SOHO_HIEdit2", "66"},   {"SOHO_HIEdit3", "36"},
        {"SOHO_AAEdit", "21"},    {"SOHO_CEEdit", "55"},    {"SOHO_DCEdit", "99"},
        {"SOHO_CEdit", "33"},     {"SOHO_DDEdit", "66"},    {"SOHO_ToneEdit", "44"},
        {"SOHO_SoSEdit", "17"},   {"SOHO_SSEdit", "28"},    {"SOHO_SEdit", "32"},
        {"SOHO_SOSIEdit1", "12"}, {"SOHO_SOSIEdit2", "23"}, {"SOHO_SaSEdit1", "7"},
        {"SOHO_SaSEdit2", "11"},  {"SOHO_ISEdit1", "17"},   {"SOHO_ISEdit2", "27"},
        {"SOHO_ISEdit3", "37"},   {"SOHO_ISEdit4", "7"}};
    for (const auto& [name, text] : defaults) {
        ASSERT_NE(Edit(name), nullptr) << name;
        EXPECT_EQ(Edit(name)->text().toStdString(), text) << name;
    }
    EXPECT_EQ(Histo->SOHOGroup->checkedId(), 0);
    EXPECT_EQ(Histo->SOHOGroup->buttons().size(), 23);
    EXPECT_EQ(Histo->SOHOButtons[12]->text(), "I Slice");
}

TEST_F(SlicePage, EveryButtonRecordsItsClampedValuesAndPlaysBackToTheSamePicture) {
    MacroRecording = true;
    const struct {
        int Button; // -1: the object display of item Item
        std::vector<std::pair<const char*, const char*>> Edits;
        Lines Recorded;
        int Item = 0;
    } cases[] = {
        {0,
         {{"SOHO_HIEdit1", "0.5"}, {"SOHO_HIEdit2", "300"}, {"SOHO_HIEdit3", "123.5"}},
         {"=0104  Do_Halley", "1", "255", "123.5"}},
        {1, {{"SOHO_AAEdit", "x"}}, {"=0105  Do_Asteroids", "1"}},
        {2, {{"SOHO_CEEdit", "$1F"}}, {"=0106  Do_Europa", "31"}},
        {3, {{"SOHO_DCEdit", "  -7xyz"}}, {"=0107  Do_DoDoClass", "1"}},
        {4, {{"SOHO_CEdit", "999"}}, {"=0108  Do_Class", "255"}},
        {5, {{"SOHO_DDEdit", "66"}}, {"=0109  Do_DoDo", "66"}},
        {6, {{"SOHO_ToneEdit", "44.9"}}, {"=0110  Do_Tone", "44"}},
        {7, {{"SOHO_SoSEdit", "300"}}, {"=0111  Do_SetOSlice", "36"}},
        {8, {{"SOHO_SSEdit", "300"}}, {"=0112  Do_SetSlice", "18"}},
        {8, {{"SOHO_SSEdit", "256"}}, {"=0112  Do_SetSlice", "1"}},
        {8, {{"SOHO_SSEdit", "-"}}, {"=0112  Do_SetSlice", "1"}},
        {9, {{"SOHO_SEdit", "1000"}}, {"=0113  Do_Slice", "42"}},
        {9, {{"SOHO_SEdit", "0"}}, {"=0113  Do_Slice", "1"}},
        {10,
         {{"SOHO_SOSIEdit1", "10"}, {"SOHO_SOSIEdit2", "262"}},
         {"=0114  Do_SetOSIlice", "6", "10"}},
        {11,
         {{"SOHO_SaSEdit1", "60"}, {"SOHO_SaSEdit2", "6"}},
         {"=0115  Do_SetandSlice", "6", "60"}},
        {12,
         {{"SOHO_ISEdit1", "17"},
          {"SOHO_ISEdit2", "85"},
          {"SOHO_ISEdit3", "1e9"},
          {"SOHO_ISEdit4", "$20"}},
         {"=0116  Do_SetandSlice", "17", "85", "255", "32"}},
        {-1, {}, {"=0102  H SOHO", "4"}, 4},
        {-1, {}, {"=0102  H SOHO", "16"}, 16},
        {-1, {}, {"=0102  H SOHO", "22"}, 22},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Recorded[0] + " " + c.Recorded[1]);
        Rec->Clear();
        for (const auto& [name, text] : c.Edits)
            Edit(name)->setText(text);
        if (c.Button < 0) {
            Histo->SOHOGroup->button(c.Item)->click();
            Histo->H_SOHOBtn->click();
        } else {
            Histo->SOHOButtons[static_cast<size_t>(c.Button)]->click();
        }
        EXPECT_EQ(Rec->MacroLines, c.Recorded);
        EXPECT_EQ(Rec->Status1.back(), "Image processed");
        const Picture shown = DisplayedPicture;
        UndoImage();
        ASSERT_EQ(DisplayedPicture.Pixels, Original.Pixels);
        ASSERT_TRUE(PlayMacro(c.Recorded));
        EXPECT_EQ(DisplayedPicture.Pixels, shown.Pixels);
        UndoImage();
    }
}

TEST_F(SlicePage, AnObjectLineOutsideTheGroupPlaysNothing) {
    for (const char* item : {"23", "-1", "99999999999"}) {
        ASSERT_TRUE(PlayMacro(Lines{"=0102  H SOHO", item}));
        EXPECT_EQ(DisplayedPicture.Pixels, Original.Pixels) << item;
        EXPECT_TRUE(Rec->Status1.empty()) << item;
    }
}

} // namespace
