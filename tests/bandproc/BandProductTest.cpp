#include "bandproc/vBandFiles.h"
#include "bandproc/vUPrepare.h"
#include "runtime/RtErrors.h"

#include "BandFixture.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>

namespace {

TEST(BandProductByte, ClampsBeforeRoundingHalvesToEvenAndZeroesNonNumbers) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double v;
        int byte;
    } cases[] = {{255.5, 255}, {-0.4, 0},    {2.5, 2},          {3.5, 4}, {254.5, 254},
                 {0.5, 0},     {1e300, 255}, {std::nan(""), 0}, {inf, 0}, {-inf, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ProductByte(c.v), c.byte) << c.v;
}

using BandFrameTest = BandTest;

TEST_F(BandFrameTest, GaugeCountsRowsDoneOverTheHeightWhateverTheTopRow) {
    Subset(3, 10, 2, 4);
    Band("in.raw", Bytes(8, 7));
    ASSERT_TRUE(SingleBandMath(2, 1, "in.raw", "out"));
    EXPECT_EQ(Rec.BandGauge, (std::vector<int>{1, 25, 50, 75, 100, 0}));
    EXPECT_EQ(Rec.BandHints, std::vector<std::string>{"Processing Band 1"});
    EXPECT_EQ(Product("out.psa"), Bytes(8, 8));
}

TEST_F(BandFrameTest, SubsetSizesBeyondReasonAreRefusedBeforeAnyFile) {
    Band("in.raw", Bytes(4, 1));
    const TSubsetBounds bad[] = {{5, 4, 0, 0},
                                 {0, 0, 3, 1},
                                 {0, 2000000, 0, 0},
                                 {-2147483647 - 1, 2147483647, 0, 0},
                                 {0, 999999, 0, 999999}};
    for (const auto& b : bad) {
        Rec.Clear();
        SubsetBounds = b;
        EXPECT_FALSE(SingleBandMath(2, 1, "in.raw", "out"));
        EXPECT_TRUE(Rec.Shown(36)) << Rec.Summary();
        EXPECT_FALSE(Exists("out.psa"));
        EXPECT_TRUE(Rec.BandHints.empty());
    }
}

// A reader asked for rows of no bytes refuses them: it counted the rows by dividing by zero.
TEST_F(BandFrameTest, ReaderRefusesRowsOfNoBytes) {
    Band("in.raw", Bytes(4, 1));
    for (int64_t rows : {0, 1})
        EXPECT_THROW(TBandReader(Dir.File("in.raw"), 0, rows), EInOutError) << rows;
}

