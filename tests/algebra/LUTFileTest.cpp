#include "algebra/vLUTFile.h"
#include "algebra/vLUTGraph.h"
#include "runtime/RtFiles.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

std::string Golden(const std::string& name) {
    return TestData("lut/") + name;
}

LUTTables Ramps() {
    LUTTables t;
    for (int i = 0; i < 256; ++i) {
        t[0][i] = i;
        t[1][i] = 255 - i;
        t[2][i] = i * 0.5 + 0.25;
    }
    return t;
}

LUTTables Identity() {
    return {IdentityLUT(), IdentityLUT(), IdentityLUT()};
}

TEST(LUTFile, WrittenByteForByteAsTheHandMadeFiles) {
    TempDir dir;
    const struct {
        const char* name;
        LUTTables tables;
    } cases[] = {{"identity.lut", Identity()}, {"ramps.lut", Ramps()}};
    for (const auto& c : cases) {
        WriteLUTFile(dir.File(c.name), c.tables, TReplaceLeave::Chosen(dir.File(c.name)));
        EXPECT_EQ(FileBytes(dir.File(c.name)), FileBytes(Golden(c.name))) << c.name;
        LUTTables read{};
        ASSERT_TRUE(ReadLUTFile(Golden(c.name), read));
        EXPECT_EQ(read, c.tables) << c.name;
    }
}

TEST(LUTFile, RefusedFilesLeaveTheTablesAsTheyWere) {
    RecordingHooks rec;
    TempDir dir;
    const std::vector<uint8_t> good = FileBytes(Golden("ramps.lut"));
    std::vector<uint8_t> nan = good;
    // Record 300 (green entry 43) becomes a NaN.
    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    std::memcpy(&nan[299 * 8], &notANumber, 8);
    std::vector<uint8_t> infinite = good;
    const double inf = std::numeric_limits<double>::infinity();
    std::memcpy(&infinite[767 * 8], &inf, 8);
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    const std::vector<uint8_t> shorter(good.begin(), good.end() - 8);
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        std::string error;   // the run time's error box
        std::string message; // or the file-data error
    } cases[] = {
        {"short.lut", shorter, "Read beyond end of file", ""},
        {"empty.lut", {}, "Read beyond end of file", ""},
        {"long.lut", longer, "", "Error in File data Number: \r\n769\r\n"},
        {"nan.lut", nan, "", "Error in File data Number: \r\n300\r\n"},
        {"inf.lut", infinite, "", "Error in File data Number: \r\n768\r\n"},
        {"missing.lut", {}, "File not found", ""},
    };
    for (const auto& c : cases) {
        const std::string path = dir.File(c.name);
        if (std::string(c.name) != "missing.lut") {
            ASSERT_TRUE(WriteFileAtomic(path, c.bytes, TReplaceLeave::Chosen(path)));
        }
        rec.Clear();
        LUTTables tables = Identity();
        bool read = true;
        const bool ok = RunGuarded([&] { read = ReadLUTFile(path, tables); });
        EXPECT_EQ(tables, Identity()) << c.name;
        if (!c.error.empty()) {
            EXPECT_FALSE(ok) << c.name;
            EXPECT_EQ(rec.ErrorBoxes, std::vector<std::string>{c.error}) << c.name;
        } else {
            EXPECT_FALSE(read) << c.name;
            ASSERT_EQ(rec.Messages.size(), 1u) << c.name;
            EXPECT_EQ(rec.Messages[0].Text, c.message + path) << c.name;
        }
    }
}

TEST(LUTFile, AFailedSaveReportsItAndLeavesTheOldFile) {
    RecordingHooks rec;
    TempDir dir;
    EXPECT_FALSE(RunGuarded([&] {
        WriteLUTFile(dir.File("no/such/x.lut"), Identity(),
                     TReplaceLeave::Chosen(dir.File("no/such/x.lut")));
    }));
    EXPECT_EQ(rec.ErrorBoxes, std::vector<std::string>{"Path not found"});
}

class LUTGraph : public ::testing::Test {
  protected:
    void SetUp() override { ActivateGraph(); }
    void TearDown() override { CloseGraph(); }
    static void Point(int x, int y, int mode = gdAnyLine) {
        RubberPoint = {x, y};
        ApplyRubberPoint(mode);
    }
};

