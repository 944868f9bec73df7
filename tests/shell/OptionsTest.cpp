#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The options file a first start writes with the program in /opt/vorn/, composed by hand from
// the record's layout (tests/data/first-run-pof.py).
std::vector<uint8_t> FirstRunGolden() {
    return FileBytes(TestData("first-run-Vorn.pof"));
}

std::string* const Directories[] = {&ProgramDirectory, &WorkingFolderText(ImageDirectory),
                                    &FilterDirectory,  &DEMDirectory,
                                    &VectorsDirectory, &VDatabaseDirectory,
                                    &StorageDirectory};

// The Boolean fields by offset, 3512 to 3532 in turn.
// clang-format off
bool* const Flags[] = {
    &OpenPreviewOption, &SavePreviewOption, &DisplayConvert32Option, &StartFlagOption,
    &DoneNotificationOption, &DoneSpokenOption, &DoneBellsOption, &DoneWhistlesOption,
    &ErrorBeepOption, &ErrorSpokenOption, &AutoRangeOption, &BelowZeroOption, &ClipOption,
    &Scale0To255Option, &AbsoluteValuesOption, &SetAbsoluteOption, &SetThresholdOption, &ToggleRGB,
    &ToggleRed, &ToggleGreen, &ToggleBlue};
// clang-format on

class OptionsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        SetOptionsFilePathForTests(Dir.File("Vorn.pof"));
        OptionsRecord = RecordBytes(OptionsRecordSize);
        SetDefaultOptions();
    }
    void TearDown() override { SetOptionsFilePathForTests(""); }

    std::vector<uint8_t> FileBytes() { return ::FileBytes(Dir.File("Vorn.pof")); }

    TempDir Dir;
    RecordingHooks Rec;
};

TEST_F(OptionsFile, FirstRunWritesTheDefaultsByteForByteAfterMessage2) {
    for (const std::string* dir : Directories)
        EXPECT_EQ(*dir, ExecutableDirectory());
    for (std::string* dir : Directories)
        *dir = "/opt/vorn/";
    SaveOptions();
    ASSERT_EQ(Rec.Messages.size(), 1u);
    EXPECT_NE(Rec.Messages[0].Text.find(Dir.Path() + "VORN.pof\r\nDoes NOT Exist"),
              std::string::npos);
    const std::vector<uint8_t> golden = FirstRunGolden();
    ASSERT_EQ(golden.size(), OptionsRecordSize);
    const std::vector<uint8_t> written = FileBytes();
    ASSERT_EQ(written.size(), OptionsRecordSize);
    for (size_t i = 0; i < OptionsRecordSize; ++i)
        ASSERT_EQ(written[i], golden[i]) << "offset " << i;
    Rec.Clear();
    SaveOptions();
    EXPECT_TRUE(Rec.Messages.empty());
    EXPECT_EQ(FileBytes(), written);
}

// Every field set to a value of its own lands at its own offset and nowhere else, and is read
// back from there.
TEST_F(OptionsFile, EveryFieldIsWrittenAndReadAtItsOwnOffset) {
    RecordBytes want(OptionsRecordSize);
    for (size_t i = 0; i < std::size(Directories); ++i) {
        const size_t at = 256 + 256 * i;
        *Directories[i] = "/dir" + std::to_string(at) + "/";
        want.PutShortString(at, *Directories[i]);
    }
    for (size_t k = 0; k < FormPositions.size(); ++k) {
        const auto at = static_cast<int32_t>(2620 + 8 * k);
        FormPositions[k] = {at, -at};
        want.PutI32(static_cast<size_t>(at), at);
        want.PutI32(static_cast<size_t>(at) + 4, -at);
    }
    auto colour = [&](uint32_t& c, size_t at) {
        c = 0xC00000u + static_cast<uint32_t>(at);
        want.PutU32(at, c);
    };
    for (size_t i = 0; i < ColorSettings.size(); ++i)
        colour(ColorSettings[i], 2868 + 4 * i);
    for (size_t i = 0; i < ClassColors.size(); ++i)
        colour(ClassColors[i], 2900 + 4 * i);
    for (size_t g = 0; g < ClassColorRamps.size(); ++g)
        for (size_t j = 0; j < 16; ++j)
            colour(ClassColorRamps[g][j], 2936 + 64 * g + 4 * j);
    for (bool* flag : Flags)
        *flag = false;
    IntATMin = 0x33;
    IntATMax = 0x34;
    want.PutU8(3533, 0x33);
    want.PutU8(3534, 0x34);
    for (auto [value, at] : {std::pair{&MessageX, 3536},
                             {&MessageY, 3540},
                             {&RoundedATMin, 3544},
                             {&RoundedATMax, 3548}}) {
        *value = -at;
        want.PutI32(static_cast<size_t>(at), -at);
    }
    for (auto [value, at] : {std::pair{&ProcessMaxValue, 3552},
                             {&ProcessMinValue, 3560},
                             {&RealATMax, 3568},
                             {&RealATMin, 3576}}) {
        *value = at + 0.25;
        want.PutF64(static_cast<size_t>(at), at + 0.25);
    }
    SaveOptions();
    const std::vector<uint8_t> written = FileBytes();
    ASSERT_EQ(written.size(), OptionsRecordSize);
    for (size_t i = 0; i < OptionsRecordSize; ++i)
        ASSERT_EQ(written[i], want.Bytes[i]) << "offset " << i;

    SetDefaultOptions();
    LoadOptions();
    OptionsRecord = RecordBytes(OptionsRecordSize);
    GlobalsToOptionsRecord();
    EXPECT_EQ(OptionsRecord.Bytes, want.Bytes);

    // One flag at a time: each Boolean has a byte of its own.
    for (size_t f = 0; f < std::size(Flags); ++f) {
        *Flags[f] = true;
        GlobalsToOptionsRecord();
        for (size_t i = 0; i < std::size(Flags); ++i)
            EXPECT_EQ(OptionsRecord.GetU8(3512 + i), i == f ? 1 : 0) << f << " at " << i;
        *Flags[f] = false;
        OptionsRecord.PutBool(3512 + f, true);
        OptionsRecordToGlobals();
        for (size_t i = 0; i < std::size(Flags); ++i)
            EXPECT_EQ(*Flags[i], i == f) << f << " read " << i;
        OptionsRecord.PutBool(3512 + f, false);
        *Flags[f] = false;
    }
}