TEST_F(BandFrameTest, ShortInputFailsBeforeAnyProductAndKeepsTheOldOne) {
    Subset(0, 0, 4, 3);
    Band("in.raw", Bytes(11, 1));
    Band("out.psa", Bytes{9, 9});
    Rec.MessageAnswers = {MsgButton::Yes};
    try {
        SingleBandMath(2, 1, "in.raw", "out");
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
    EXPECT_EQ(Product("out.psa"), (Bytes{9, 9}));
    EXPECT_EQ(Rec.BandGauge.back(), 0);
}

// A run replaces a file of its product's name unasked only when a run wrote it and nobody has
// changed it since; any other file is asked about first, and No keeps it. A run used to replace
// another scene's file of that name without a word.
TEST_F(BandFrameTest, AProductOverAFileNoRunWroteIsAskedAbout) {
    Subset(0, 0, 2, 1);
    Band("in.raw", Bytes{1, 2});
    Band("out.psa", Bytes{9, 9});
    const struct {
        const char* Name;
        MsgButton Answer;
        bool Asked;
        Bytes After;
    } rows[] = {
        {"another file, kept", MsgButton::No, true, {9, 9}},
        {"another file, replaced", MsgButton::Yes, true, {2, 3}},
        {"the product the last run wrote", MsgButton::No, false, {2, 3}},
    };
    for (const auto& row : rows) {
        Rec.Clear();
        Rec.MessageAnswers = {row.Answer};
        EXPECT_EQ(SingleBandMath(2, 1, "in.raw", "out"), row.Answer == MsgButton::Yes || !row.Asked)
            << row.Name;
        EXPECT_EQ(Rec.Messages.size(), row.Asked ? 1u : 0u) << row.Name << Rec.Summary();
        EXPECT_EQ(Product("out.psa"), row.After) << row.Name;
    }
    // Changed by another program since: asked again.
    Band("out.psa", Bytes{5, 5});
    Rec.Clear();
    EXPECT_FALSE(SingleBandMath(2, 1, "in.raw", "out"));
    EXPECT_EQ(Rec.Messages.size(), 1u);
    EXPECT_EQ(Product("out.psa"), (Bytes{5, 5}));
}

// Every product routine, given an empty name, would write files named by their extensions
// alone; each refuses before it opens anything.
TEST_F(BandFrameTest, EmptyProductNameIsRefusedBeforeAnyFile) {
    Subset(0, 0, 2, 2);
    for (int slot = 0; slot < 8; ++slot)
        Band("b" + std::to_string(slot) + ".raw", Bytes{10, 20, 30, 40}, slot);
    TVegetationParams vi;
    std::vector<std::string> listed;
    std::string combined;
    const std::pair<const char*, std::function<bool()>> runs[] = {
        {"add", [] { return SingleBandMath(2, 1, "b0.raw", ""); }},
        {"fill", [] { return FillEveryLine(2, "b0.raw", ""); }},
        {"average", [] { return AverageEveryLine(2, "b0.raw", ""); }},
        {"sizer", [] { return PixelSizer(2, "b0.raw", ""); }},
        {"algebra", [] { return MultiBandFileAlgebra(0, false, 0, 1, ""); }},
        {"index AB", [&] { return VegetationIndexAB(1, vi); }},
        {"index ABCD", [&] { return VegetationIndexABCD(vi); }},
        {"index root", [&] { return VegetationIndexRoot(vi); }},
        {"tasselled cap", [] { return TasselledCapBands(TasselledCapSet::SixBands, {}, ""); }},
        {"exchange", [] { return RGBHSVExchange(""); }},
        {"combine", [&] { return CombineTwoVertical({}, listed, combined); }},
    };
    for (const auto& [name, run] : runs) {
        Rec.Clear();
        EXPECT_FALSE(run()) << name;
        EXPECT_TRUE(Rec.Shown(39993)) << name << Rec.Summary();
        size_t files = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(Dir.Path()))
            ++files;
        EXPECT_EQ(files, 8u) << name;
    }
    EXPECT_TRUE(listed.empty());
}

using SingleBandTest = BandTest;

TEST_F(SingleBandTest, ArithmeticClampsEverySampleOfAOneColumnBand) {
    const struct {
        int op;
        int32_t value;
        Bytes in, out;
    } cases[] = {
        {2, 10, {250, 0, 5}, {255, 10, 15}},
        {2, -20, {10, 30, 255}, {0, 10, 235}},
        {3, 10, {5, 10, 200}, {0, 0, 190}},
        {4, 3, {100, 85, 0}, {255, 255, 0}},
        {4, 2147483647, {1, 0, 255}, {255, 0, 255}},
        {4, -1, {1, 0, 255}, {0, 0, 0}},
        {5, 2, {7, 255, 1}, {3, 127, 0}},
        {5, -2, {7, 255, 1}, {0, 0, 0}},
    };
    Subset(4, 0, 1, 3);
    for (const auto& c : cases) {
        Band("one.raw", c.in);
        ASSERT_TRUE(SingleBandMath(c.op, c.value, "one.raw", "p"));
        static const char* ext[] = {"", "", "p.psa", "p.pss", "p.psm", "p.psd"};
        EXPECT_EQ(Product(ext[c.op]), c.out) << c.op << " " << c.value;
    }
}

// 0 is a number: the refusal names the division it would make, not the number's text.
TEST_F(SingleBandTest, ZeroDivisorOrIntervalIsRefusedAsADivisionByZero) {
    Subset(0, 0, 1, 3);
    Band("one.raw", Bytes{1, 2, 3});
    const std::function<bool()> runs[] = {[] { return SingleBandMath(5, 0, "one.raw", "p"); },
                                          [] { return FillEveryLine(0, "one.raw", "p"); },
                                          [] { return AverageEveryLine(0, "one.raw", "p"); }};
    for (const auto& run : runs) {
        try {
            run();
            ADD_FAILURE() << "no error";
        } catch (const EDivByZero& e) {
            EXPECT_STREQ(e.what(), "Division by zero");
        }
    }
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    EXPECT_FALSE(Exists("p.psd") || Exists("p.psf") || Exists("p.psv"));
}

