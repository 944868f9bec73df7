#include "runtime/RtFiles.h"
#include "shell/ui/vClassColorGrid.h"
#include "shell/ui/vPrOptions.h"
#include "support/GuiStartup.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

using Form = TOptionsForm;

class OptionsWindow : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        SetDefaultOptions();
    }

    // The window as the options command shows it, without waiting on it.
    std::unique_ptr<TOptionsForm> Open() {
        auto form = std::make_unique<TOptionsForm>(Form);
        form->show();
        return form;
    }

    std::vector<uint8_t> SavedFile() { return FileBytes(Dir.File("Vorn.pof")); }
};

// A user's edit of the whole text of a box.
void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    edit->insert(text);
}

struct Switch {
    QCheckBox* Form::*Box;
    bool* Global;
    size_t Offset;
};

const Switch Switches[] = {
    {&Form::OpenPreviewCB, &OpenPreviewOption, 3512},
    {&Form::SavePreviewCB, &SavePreviewOption, 3513},
    {&Form::DisplayConvert32CB, &DisplayConvert32Option, 3514},
    {&Form::DoneNotificationCB, &DoneNotificationOption, 3516},
    {&Form::DoneSpokenCB, &DoneSpokenOption, 3517},
    {&Form::BellsCB, &DoneBellsOption, 3518},
    {&Form::WhistlesCB, &DoneWhistlesOption, 3519},
    {&Form::ErrorNotUsedCB, &ErrorBeepOption, 3520},
    {&Form::ErrorSpokenCB, &ErrorSpokenOption, 3521},
    {&Form::AbsoluteValuesCB, &AbsoluteValuesOption, 3526},
    {&Form::SetAbsoluteValueCB, &SetAbsoluteOption, 3527},
    {&Form::SetAutorangeThresholdCB, &SetThresholdOption, 3528},
};

struct Choice {
    QButtonGroup* Form::*Group;
    int Item;
    bool* Global;
    size_t Offset;
};

// Each radio item with the switch it turns on, by its place in the options file.
const Choice Choices[] = {
    {&Form::TogglesRG, 1, &Scale0To255Option, 3525}, {&Form::TogglesRG, 2, &BelowZeroOption, 3523},
    {&Form::TogglesRG, 3, &AutoRangeOption, 3522},   {&Form::TogglesRG, 0, &ClipOption, 3524},
    {&Form::PO_ToggleRG, 1, &ToggleGreen, 3531},     {&Form::PO_ToggleRG, 2, &ToggleRed, 3530},
    {&Form::PO_ToggleRG, 3, &ToggleRGB, 3529},       {&Form::PO_ToggleRG, 0, &ToggleBlue, 3532},
};

int SwitchesOn(QButtonGroup* Form::*group) {
    int on = 0;
    for (const Choice& c : Choices)
        on += c.Group == group && *c.Global;
    return on;
}

} // namespace

// The folder boxes only show their folders: typing into one changes neither it nor its folder.
TEST_F(OptionsWindow, TheFolderBoxesTakeNoTyping) {
    const struct {
        QLineEdit* Form::*Edit;
        std::string* Global;
    } boxes[] = {{&Form::RPM_ProgramEdit, &ProgramDirectory},
                 {&Form::FilterPathEdit, &FilterDirectory},
                 {&Form::FilePathEdit, &WorkingFolderText(ImageDirectory)},
                 {&Form::RPM_DEMEdit, &DEMDirectory},
                 {&Form::RPM_VDatabaseEdit, &VDatabaseDirectory},
                 {&Form::RPM_StorageEdit, &StorageDirectory},
                 {&Form::RPM_VectorsEdit, &VectorsDirectory}};
    auto window = Open();
    for (const auto& b : boxes) {
        QLineEdit* edit = window.get()->*b.Edit;
        SCOPED_TRACE(edit->objectName().toStdString());
        const std::string shown = edit->text().toStdString(), folder = *b.Global;
        edit->setFocus();
        QTest::keyClicks(edit, "typed");
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_TRUE(edit->isReadOnly());
        EXPECT_EQ(edit->text().toStdString(), shown);
        EXPECT_EQ(*b.Global, folder);
    }
    // A folder longer than the options file holds is refused by name, and the folder stays.
    const std::string images = WorkingFolderText(ImageDirectory);
    const std::string deep = "/" + std::string(250, 'd') + "/deeper/";
    Rec->Clear();
    Rec->FileAnswers.push_back(deep + "picture.png");
    window.get()->POD_ImageDIRBtn->click();
    ASSERT_EQ(Rec->Messages.size(), 1u) << Rec->Summary();
    EXPECT_EQ(Rec->Messages[0].Text, MessageText(LongFolderMessage) + CRLF + deep);
    EXPECT_EQ(WorkingFolderText(ImageDirectory), images);
    EXPECT_EQ(window.get()->FilePathEdit->text().toStdString(), images);
}