// A folder longer than its field used to be cut to 255 characters without a word, so the next
// start opened another folder: it is refused, named, and the last folder that fits stays.
TEST_F(OptionsFile, ReservedBytesSurviveAndLongDirectoriesAreRefused) {
    SaveOptions();
    // Reserved and unused areas written by another program come back unchanged.
    auto b = FileBytes();
    for (size_t i = 0; i < 256; ++i)
        b[i] = static_cast<uint8_t>(i * 7 + 1);
    for (size_t i = 2048; i < 2620; ++i)
        b[i] = static_cast<uint8_t>(i);
    b[3535] = 0x5A;
    ASSERT_TRUE(
        WriteFileAtomic(Dir.File("Vorn.pof"), b, TReplaceLeave::Chosen(Dir.File("Vorn.pof"))));
    LoadOptions();
    Rec.Clear();
    const std::string filters = FilterDirectory;
    ImageDirectory = std::string(255, 'd');
    FilterDirectory = std::string(256, 'f');
    SaveOptions();
    ASSERT_EQ(Rec.Messages.size(), 1u);
    EXPECT_EQ(Rec.Messages[0].Text, MessageText(LongFolderMessage) + CRLF + std::string(256, 'f'));
    EXPECT_EQ(FilterDirectory, filters);
    const auto first = FileBytes();
    SetDefaultOptions();
    FilterDirectory = "elsewhere/";
    LoadOptions();
    EXPECT_EQ(ImageDirectory, std::string(255, 'd'));
    EXPECT_EQ(FilterDirectory, filters);
    SaveOptions();
    EXPECT_EQ(Rec.Messages.size(), 1u) << "said once";
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
    ASSERT_TRUE(WriteFileAtomic(Dir.File("Vorn.pof"), shortFile,
                                TReplaceLeave::Chosen(Dir.File("Vorn.pof"))));
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

// A file that cannot be read is never written over: the first save keeps it aside under a name
// nothing has, says where, and writes the new file; later saves replace the new file only.
TEST_F(OptionsFile, AnUnreadableFileIsKeptAsideBeforeTheFirstSave) {
    std::vector<uint8_t> damaged(3583, 0x22);
    damaged[0] = 0x33;
    ASSERT_TRUE(WriteFileAtomic(Dir.File("Vorn.pof.damaged"), std::string("earlier"),
                                TReplaceLeave::Chosen(Dir.File("Vorn.pof.damaged"))));
    for (const char* keptAs : {"Vorn.pof.damaged.1", "Vorn.pof.damaged.2"}) {
        SCOPED_TRACE(keptAs);
        ASSERT_TRUE(WriteFileAtomic(Dir.File("Vorn.pof"), damaged,
                                    TReplaceLeave::Chosen(Dir.File("Vorn.pof"))));
        Rec.Clear();
        EXPECT_THROW(LoadOptions(), EInOutError);
        SaveOptions();
        EXPECT_EQ(::FileBytes(Dir.File(keptAs)), damaged);
        ASSERT_EQ(Rec.Messages.size(), 1u) << Rec.Summary();
        EXPECT_EQ(Rec.Messages[0].Text, MessageText(2) +
                                            "\r\nThe file that could not be read is "
                                            "kept as " +
                                            Dir.File(keptAs));
        EXPECT_EQ(FileBytes().size(), OptionsRecordSize);
        Rec.Clear();
        SaveOptions();
        EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    }
    EXPECT_EQ(FileText(Dir.File("Vorn.pof.damaged")), "earlier");
}

} // namespace
