#include "runtime/RtFiles.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vMarkControls.h"
#include "shell/ui/vOMark.h"
#include "shell/ui/vUEnabler.h"
#include "shell/ui/vXAnnoLO.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

constexpr uint32_t Black = 0x000000, Red = 0x0000FF, Lime = 0x00FF00;

class MarkWindows : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        Form->FormCreate({});
        DisplayedPicture.Resize(80, 70);
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 80; ++x)
                DisplayedPicture.At(x, y) =
                    PackPixel(static_cast<uint8_t>(x + 100), static_cast<uint8_t>(y + 100), 77);
        AllocImageBuffers();
        Form->PictureChanged();
        EnableImageCommands(true);
        EnableObjectMenus(true);
        ImageDirectory = Dir.Path();
        SetImageName(Dir.Path(), "scene.png");
        Original = DisplayedPicture.Pixels;
        Form->show();
        Rec->Clear();
    }
    void TearDown() override {
        ClearToolModes();
        ObjectMarks.Clear();
        TextLabels.Clear();
        GuiStartup::TearDown();
    }

    TObjectMarkForm* Marks() {
        Form->ShowToolForm(tfObjectMark);
        return ObjectMarkForm;
    }
    TLabelObjectsForm* Labels() {
        Form->ShowToolForm(tfLabelObjects);
        return LabelObjectsForm;
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(Form->Image1, Qt::LeftButton, {}, from);
        QTest::mouseMove(Form->Image1, (from + to) / 2);
        QTest::mouseMove(Form->Image1, to);
        QTest::mouseRelease(Form->Image1, Qt::LeftButton, {}, to);
    }
    static uint32_t ColorAt(int x, int y) { return PixelToColor(DisplayedPicture.At(x, y)); }
    uint32_t OriginalAt(int x, int y) const { return PixelToColor(Original[y * 80 + x]); }
    static void SetCorners(TObjectMarkForm* w, const char* l, const char* r, const char* t,
                           const char* b) {
        w->LOX1Edit->setText(l);
        w->LOX2Edit->setText(r);
        w->LOY1Edit->setText(t);
        w->LOY2Edit->setText(b);
    }
    static std::vector<int32_t> Lefts() {
        std::vector<int32_t> out;
        for (size_t i = 0; i < ObjectMarks.InUse(); ++i)
            out.push_back(ObjectMarks.Items[i].Left);
        return out;
    }

    std::vector<uint32_t> Original;
};

} // namespace

TEST_F(MarkWindows, ADraggedMarkStaysOnThePictureAndItsCornersFillTheEdits) {
    TObjectMarkForm* w = Marks();
    w->ObjectRG->button(omBox)->setChecked(true);
    w->FillCB->setChecked(false);
    w->LineColorGridClick(GetColorGridIndex(Red));
    w->PlaceItBtn->click();
    ASSERT_TRUE(ObjectMarkArmed);
    Drag({20, 30}, {50, 60});
    EXPECT_FALSE(ObjectMarkArmed || ObjectMarkDragging);
    EXPECT_EQ(w->LOX1Edit->text() + " " + w->LOY1Edit->text() + " " + w->LOX2Edit->text() + " " +
                  w->LOY2Edit->text(),
              "20 30 50 60");
    // Burnt into the picture, the inside left as it was by the drag's drawings.
    EXPECT_EQ(ColorAt(20, 30), Red);
    EXPECT_EQ(ColorAt(35, 30), Red);
    EXPECT_EQ(ColorAt(35, 45), OriginalAt(35, 45));
    EXPECT_EQ(ColorAt(10, 10), OriginalAt(10, 10));
}

TEST_F(MarkWindows, TypedCornersDrawAtOnceAndUndoWipesThem) {
    TObjectMarkForm* w = Marks();
    w->MousedLocationCB->setChecked(false);
    w->ObjectRG->button(omBox)->setChecked(true);
    w->SolidColorGridClick(GetColorGridIndex(Lime));
    SetCorners(w, "5", "15", "5", "15");
    EXPECT_FALSE(w->ClearAllBtn->isEnabled());
    // While an operation runs its undo copy is not replaced.
    ArriveDuringOperation([&] { w->MakeBtn->click(); });
    EXPECT_FALSE(w->ClearAllBtn->isEnabled());
    EXPECT_FALSE(Rec->UndoEnabled);
    w->MakeBtn->click();
    EXPECT_TRUE(w->ClearAllBtn->isEnabled());
    w->PlaceItBtn->click();
    EXPECT_FALSE(ObjectMarkArmed);
    EXPECT_EQ(ColorAt(5, 5), Black);
    EXPECT_EQ(ColorAt(10, 10), Lime);
    EXPECT_EQ(ColorAt(15, 15), OriginalAt(15, 15));
    w->ClearAllBtn->click();
    EXPECT_EQ(DisplayedPicture.Pixels, Original);
    EXPECT_FALSE(w->ClearAllBtn->isEnabled());
}