TEST_F(OptionsWindow, EverySwitchWritesItsGlobal) {
    for (const Switch& s : Switches)
        *s.Global = false;
    auto form = Open();
    for (const Switch& s : Switches) {
        (form.get()->*s.Box)->click();
        EXPECT_TRUE(*s.Global) << s.Offset;
    }
    for (const Choice& c : Choices) {
        (form.get()->*c.Group)->button(c.Item)->click();
        EXPECT_TRUE(*c.Global) << c.Offset;
        EXPECT_EQ(SwitchesOn(c.Group), 1) << c.Offset;
    }
    (form.get()->*Switches[0].Box)->click();
    EXPECT_FALSE(*Switches[0].Global);
}

TEST_F(OptionsWindow, OpeningLeavesExactlyOneRangeAndOneChannelSwitchOn) {
    struct Case {
        std::array<bool, 4> Range; // clip, 0..255, below zero, auto range
        int RangeItem;
        std::array<bool, 4> Channel; // blue, green, red, all
        int ChannelItem;
    } cases[] = {
        {{false, false, false, false}, 0, {false, true, false, false}, 1},
        {{true, true, true, true}, 1, {true, true, true, true}, 0},
        {{true, false, true, true}, 2, {false, true, true, true}, 1},
        {{true, false, false, true}, 3, {false, false, true, true}, 2},
        {{false, false, false, true}, 3, {false, false, false, true}, 3},
    };
    bool* range[] = {&ClipOption, &Scale0To255Option, &BelowZeroOption, &AutoRangeOption};
    bool* channel[] = {&ToggleBlue, &ToggleGreen, &ToggleRed, &ToggleRGB};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.RangeItem * 10 + c.ChannelItem);
        for (int i = 0; i < 4; ++i) {
            *range[i] = c.Range[i];
            *channel[i] = c.Channel[i];
        }
        auto form = Open();
        EXPECT_EQ(form->TogglesRG->checkedId(), c.RangeItem);
        EXPECT_EQ(form->PO_ToggleRG->checkedId(), c.ChannelItem);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(*range[i], i == c.RangeItem) << i;
            EXPECT_EQ(*channel[i], i == c.ChannelItem) << i;
        }
    }
}

TEST_F(OptionsWindow, NumberBoxesStoreWhatIsTypedAndReportWhatIsNot) {
    struct Case {
        QLineEdit* Form::*Edit;
        const char* Typed;
        double Stored; // the global afterwards
        const char* Message;
        const char* ErrorBox;
    } cases[] = {
        {&Form::RealATMaxEdit, "12.5", 12.5, nullptr, nullptr},
        {&Form::RealATMaxEdit, "1x", 12.5, "Error in File data Number: \r\n2\r\n1x", nullptr},
        {&Form::RealATMinEdit, "-", 0.0, "Error in File data Number: \r\n2\r\n-", nullptr},
        {&Form::RealATMinEdit, " -1.5E1", -15.0, nullptr, nullptr},
        {&Form::IntATMinEdit, "300", 44, nullptr, nullptr},
        {&Form::IntATMaxEdit, "7q", 255, "Error in File data Number: \r\n2\r\n7q", nullptr},
        {&Form::IntATMaxEdit, "-1", 255, nullptr, nullptr},
        {&Form::MessageXEdit, "250", 250, nullptr, nullptr},
        {&Form::MessageXEdit, "abc", 250, nullptr, "'abc' is not a valid integer value"},
        {&Form::MessageYEdit, "", 123, nullptr, "'' is not a valid integer value"},
        {&Form::MessageYEdit, "5000000000", 123, nullptr,
         "'5000000000' is not a valid integer value"},
    };
    auto form = Open();
    auto stored = [&form](QLineEdit* Form::*edit) -> double {
        if (edit == &Form::RealATMaxEdit) return RealATMax;
        if (edit == &Form::RealATMinEdit) return RealATMin;
        if (edit == &Form::IntATMinEdit) return IntATMin;
        if (edit == &Form::IntATMaxEdit) return IntATMax;
        return edit == &Form::MessageXEdit ? MessageX : MessageY;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        Rec->Clear();
        Type(form.get()->*c.Edit, c.Typed);
        EXPECT_DOUBLE_EQ(stored(c.Edit), c.Stored);
        ASSERT_EQ(Rec->Messages.size(), c.Message ? 1u : 0u) << Rec->Summary();
        if (c.Message) EXPECT_EQ(Rec->Messages[0].Text, c.Message);
        ASSERT_EQ(Rec->ErrorBoxes.size(), c.ErrorBox ? 1u : 0u);
        if (c.ErrorBox) EXPECT_EQ(Rec->ErrorBoxes[0], c.ErrorBox);
    }
    EXPECT_TRUE(form->isVisible());
}

