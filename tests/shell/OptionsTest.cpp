#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(r.GetI32(2620), 10);
    EXPECT_EQ(r.GetI32(2624), 10);
    EXPECT_EQ(r.GetI32(2628), 123);
    EXPECT_EQ(r.GetI32(3536), 123);
    EXPECT_EQ(r.GetU32(2868 + 4 * 1), 0xFFFFFFu);
    EXPECT_EQ(r.GetU32(2900), 0xBF0000u);
    EXPECT_EQ(r.GetU8(3512), 1);
    EXPECT_EQ(r.GetU8(3524), 1); // clip
    EXPECT_EQ(r.GetU8(3532), 1); // toggle blue
    EXPECT_EQ(r.GetU8(3534), 255);
    EXPECT_DOUBLE_EQ(r.GetF64(3568), 255.0);
    for (size_t i = 0; i < 256; ++i) ASSERT_EQ(b[i], 0) << i;
    Rec.Clear();
    SaveOptions();
    EXPECT_TRUE(Rec.Messages.empty());
}

TEST_F(OptionsFile, ColourRampsFollowTheirRules) {
    const uint32_t group4[16] = {0x00030F, 0x00071F, 0x00102F, 0x00133F, 0x000F4F, 0x001F5F,
                                 0x002F6F, 0x003F7F, 0x004F8F, 0x005F9F, 0x006FAF, 0x007FBF,
                                 0x008FCF, 0x009FDF, 0x00AFEF, 0x00BFFE};
    const uint32_t group6[16] = {0x0F060F, 0x1F0F1F, 0x2F1F2F, 0x3F2F3F, 0x4F3F4F, 0x5F4F5F,
                                 0x6F5F6F, 0x7F6F7F, 0x8F7F8F, 0x9F8F9F, 0xAF9FAF, 0xBFAFBF,
                                 0xCFBFCF, 0xDFCFDF, 0xEFDFEF, 0xFEEFFE};
    for (int j = 0; j < 16; ++j) {
        EXPECT_EQ(ClassColorRamps[4][j], group4[j]) << j;
        EXPECT_EQ(ClassColorRamps[6][j], group6[j]) << j;
    }
    EXPECT_EQ(ClassColorRamps[0][0], 0x0F0000u);
    EXPECT_EQ(ClassColorRamps[0][15], 0xFE0000u);
    EXPECT_EQ(ClassColorRamps[1][15], 0xFEFE00u);
    EXPECT_EQ(ClassColorRamps[3][0], 0x01010Fu);
    EXPECT_EQ(ClassColorRamps[3][1], 0x05051Fu);
    EXPECT_EQ(ClassColorRamps[3][2], 0x0F0F2Fu);
    EXPECT_EQ(ClassColorRamps[3][15], 0xDFDFFEu);
    EXPECT_EQ(ClassColorRamps[5][0], 0x060F06u);
    EXPECT_EQ(ClassColorRamps[5][2], 0x0F2F0Fu);
    EXPECT_EQ(ClassColorRamps[5][15], 0xDFFEDFu);
    EXPECT_EQ(ClassColorRamps[7][15], 0x0000FEu);
    EXPECT_EQ(ClassColorRamps[8][0], 0x0F0F0Fu);
    EXPECT_EQ(ClassColorRamps[8][15], 0xFEFEFEu);
}

TEST_F(OptionsFile, EveryFieldSurvivesARoundTripAndReservedBytesArePreserved) {
    SaveOptions();
    // Reserved and unused areas written by another program come back unchanged.
    auto b = FileBytes();
    for (size_t i = 0; i < 256; ++i) b[i] = static_cast<uint8_t>(i * 7 + 1);
    for (size_t i = 2048; i < 2620; ++i) b[i] = static_cast<uint8_t>(i);
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
    EXPECT_EQ(FormPositions[22].Left, -5);
    EXPECT_EQ(FormPositions[22].Top, 777);
    EXPECT_EQ(ClassColors[8], 0x123456u);
    EXPECT_EQ(ClassColorRamps[2][9], 0xABCDEFu);
    EXPECT_EQ(ColorSettings[7], 0x010203u);
    EXPECT_TRUE(ErrorSpokenOption);
    EXPECT_TRUE(SetThresholdOption);
    EXPECT_EQ(IntATMin, 17);
    EXPECT_EQ(MessageX, 400);
    EXPECT_EQ(RoundedATMax, -9);
    EXPECT_DOUBLE_EQ(ProcessMaxValue, 812.25);
    EXPECT_DOUBLE_EQ(RealATMin, -1.5);

    SaveOptions();
    const auto second = FileBytes();
    EXPECT_EQ(first, second);
    for (size_t i = 0; i < 256; ++i) ASSERT_EQ(second[i], static_cast<uint8_t>(i * 7 + 1));
    for (size_t i = 2048; i < 2620; ++i) ASSERT_EQ(second[i], static_cast<uint8_t>(i));
    EXPECT_EQ(second[3535], 0x5A);
}

TEST_F(OptionsFile, ShortFileIsRefusedAndNothingChanges) {
    std::vector<uint8_t> shortFile(3583, 0x11);
    ASSERT_TRUE(WriteFileAtomic(Dir.File("Vorn.pof"), shortFile));
    ImageDirectory = "/keep/";
    MessageX = 55;
    EXPECT_THROW(LoadOptions(), EInOutError);
    EXPECT_EQ(ImageDirectory, "/keep/");
    EXPECT_EQ(MessageX, 55);
}

TEST_F(OptionsFile, MissingFileShowsMessage39985AndKeepsTheGlobals) {
    MessageX = 77;
    LoadOptions();
    EXPECT_TRUE(Rec.Shown(39985));
    EXPECT_EQ(MessageX, 77);
}

} // namespace