TEST_F(SingleBandTest, LineRepairReplacesRowsWhoseNumberPlusOneIsAMultiple) {
    // A one-column band: each byte is one row.
    const struct {
        bool fill;
        int32_t n;
        int32_t top;
        Bytes in, out;
    } cases[] = {
        {true, 1, 0, {10, 99, 30, 11, 12}, {10, 20, 55, 21, 12}},
        {true, 5, 0, {1, 2, 3, 4, 50, 6, 7}, {1, 2, 3, 4, 5, 6, 7}},
        {true, 5, 0, {0, 0, 0, 10, 99, 11, 0}, {0, 0, 0, 10, 10, 11, 0}},
        {true, 3, 1, {1, 10, 99, 30, 5}, {1, 50, 99, 30, 5}},
        {true, -3, 1, {1, 10, 99, 30, 5}, {1, 50, 99, 30, 5}},
        {true, 9, 0, {1, 200, 3}, {1, 200, 3}},
        {false, 1, 0, {10, 11, 13, 13}, {10, 11, 12, 13}},
        {false, 2, 0, {10, 11, 13, 200, 0}, {10, 11, 13, 71, 0}},
        {false, 2, 0, {10, 11, 13, 200}, {10, 11, 13, 200}},
        {false, 1, 0, {7}, {7}},
        {false, 1, 0, {7, 8}, {7, 8}},
    };
    for (const auto& c : cases) {
        Subset(0, c.top, 1, static_cast<int64_t>(c.in.size()));
        Band("one.raw", c.in);
        if (c.fill)
            ASSERT_TRUE(FillEveryLine(c.n, "one.raw", "p"));
        else
            ASSERT_TRUE(AverageEveryLine(c.n, "one.raw", "p"));
        EXPECT_EQ(Product(c.fill ? "p.psf" : "p.psv"), c.out)
            << c.fill << " n=" << c.n << " top=" << c.top;
    }
}

TEST_F(SingleBandTest, PixelSizerKeepsSamplesOnTheAbsoluteGridOrRepeatsThem) {
    Band("ramp.raw", FileBytes(BandData("bands/ramp5x3.raw")));
    Subset(0, 0, 5, 3);
    ASSERT_TRUE(PixelSizer(2, "ramp.raw", "big"));
    EXPECT_EQ(Product("big.pps"), FileBytes(BandData("bands/ramp5x3-2x2.pps")));
    EXPECT_EQ(Rec.BandHints.back(), "Processing pixel Band");

    const struct {
        int mode;
        int32_t left, top;
        Bytes out;
    } cases[] = {
        {0, 0, 0, {1, 3, 11, 13}}, {0, 1, 1, {7, 9}}, {1, 0, 0, {1}}, {1, 1, 2, {8}}, {3, 0, 0, {}},
    };
    for (const auto& c : cases) {
        Subset(c.left, c.top, 5, 3);
        ASSERT_TRUE(PixelSizer(c.mode, "ramp.raw", "p"));
        if (c.mode == 3)
            EXPECT_EQ(Product("p.pps").size(), 15u * 9u);
        else
            EXPECT_EQ(Product("p.pps"), c.out) << c.mode << " " << c.left << " " << c.top;
    }
    // A band of one-sample rows: the scene's own size, as a run reads no other.
    Band("column.raw", Bytes{1, 6, 11});
    Subset(0, 0, 1, 3);
    ASSERT_TRUE(PixelSizer(0, "column.raw", "p"));
    EXPECT_TRUE(Product("p.pps").empty());
}

using MultiBandTest = BandTest;