TEST_F(OptionsWindow, ThresholdsShowInTheirFieldsAndTheMenuResetKeepsBellsAndWhistles) {
    RealATMin = 2.25;
    RealATMax = -0.5;
    auto form = Open();
    EXPECT_EQ(form->RealATMinEdit->text(), "  2.2");
    EXPECT_EQ(form->RealATMaxEdit->text(), " -0.5");

    for (const Switch& s : Switches)
        *s.Global = true;
    for (const Choice& c : Choices)
        *c.Global = true;
    ColorSettings[3] = 0x123456;
    IntATMin = 7;
    MessageY = 9;
    form->POM_ResetMenuBtn->click();
    for (const Switch& s : Switches)
        EXPECT_EQ(*s.Global, s.Global == &DoneBellsOption || s.Global == &DoneWhistlesOption ||
                                 s.Offset <= 3514)
            << s.Offset;
    for (const Choice& c : Choices)
        EXPECT_EQ(*c.Global, c.Item == 0) << c.Offset;
    EXPECT_EQ(std::tuple(ColorSettings[3], MessageX, MessageY, IntATMin, IntATMax),
              std::tuple(0u, 123, 123, 0, 255));
    EXPECT_EQ(std::pair(RealATMin, RealATMax), std::pair(0.0, 255.0));
    EXPECT_EQ(form->RealATMaxEdit->text(), "255.0");
    EXPECT_EQ(form->MessageYEdit->text(), "123");
    EXPECT_EQ(form->PO_ToggleRG->checkedId(), 0);
}

TEST_F(OptionsWindow, ReplaceWritesTheChosenColourIntoTheClickedCellsGlobal) {
    auto form = Open();
    auto click = [&form](int column, int row) {
        QTest::mouseClick(form->DrawGrid1, Qt::LeftButton, {},
                          TClassColorGrid::CellCentre(column, row));
    };
    const auto classes = ClassColors;
    const auto ramps = ClassColorRamps;
    const auto settings = ColorSettings;
    click(6, 0);
    EXPECT_EQ(form->PO_TypeEdit->text(), "Color7");
    EXPECT_EQ(form->POD_Edit->text(), "Barren Land");
    form->AcceptColorBtn->click();
    form->CurrentColorBtn->click();
    EXPECT_EQ(std::tuple(ClassColors, ClassColorRamps, ColorSettings),
              std::tuple(classes, ramps, settings));

    Rec->ColorAnswers.push_back(0x0080FF);
    form->POSelectColorsBtn->click();
    EXPECT_EQ(form->ColorValuesPanel->text(), "B:0 G:128 R:255");
    EXPECT_EQ(form->ColorPanel->Color(), 0x0080FFu);
    form->AcceptColorBtn->click();
    EXPECT_EQ(ClassColors[7], 0x0080FFu);
    EXPECT_EQ(ClassColors[6], classes[6]);
    // The edits still show the colour the cell had.
    EXPECT_EQ(form->Edit1->text().toInt(), static_cast<int>(classes[7] & 0xFF));

    click(3, 12);
    EXPECT_EQ(form->PO_TypeEdit->text(), "UDA: 007");
    EXPECT_EQ(form->POD_Edit->text(), "Agricultural");
    form->AcceptColorBtn->click();
    EXPECT_EQ(ClassColorRamps[3][4], 0x0080FFu);

    form->CurrentColorBtn->click();
    EXPECT_EQ(ColorSettings[3], 0x0080FFu);
    EXPECT_EQ(form->CurrentColorPanel->Color(), 0x0080FFu);
    Rec->ColorAnswers.push_back(0x010203);
    QTest::mouseClick(form->CurrentColorPanel, Qt::LeftButton);
    EXPECT_EQ(ColorSettings[3], 0x010203u);

    ColorSettings[0] = 0x777777;
    form->PO_ColorResetBtn->click();
    EXPECT_EQ(std::tuple(ClassColors, ClassColorRamps), std::tuple(classes, ramps));
    EXPECT_EQ(ColorSettings[0], 0x777777u);
    EXPECT_EQ(ColorSettings[3], 0u);
}

TEST_F(OptionsWindow, TheOptionsCommandShowsTheWindowModallyAndItsCloseSavesTheFile) {
    // A place where the whole window lies on the test screen: elsewhere it is moved onto it.
    FormPositions[fpOptions] = {40, 60};
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        auto* window = qobject_cast<TOptionsForm*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        seen = true;
        EXPECT_EQ(window->pos(), QPoint(40, 60));
        EXPECT_EQ(window->windowTitle(), "VORN Program Options");
        window->move(170, 190);
        window->BellsCB->click();
        window->RPOClose->click();
    });
    Form->EO__OptionsClick();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(Form->findChildren<TOptionsForm*>().isEmpty());
    const auto saved = SavedFile();
    ASSERT_EQ(saved.size(), OptionsRecordSize);
    EXPECT_EQ(saved[3518], 1);
    RecordBytes record;
    record.Bytes = saved;
    EXPECT_EQ(std::pair(record.GetI32(2620 + 8 * 3), record.GetI32(2624 + 8 * 3)),
              std::pair(170, 190));
}
