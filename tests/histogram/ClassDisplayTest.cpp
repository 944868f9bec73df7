// The class rule, the class colours, the display toggles and the class display of the working
// image, with pixels and break rows worked out by hand.
#include "histogram/vClassDisplay.h"

#include "histogram/ClassDisplaySupport.h"
#include "histogram/HistogramFixture.h"
#include "histogram/vSeedBreaks.h"
#include "shell/vToolModes.h"

namespace {

// Breaks 10, 20, ..., 80, and 5 where T9 would be (it never decides).
constexpr SeedBreakRow Tens{0, 10, 20, 30, 40, 50, 60, 70, 80, 5};

class ClassDisplay : public HistogramFixture {
  protected:
    void SetUp() override {
        HistogramFixture::SetUp();
        // Class k's own entry is 0x0k0k0k; the default colour 0xDDDDDD.
        for (uint32_t k = 0; k < ClassColors.size(); ++k)
            ClassColors[k] = (k + 1) * 0x010101u;
        ColorSettings[1] = 0xDDDDDD;
        ClassMethodCycleMode = false;
    }
    void TearDown() override {
        ClassMethodCycleMode = false;
        CurrentClassBreaks = {};
        HistogramFixture::TearDown();
    }
    // The work buffer's pixels, rows top first, as red, green, blue.
    static std::vector<Rgb> Work() {
        Picture p;
        p.Resize(ImageMaxX + 1, ImageMaxY + 1);
        BufferToPicture(WorkImageBuffer, ImageRowStride, p);
        std::vector<Rgb> out;
        for (uint32_t px : p.Pixels)
            out.push_back({PixelRed(px), PixelGreen(px), PixelBlue(px)});
        return out;
    }
    static Rgb Grey(int v) { return {v, v, v}; }