TEST_F(LUTGraph, ActivationStartsEverythingFromTheIdentity) {
    RedLUT[3] = 99;
    LUTFunction = lfGamma;
    GraphFunction = 4;
    ActivateGraph();
    EXPECT_EQ(LUTFunction, lfHandDrawn);
    EXPECT_EQ(GraphFunction, 0);
    EXPECT_EQ(GraphColor, gcAll);
    EXPECT_TRUE(GraphActive);
    EXPECT_EQ((LUTTables{RedLUT, GreenLUT, BlueLUT}), Identity());
    const LUTTable identity = IdentityLUT();
    EXPECT_EQ(GraphCurve, std::vector<double>(identity.begin(), identity.end()));
}

TEST_F(LUTGraph, StepUpKeepsTheCurveRisingAroundThePoint) {
    Point(100, 50, gdStepUp);
    for (int i = 0; i < 256; ++i) {
        const double want = (i > 50 && i <= 100) ? 50 : i;
        EXPECT_EQ(GraphCurve[i], want) << i;
    }
    // Entry 0 is never lowered; points beyond the graph are clamped.
    Point(300, -5, gdStepUp);
    EXPECT_EQ(GraphCurve[0], 0);
    EXPECT_EQ(GraphCurve[1], 0);
    EXPECT_EQ(GraphCurve[255], 0);
    EXPECT_EQ(RubberPoint.X, 255);
    EXPECT_EQ(RubberPoint.Y, 0);
}

TEST_F(LUTGraph, ChoosingAColourStoresTheCurveUnderTheOldOne) {
    Point(10, 200);
    ChooseGraphColor(gcRed);
    for (const LUTTable* t : {&RedLUT, &GreenLUT, &BlueLUT})
        EXPECT_EQ((*t)[10], 200);
    EXPECT_EQ(GraphColor, gcRed);
    EXPECT_EQ(GraphCurve[10], 200);

    Point(20, 0);
    ChooseGraphColor(gcBlue);
    EXPECT_EQ(RedLUT[20], 0);
    EXPECT_EQ(GreenLUT[20], 20);
    EXPECT_EQ(GraphCurve[20], 20);

    Point(30, 1);
    ChooseGraphColor(gcAll);
    EXPECT_EQ(BlueLUT[30], 1);
    EXPECT_EQ(GraphCurve[30], 30);
    EXPECT_EQ(GraphColor, gcAll);
}

TEST_F(LUTGraph, UseFunctionClampsAndShowsTheRedTable) {
    struct Case {
        int32_t shape;
        int entry;
        double expected;
    };
    const Case cases[] = {
        {lfNegative, 0, 255},   {lfNegative, 255, 0},     {lfExponent, 0, 25.5},
        {lfExponent, 255, 255}, {lfGray, 100, 100.00001}, {lfGray, 255, 255},
        {lfSineWave, 255, 255}, {lfGamma, 255, 255},
    };
    for (const Case& c : cases) {
        Point(5, 5);
        GraphColor = gcGreen;
        GraphFunction = c.shape;
        UseGraphFunction();
        for (const LUTTable* t : {&RedLUT, &GreenLUT, &BlueLUT})
            EXPECT_NEAR((*t)[c.entry], c.expected, 1e-9) << c.shape << " entry " << c.entry;
        EXPECT_EQ(GraphColor, gcRed);
        EXPECT_EQ(GraphCurve, std::vector<double>(RedLUT.begin(), RedLUT.end()));
        EXPECT_EQ(LUTFunction, lfHandDrawn);
    }
}

TEST_F(LUTGraph, NothingIsStoredWithoutACurve) {
    CloseGraph();
    RedLUT[1] = 7;
    StoreGraphCurve();
    Point(1, 100);
    EXPECT_EQ(RedLUT[1], 7);
    EXPECT_FALSE(GraphActive);
}

TEST(LUTGraphRows, FarValuesStayNearThePicture) {
    const struct {
        double value;
        int32_t row;
    } cases[] = {{0, 255}, {255, 0}, {127.5, 127}, {1e300, -2}, {-1e300, 257}};
    for (const auto& c : cases)
        EXPECT_EQ(GraphRowOf(c.value), c.row) << c.value;
}

} // namespace