TEST_F(MarkWindows, ListCommandsKeepTheIndexRules) {
    TObjectMarkForm* w = Marks();
    for (const char* left : {"1", "2", "3"}) {
        SetCorners(w, left, "11", "7", "11");
        w->Add1toListBtn->click();
    }
    // Each "Add" also stores the controls into the entry that was current.
    EXPECT_EQ(Lefts(), (std::vector<int32_t>{1, 2, 3, 3}));
    // The arrows stop at the last entry; a delete shows entry 0.
    w->UpDown1->setValue(4);
    EXPECT_EQ(w->UpDown1->value(), 3);
    w->UpDown1->setValue(1);
    w->Delete1ListBtn->click();
    EXPECT_EQ(Lefts(), (std::vector<int32_t>{1, 3, 3}));
    EXPECT_EQ(w->LOX1Edit->text(), "1");

    // A coordinate that is not a whole number stops the command; what was read before it stays.
    SetCorners(w, "40", "abc", "7", "11");
    w->Add1toListBtn->click();
    ASSERT_EQ(Rec->ErrorBoxes, std::vector<std::string>{"'abc' is not a valid integer value"});
    EXPECT_EQ(ObjectMarks.Items[0].Left, 40);
    EXPECT_EQ(ObjectMarks.Items[0].Right, 11);
    EXPECT_EQ(ObjectMarks.Last, 2);
}

TEST_F(MarkWindows, ObjectFilesThroughTheDialogs) {
    TObjectMarkForm* w = Marks();
    SetCorners(w, "3", "9", "4", "8");
    w->Add1toListBtn->click();
    Rec->FileAnswers = {Dir.File("two.rof")};
    w->SaveListBtn->click();
    ASSERT_EQ(Rec->FileRequests.size(), 1u);
    EXPECT_EQ(Rec->FileRequests[0].Filter, "Raster Object File (*.rof)|*.rof");
    EXPECT_EQ(Rec->FileRequests[0].FileName, Dir.File("scene.rof"));
    EXPECT_EQ(FileSizeOf(Dir.File("two.rof")), 64);
    EXPECT_EQ(ObjectFileName, Dir.File("two.rof"));

    // A tail shorter than a record is not read: one mark and a byte give the mark.
    std::string tailed = FileText(Dir.File("two.rof")).substr(32);
    tailed += 'x';
    ASSERT_TRUE(WriteFileAtomic(Dir.File("tailed.rof"), tailed,
                                TReplaceLeave::Chosen(Dir.File("tailed.rof"))));
    ASSERT_TRUE(WriteFileAtomic(Dir.File("empty.rof"), std::string(),
                                TReplaceLeave::Chosen(Dir.File("empty.rof"))));
    const struct {
        const char* Answer;
        const char* Error;
        int32_t Last;
    } cases[] = {{"", nullptr, 1},
                 {"missing.rof", "File not found", 1},
                 {"tailed.rof", nullptr, 0},
                 {"empty.rof", nullptr, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Answer);
        Rec->Clear();
        Rec->FileAnswers = {*c.Answer ? Dir.File(c.Answer) : std::string()};
        w->LoadListBtn->click();
        EXPECT_EQ(Rec->ErrorBoxes.size(), c.Error ? 1u : 0u);
        if (c.Error && !Rec->ErrorBoxes.empty()) EXPECT_EQ(Rec->ErrorBoxes[0], c.Error);
        EXPECT_EQ(ObjectMarks.Last, c.Last);
        if (c.Last == 0) EXPECT_EQ(w->LOX1Edit->text(), "3");
    }
    // An empty list draws nothing and cannot move.
    w->OverlayListBtn->click();
    EXPECT_EQ(DisplayedPicture.Pixels, Original);
    w->UpDown1->setValue(1);
    EXPECT_EQ(w->UpDown1->value(), 0);
}