    SavedClassDisplayOptions SavedOptions;
};

TEST_F(ClassDisplay, ClassesFollowTheBreaksAndTheFirstPassingTest) {
    // Not ascending: 50, 10, 60, ...
    constexpr SeedBreakRow Mixed{0, 50, 10, 60, 70, 70, 70, 70, 90, 0};
    struct Case {
        const SeedBreakRow& Row;
        int Value, Class;
    };
    for (const Case& c : {Case{Tens, 0, 1},
                          {Tens, 10, 1},
                          {Tens, 11, 2},
                          {Tens, 20, 2},
                          {Tens, 21, 3},
                          {Tens, 80, 8},
                          {Tens, 81, 9},
                          {Tens, 255, 9},
                          {Mixed, 30, 1},
                          {Mixed, 55, 3},
                          {Mixed, 65, 4},
                          {Mixed, 85, 8},
                          {Mixed, 91, 9}})
        EXPECT_EQ(ClassOfValue(c.Row, c.Value), c.Class) << c.Value;
}

TEST_F(ClassDisplay, HistogramBarsStepOneClassAtEachValueAboveTheBreak) {
    // Ascending with T9 = 255: the steps give the class rule's classes.
    SeedBreakRow ascending = Tens;
    ascending[9] = 255;
    const std::array<uint8_t, 256> steps = SteppedClasses(ascending);
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ(steps[static_cast<size_t>(v)], ClassOfValue(ascending, v)) << v;
    // Out of order the steps go on value by value: 51 passes 50, 52 passes 10.
    constexpr SeedBreakRow Mixed{0, 50, 10, 60, 70, 70, 70, 70, 90, 200};
    const std::array<uint8_t, 256> mixed = SteppedClasses(Mixed);
    const std::pair<int, int> expected[] = {{50, 1}, {51, 2},  {52, 3},   {60, 3},  {61, 4},
                                            {71, 5}, {72, 6},  {73, 7},   {74, 8},  {90, 8},
                                            {91, 9}, {200, 9}, {201, 10}, {255, 10}};
    for (const auto& [value, cls] : expected)
        EXPECT_EQ(mixed[static_cast<size_t>(value)], cls) << value;
}

TEST_F(ClassDisplay, TheToggleGroupShowsBgrFirstThenRedGreenBlue) {
    const std::pair<std::array<bool, 4>, int> cases[] = {
        // Blue, green, red, BGR set -> the item shown; none keeps the current item.
        {{true, true, true, true}, ToggleItemBGR},
        {{true, true, true, false}, ToggleItemRed},
        {{true, true, false, false}, ToggleItemGreen},
        {{true, false, false, false}, ToggleItemBlue},
        {{false, false, false, false}, -1}};
    for (const auto& [flags, item] : cases) {
        ToggleBlue = flags[0];
        ToggleGreen = flags[1];
        ToggleRed = flags[2];
        ToggleRGB = flags[3];
        EXPECT_EQ(ClassToggleItemOf(-1), item);
    }
    SelectClassToggle(7);
    EXPECT_FALSE(ToggleBlue || ToggleGreen || ToggleRed || ToggleRGB);
}

TEST_F(ClassDisplay, EachToggleClassifiesItsBandAndBgrNeedsAllThreeToAgree) {
    // Red breaks 10..80; green 20..90 (shifted by 10); blue 5..75 (shifted by -5).
    CurrentClassBreaks[BandRed] = Tens;
    for (int k = 1; k <= 9; ++k) {
        CurrentClassBreaks[BandGreen][static_cast<size_t>(k)] = static_cast<uint8_t>(Tens[k] + 10);
        CurrentClassBreaks[BandBlue][static_cast<size_t>(k)] = static_cast<uint8_t>(Tens[k] - 5);
    }
    // r, g, b chosen so that each band's class differs or agrees on purpose.
    const std::vector<Rgb> pixels{{10, 20, 5},  {11, 21, 6},     {35, 45, 30}, {35, 45, 36},
                                  {81, 91, 76}, {255, 255, 255}, {81, 20, 76}, {0, 0, 200}};
    Load(4, pixels);
    struct Case {
        int Item;
        std::vector<int> Classes; // 0: default colour
    };
    const Case cases[] = {
        {ToggleItemRed, {1, 2, 4, 4, 9, 9, 9, 1}},
        {ToggleItemGreen, {1, 2, 4, 4, 9, 9, 1, 1}},
        {ToggleItemBlue, {1, 2, 4, 5, 9, 9, 9, 9}},
        {ToggleItemBGR, {1, 2, 4, 0, 9, 9, 0, 0}},
    };
    for (const Case& c : cases) {
        CopyImageForProcessing();
        SelectClassToggle(c.Item);
        Rec.Clear();
        ShowClassesDisplay(0);
        std::vector<Rgb> expected;
        for (int cls : c.Classes)
            expected.push_back(cls == 0 ? Grey(0xDD) : Grey(cls == 7 ? 8 : (cls == 8 ? 7 : cls)));
        EXPECT_EQ(Work(), expected) << c.Item;
        EXPECT_EQ(Rec.Gauge.back(), 100);
        // Outside the cycle the caller shows the result.
        EXPECT_EQ(Rec.PictureChanges, 0);
    }
}

TEST_F(ClassDisplay, RedDecidesBeforeTheOtherTogglesAndTheCycleShowsItsResult) {
    CurrentClassBreaks = {Tens, Tens, Tens};
    Load(2, {{15, 200, 200}, {200, 15, 15}});
    ToggleRed = ToggleBlue = ToggleRGB = true;
    ToggleGreen = false;
    ClassMethodCycleMode = true;
    CopyImageForProcessing();
    ShowClassesDisplay(3);
    EXPECT_EQ(Shown(), (std::vector<Rgb>{Grey(2), Grey(9)}));
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
}

TEST_F(ClassDisplay, NoToggleShowsMessage39AndLeavesTheWorkBuffer) {
    Load(2, {{15, 200, 200}, {200, 15, 15}});
    CopyImageForProcessing();
    const std::vector<Rgb> before = Work();
    ToggleRed = ToggleGreen = ToggleBlue = ToggleRGB = false;
    ClassMethodCycleMode = true;
    ShowClassesDisplay(0);
    EXPECT_TRUE(Rec.Shown(39));
    EXPECT_EQ(Work(), before);
    EXPECT_EQ(Rec.PictureChanges, 0);
}

} // namespace