TEST_F(MultiBandTest, BandAlgebraClampsOrSpreadsItsResults) {
    Subset(0, 0, 3, 1);
    Band("a.raw", Bytes{200, 0, 250}, 3);
    Band("b.raw", Bytes{100, 0, 120}, 2);
    const struct {
        int op;
        bool autoRange;
        int a, b;
        const char* name;
        Bytes out;
    } cases[] = {
        {0, false, 3, 2, "x.pfa", {255, 0, 255}}, {1, false, 3, 2, "x.pfs", {100, 0, 130}},
        {1, false, 2, 3, "x.pfs", {0, 0, 0}},     {2, false, 3, 2, "x.pfm", {255, 0, 255}},
        {3, false, 3, 2, "x.pfd", {2, 0, 2}},     {2, true, 3, 2, "x.pfm", {170, 0, 255}},
        {1, true, 3, 2, "x.pfs", {196, 0, 255}},  {3, true, 3, 2, "x.pfd", {255, 0, 255}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(MultiBandFileAlgebra(c.op, c.autoRange, c.a, c.b, "x"));
        EXPECT_EQ(Product(c.name), c.out) << c.op << " " << c.autoRange;
    }
    EXPECT_EQ(Rec.BandHints.back(), "Processing MBFA");
}

TEST_F(MultiBandTest, AutorangeStartsFromMinimum255AndMaximum0) {
    const struct {
        int op;
        Bytes a, b, out;
    } cases[] = {
        // 40000 and 60000: the range runs from 255, not from 40000.
        {2, {200, 250}, {200, 240}, {170, 255}},
        // -6 and -10: the range ends at 0.
        {1, {4, 0}, {10, 10}, {102, 0}},
        // One value throughout has no range.
        {3, {9, 9}, {3, 3}, {0, 0}},
    };
    Subset(0, 0, 2, 1);
    for (const auto& c : cases) {
        Band("a.raw", c.a, 0);
        Band("b.raw", c.b, 1);
        ASSERT_TRUE(MultiBandFileAlgebra(c.op, true, 0, 1, "x"));
        static const char* names[] = {"x.pfa", "x.pfs", "x.pfm", "x.pfd"};
        EXPECT_EQ(Product(names[c.op]), c.out) << c.op;
    }
}

TEST_F(MultiBandTest, VegetationIndicesOverHandComputedPixels) {
    Subset(0, 0, 3, 1);
    Band("a.raw", Bytes{200, 100, 0}, 0);
    Band("b.raw", Bytes{50, 200, 0}, 1);
    Band("c.raw", Bytes{10, 20, 30}, 2);
    Band("d.raw", Bytes{1, 2, 3}, 3);
    TVegetationParams p;
    p.FileEdit = "vi.pvi";
    p.V = {1.5, 2, 1, 1, 0.25, 0.1};
    // 0.6, -1/3 and 0 / 0.
    EXPECT_TRUE(VegetationIndexAB(1, p));
    EXPECT_EQ(Product("vi.pv1"), (Bytes{1, 0, 0}));
    EXPECT_TRUE(VegetationIndexAB(2, p));
    EXPECT_EQ(Product("vi.pv2"), (Bytes{250, 0, 0}));
    // sqrt((1.5A - 2B)^2 + (A - B)^2): 200 and 150 give 250.
    EXPECT_TRUE(VegetationIndexAB(3, p));
    EXPECT_EQ(Product("vi.pv3"), (Bytes{250, 255, 0}));
    // sqrt((1.5 - 2A + B)^2 + (1 + 0.25A - 0.1B)^2): 1.5 and 6 give 6.18, 1.5 and 1 give 1.8.
    EXPECT_TRUE(VegetationIndexAB(4, p));
    EXPECT_EQ(Product("vi.pv4"), (Bytes{255, 6, 2}));
    EXPECT_TRUE(VegetationIndexABCD(p));
    EXPECT_EQ(Product("vi.pv5"), (Bytes{255, 255, 33}));
    p.V[0] = -100;
    EXPECT_TRUE(VegetationIndexRoot(p));
    EXPECT_EQ(Product("vi.pv6"), (Bytes{10, 0, 0}));
    // 0 / 0 counts as 0 in the range -1/3 .. 0.6: 91.07.
    p.AutoRange = true;
    EXPECT_TRUE(VegetationIndexAB(1, p));
    EXPECT_EQ(Product("vi.pv1"), (Bytes{255, 0, 91}));
    EXPECT_EQ(Rec.BandHints.back(), "Processing VIP");
}

TEST_F(MultiBandTest, TasselledCapReadsOnlyTheBandsOfTheChosenSet) {
    Subset(0, 0, 2, 1);
    // Slot of bands 1, 2, 3, 4, 5, 7 with their two pixels.
    const int slots[] = {0, 1, 2, 3, 4, 7};
    for (int i = 0; i < 6; ++i)
        Band("b" + std::to_string(i) + ".raw",
             Bytes{static_cast<uint8_t>(10 * (i + 1)), static_cast<uint8_t>(100)}, slots[i]);
    std::array<double, 24> c{};
    for (int col = 0; col < 6; ++col) {
        c[col] = 1.0;                    // SBI: the sum
        c[6 + col] = col == 3 ? 1 : 0;   // GVI: band 4
        c[12 + col] = col == 0 ? 1 : 0;  // YVI: band 1, unused by the four-band set
        c[18 + col] = col == 5 ? -1 : 0; // NSI: minus band 7
    }
    ASSERT_TRUE(TasselledCapBands(TasselledCapSet::SixBands, c, "kt"));
    const Bytes six[] = {{210, 255}, {40, 100}, {10, 100}, {0, 0}};
    const char* names[] = {"kt.pts", "kt.ptg", "kt.pty", "kt.ptn"};
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(Product(names[p]), six[p]) << names[p];

    SelectedBandFiles[0] = SelectedBandFiles[7] = "";
    ASSERT_TRUE(TasselledCapBands(TasselledCapSet::FourBands, c, "kt"));
    const Bytes four[] = {{140, 255}, {40, 100}, {0, 0}, {0, 0}};
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(Product(names[p]), four[p]) << names[p];
    EXPECT_THROW(TasselledCapBands(TasselledCapSet::SixBands, c, "none"), EInOutError);
    EXPECT_FALSE(Exists("none.pts"));
}

TEST_F(MultiBandTest, HueSaturationValueOfTheBandColours) {
    const struct {
        double r, g, b, h, s, v;
    } cases[] = {
        {0, 0, 0, 0, 0, 0},         {90, 90, 90, 0, 0, 90},     {255, 0, 0, 0, 1, 255},
        {0, 255, 0, 120, 1, 255},   {0, 0, 255, 240, 1, 255},   {255, 255, 0, 60, 1, 255},
        {255, 0, 255, 300, 1, 255}, {0, 255, 255, 180, 1, 255}, {200, 100, 150, 330, 0.5, 200},
    };
    for (const auto& c : cases) {
        double h, s, v, r, g, b;
        BandRGBtoHSV(c.r, c.g, c.b, h, s, v);
        EXPECT_DOUBLE_EQ(h, c.h) << c.r << " " << c.g << " " << c.b;
        EXPECT_DOUBLE_EQ(s, c.s);
        EXPECT_DOUBLE_EQ(v, c.v);
        BandHSVtoRGB(h, s, v, r, g, b);
        EXPECT_NEAR(r, c.r, 1e-9);
        EXPECT_NEAR(g, c.g, 1e-9);
        EXPECT_NEAR(b, c.b, 1e-9);
    }
}

TEST_F(MultiBandTest, ColourExchangePutsBandFourInPlaceOfTheValue) {
    Subset(0, 0, 3, 1);
    Band("r.raw", Bytes{90, 255, 200}, 0);
    Band("g.raw", Bytes{90, 0, 100}, 1);
    Band("b.raw", Bytes{90, 0, 150}, 2);
    Band("x.raw", Bytes{17, 128, 100}, 3);
    ASSERT_TRUE(RGBHSVExchange("ex"));
    EXPECT_EQ(Product("ex.prr"), (Bytes{17, 128, 100}));
    EXPECT_EQ(Product("ex.prg"), (Bytes{17, 0, 50}));
    EXPECT_EQ(Product("ex.prb"), (Bytes{17, 0, 75}));
    EXPECT_EQ(Rec.BandHints.back(), "Processing RGB - HSV - RGB");
}

} // namespace
