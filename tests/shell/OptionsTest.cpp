#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class OptionsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        SetOptionsFilePathForTests(Dir.File("Vorn.pof"));
        OptionsRecord = RecordBytes(OptionsRecordSize);
        SetDefaultOptions();
    }
    void TearDown() override { SetOptionsFilePathForTests(""); }

    std::vector<uint8_t> FileBytes() {
        std::vector<uint8_t> b;
        ReadWholeFile(Dir.File("Vorn.pof"), b);
        return b;
    }

    TempDir Dir;
    RecordingHooks Rec;
};

TEST_F(OptionsFile, FirstSaveShowsMessage2AndWritesTheDefaults) {
    SaveOptions();
    ASSERT_EQ(Rec.Messages.size(), 1u);
    EXPECT_TRUE(Rec.Shown(2));
    EXPECT_NE(Rec.Messages[0].Text.find(Dir.Path() + "VORN.pof\r\nDoes NOT Exist"),
              std::string::npos);
    const auto b = FileBytes();
    ASSERT_EQ(b.size(), OptionsRecordSize);
    RecordBytes r;
    r.Bytes = b;
    for (const auto& [offset, value] : {std::pair{2620, 10}, {2624, 10}, {2628, 123}, {3536, 123}})
        EXPECT_EQ(r.GetI32(offset), value) << offset;
    EXPECT_EQ(r.GetU32(2868 + 4 * 1), 0xFFFFFFu);
    EXPECT_EQ(r.GetU32(2900), 0xBF0000u);
    // 3524 clip, 3532 toggle blue.
    for (const auto& [offset, value] : {std::pair{3512, 1}, {3524, 1}, {3532, 1}, {3534, 255}})
        EXPECT_EQ(r.GetU8(offset), value) << offset;
    EXPECT_DOUBLE_EQ(r.GetF64(3568), 255.0);
    for (size_t i = 0; i < 256; ++i)
        ASSERT_EQ(b[i], 0) << i;
    Rec.Clear();
    SaveOptions();
    EXPECT_TRUE(Rec.Messages.empty());
}

TEST_F(OptionsFile, EveryFieldSurvivesARoundTripAndReservedBytesArePreserved) {
    SaveOptions();
    // Reserved and unused areas written by another program come back unchanged.
    auto b = FileBytes();
    for (size_t i = 0; i < 256; ++i)
        b[i] = static_cast<uint8_t>(i * 7 + 1);
    for (size_t i = 2048; i < 2620; ++i)
        b[i] = static_cast<uint8_t>(i);
    b[3535] = 0x5A;
    ASSERT_TRUE(WriteFileAtomic(Dir.File("Vorn.pof"), b));
    LoadOptions();

    ImageDirectory = std::string(255, 'd');
    FilterDirectory = std::string(300, 'f');
    FormPositions[22] = {-5, 777};
    ClassColors[8] = 0x123456;
    ClassColorRamps[2][9] = 0xABCDEF;
    ColorSettings[7] = 0x010203;
    ErrorSpokenOption = true;
    SetThresholdOption = true;
    IntATMin = 17;
    MessageX = 400;
    RoundedATMax = -9;
    ProcessMaxValue = 812.25;
    RealATMin = -1.5;
    SaveOptions();
    const auto first = FileBytes();

    SetDefaultOptions();
    LoadOptions();
    EXPECT_EQ(ImageDirectory, std::string(255, 'd'));
    EXPECT_EQ(FilterDirectory, std::string(255, 'f'));
    EXPECT_EQ(
        std::tuple(FormPositions[22].Left, FormPositions[22].Top, IntATMin, MessageX, RoundedATMax),
        std::tuple(-5, 777, 17, 400, -9));
    EXPECT_EQ(std::tuple(ClassColors[8], ClassColorRamps[2][9], ColorSettings[7]),
              std::tuple(0x123456u, 0xABCDEFu, 0x010203u));
    EXPECT_TRUE(ErrorSpokenOption && SetThresholdOption);
    EXPECT_DOUBLE_EQ(ProcessMaxValue, 812.25);
    EXPECT_DOUBLE_EQ(RealATMin, -1.5);

    SaveOptions();
    const auto second = FileBytes();
    EXPECT_EQ(first, second);
    for (size_t i = 0; i < 256; ++i)
        ASSERT_EQ(second[i], static_cast<uint8_t>(i * 7 + 1));
    for (size_t i = 2048; i < 2620; ++i)
        ASSERT_EQ(second[i], static_cast<uint8_t>(i));
    EXPECT_EQ(second[3535], 0x5A);
}

TEST_F(OptionsFile, ShortOrMissingFileChangesNothing) {
    std::vector<uint8_t> shortFile(3583, 0x11);
    ASSERT_TRUE(WriteFileAtomic(Dir.File("Vorn.pof"), shortFile));
    ImageDirectory = "/keep/";
    MessageX = 55;
    EXPECT_THROW(LoadOptions(), EInOutError);
    EXPECT_EQ(ImageDirectory, "/keep/");
    EXPECT_EQ(MessageX, 55);
    std::remove(Dir.File("Vorn.pof").c_str());
    LoadOptions();
    EXPECT_TRUE(Rec.Shown(39985));
    EXPECT_EQ(MessageX, 55);
}

} // namespace