TEST_F(MarkWindows, AClickPlacesTheCurrentLabelThere) {
    TLabelObjectsForm* w = Labels();
    ASSERT_EQ(TextLabels.InUse(), 1u);
    EXPECT_EQ(TextLabels.Items[0].Text, "LOTA Text");
    w->ColorGrid1Click(GetColorGridIndex(Lime), Qt::RightButton);
    w->LOTEdit->setText(QString(300, 'x'));
    w->PlaceBtn->click();
    ASSERT_TRUE(LabelPlaceArmed);
    QTest::mousePress(Form->Image1, Qt::LeftButton, {}, QPoint(30, 40));
    QTest::mouseRelease(Form->Image1, Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_FALSE(LabelPlaceArmed);
    EXPECT_EQ(w->LOXEdit->text() + " " + w->LOYEdit->text(), "30 40");
    const TextLabelRecord& r = TextLabels.Items[0];
    EXPECT_EQ(std::pair(r.X, r.Y), std::pair(30, 40));
    EXPECT_EQ(r.Text.size(), TextLabelMaxLength);
    EXPECT_EQ(r.BackColor, Lime);
    EXPECT_EQ(ColorAt(30, 40), Lime);
    EXPECT_EQ(ColorAt(29, 40), OriginalAt(29, 40));
}

TEST_F(MarkWindows, EachRotationStepDrawsTheLabelAgain) {
    TLabelObjectsForm* w = Labels();
    w->MousedLocationCB->setChecked(false);
    w->RotatedCB->setChecked(true);
    w->LOXEdit->setText("40");
    w->LOYEdit->setText("60");
    // The step shows the stored record again before drawing it: the place must be stored.
    w->PlaceBtn->click();
    DisplayedPicture.Pixels = Original;
    w->UpDown2->setValue(90);
    EXPECT_EQ(TextLabels.Items[0].Angle, 90);
    EXPECT_EQ(w->Label2->text(), "90");
    EXPECT_EQ(w->LORAEdit->text(), "90");
    // Upwards from (40, 60): the rows below stay, those above changed.
    EXPECT_NE(DisplayedPicture.Pixels, Original);
    for (int x = 0; x < 80; ++x)
        EXPECT_EQ(ColorAt(x, 65), OriginalAt(x, 65));
    EXPECT_NE(ColorAt(41, 55), OriginalAt(41, 55));
}

TEST_F(MarkWindows, TheAngleArrowsStepFromTheAngleShown) {
    TLabelObjectsForm* w = Labels();
    w->MousedLocationCB->setChecked(false);
    // Two labels: "Hello" at 90 degrees, then one at 0.
    Rec->FileAnswers = {TestData("labels.raf")};
    w->LoadListBtn->click();
    ASSERT_EQ(TextLabels.InUse(), 2u);
    EXPECT_EQ(w->LORAEdit->text(), "90");
    EXPECT_EQ(w->UpDown2->value(), 90);
    EXPECT_EQ(w->Label2->text(), "90");
    // Showing a label sets the arrows without drawing it.
    EXPECT_EQ(DisplayedPicture.Pixels, Original);
    w->UpDown2->stepUp();
    EXPECT_EQ(TextLabels.Items[0].Angle, 91);
    EXPECT_EQ(w->LORAEdit->text(), "91");
    EXPECT_NE(DisplayedPicture.Pixels, Original);

    w->UpDown1->setValue(1);
    EXPECT_EQ(w->UpDown2->value(), 0);
    EXPECT_EQ(w->Label2->text(), "0");
    // An angle typed into the edit is where the arrows go on from.
    w->LORAEdit->clear();
    QTest::keyClicks(w->LORAEdit, "45");
    EXPECT_EQ(w->UpDown2->value(), 45);
    w->UpDown2->stepDown();
    EXPECT_EQ(TextLabels.Items[1].Angle, 44);
    EXPECT_EQ(w->Label2->text(), "44");
}

// Text in a font as pixels, to tell faces apart.
QImage Rendered(const QFont& font) {
    QImage image(240, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(4, 36, "HHgg Wm");
    return image;
}

// The face the font dialog gives, weight and width included, is the one the edit shows and the
// labels are drawn in: a lighter or narrower face of a family is not its plain or bold one.
TEST_F(MarkWindows, EveryFaceOfAFamilyIsDrawnAsChosen) {
    TLabelObjectsForm* w = Labels();
    w->MousedLocationCB->setChecked(false);
    w->LOTEdit->setText("HHgg Wm");
    w->LOXEdit->setText("1");
    w->LOYEdit->setText("1");
    const char* styles[] = {"Book", "ExtraLight", "Bold", "Condensed Bold", "Condensed Oblique"};
    std::vector<std::vector<uint32_t>> drawn;
    for (const char* style : styles) {
        SCOPED_TRACE(style);
        const QFont chosen = QFontDatabase::font("DejaVu Sans", style, 14);
        ASSERT_EQ(QFontInfo(chosen).styleName().toStdString(), style);
        Hooks.ChooseFont = [&chosen](FontChoice& f) {
            f = ChoiceOfFont(chosen);
            return true;
        };
        w->LOFontBtn->click();
        EXPECT_EQ(QFontInfo(w->LOTEdit->font()).styleName().toStdString(), style);
        EXPECT_TRUE(Rendered(w->LOTEdit->font()) == Rendered(chosen));
        DisplayedPicture.Pixels = Original;
        w->PlaceBtn->click();
        drawn.push_back(DisplayedPicture.Pixels);
    }
    for (size_t a = 0; a < drawn.size(); ++a)
        for (size_t b = a + 1; b < drawn.size(); ++b)
            EXPECT_NE(drawn[a], drawn[b]) << styles[a] << " and " << styles[b];
}

// A label keeps one byte a character: text beyond that is said to be lost when the label is
// made, once for the same text, and Latin-1 text is kept without a word.
TEST_F(MarkWindows, ALabelTextTheFileCannotKeepIsSaidToBeLost) {
    TLabelObjectsForm* w = Labels();
    w->MousedLocationCB->setChecked(false);
    const struct {
        const char* Text;
        const char* Kept;
        bool Told;
    } cases[] = {{"Olinda", "Olinda", false},
                 {"Zo\u00EB \u00E9t\u00E9", "Zo\xEB \xE9t\xE9", false},
                 {"\u0428\u0440\u0438\u0444\u0442", "?????", true},
                 {"\u0428\u0440\u0438\u0444\u0442", "?????", false},
                 {"\u5B57\u4F53 ok", "?? ok", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        Rec->Clear();
        w->LOTEdit->setText(QString::fromUtf8(c.Text));
        w->PlaceBtn->click();
        EXPECT_EQ(TextLabels.CurrentItem().Text, c.Kept);
        EXPECT_EQ(Rec->Messages.size(), c.Told ? 1u : 0u) << Rec->Summary();
        if (c.Told && !Rec->Messages.empty()) {
            EXPECT_EQ(Rec->Messages[0].Text, LabelTextNotKept);
            EXPECT_EQ(Rec->Messages[0].Kind, MsgKind::Warning);
        }
    }
}

// The font dialog's whole answer reaches the edit and the labels drawn with it: a struck-out
// face draws its line through the text, and a face named outside Latin-1 keeps its name.
TEST_F(MarkWindows, TheChosenLabelFontIsTakenWhole) {
    TLabelObjectsForm* w = Labels();
    w->MousedLocationCB->setChecked(false);
    w->LOTEdit->setText("HHHH");
    w->LOXEdit->setText("2");
    w->LOYEdit->setText("2");
    std::vector<FontChoice> offered;
    FontChoice answer;
    Hooks.ChooseFont = [&](FontChoice& f) {
        offered.push_back(f);
        f = answer;
        return true;
    };
    const struct {
        const char* Name;
        bool Strikeout;
    } cases[] = {{"DejaVu Sans", true}, {"DejaVu Sans", false}, {"Шрифт 字体", true}};
    std::vector<std::vector<uint32_t>> drawn;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        answer.Name = c.Name;
        answer.Size = 14;
        answer.Strikeout = c.Strikeout;
        w->LOFontBtn->click();
        EXPECT_EQ(w->LOTEdit->font().family(), QString::fromUtf8(c.Name));
        EXPECT_EQ(w->LOTEdit->font().strikeOut(), c.Strikeout);
        DisplayedPicture.Pixels = Original;
        w->PlaceBtn->click();
        drawn.push_back(DisplayedPicture.Pixels);
    }
    // The dialog opens on the font the edit has.
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_TRUE(offered[1].Strikeout);
    EXPECT_EQ(offered[2].Name, "DejaVu Sans");
    EXPECT_NE(drawn[0], drawn[1]);
}
