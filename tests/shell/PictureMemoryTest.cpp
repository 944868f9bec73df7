// Pictures larger than the memory can hold, and buffers the memory cannot give, while another
// picture is shown: refused by size before their pixels are decoded, and the shown one stays.
#include "runtime/RtFiles.h"
#include "runtime/RtRecords.h"
#include "shell/vGlobal.h"
#include "support/PngFixtures.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <png.h>

#include <chrono>
#include <cstdio>
#include <new>
#include <tuple>

namespace {

// Grey pixels, all zero, deflated at the given level. 23000 x 23000 at the best ratio: about
// 514 KB of file for 5.3 GB of loaded picture.
void WritePngBomb(const std::string& path, png_uint_32 width = 23000, png_uint_32 height = 23000,
                  int level = 9) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_init_io(png, f);
    png_set_compression_level(png, level);
    png_set_filter(png, 0, PNG_FILTER_NONE);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::vector<png_byte> row(width, 0);
    for (png_uint_32 y = 0; y < height; ++y)
        png_write_row(png, row.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

class PictureMemory : public ::testing::Test {
  protected:
    void SetUp() override {
        // A machine of 8 GiB with no process limit: pictures up to 1 GiB.
        PictureMemoryLimit = PictureMemoryLimitFor(uint64_t{8} << 30, uint64_t{1} << 47);
        ASSERT_TRUE(WriteFileAtomic(Dir.File("shown.png"),
                                    WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8)),
                                    TReplaceLeave::Chosen(Dir.File("shown.png"))));
        LoadPictureFile(Dir.Path(), "shown.png");
        CopyImageForProcessing();
        ASSERT_TRUE(ImageBuffersLocked);
        Shown = DisplayedPicture;
        Work = WorkImageBuffer;
        Rec.Clear();
    }
    void TearDown() override {
        PictureMemoryLimit = SavedLimit;
        AllocateBufferStorage = SavedAllocator;
        FreeImageBuffers();
        DisplayedPicture = Picture();
        SetImageName(CurrentImageFolder, "");
        ImageDirectory.clear();
    }
    // The shown picture, its name, its buffers and its undo copy are as they were.
    void ExpectShownPictureKept(const std::string& what) {
        EXPECT_EQ(DisplayedPicture.Pixels, Shown.Pixels) << what;
        EXPECT_EQ(CurrentImageName, "shown.png") << what;
        EXPECT_TRUE(ImageBuffersAllocated) << what;
        EXPECT_EQ(WorkImageBuffer, Work) << what;
        EXPECT_EQ(Rec.TerminateRequests, 0) << what;
        DisplayedPicture.Pixels.assign(DisplayedPicture.Pixels.size(), 0xFF000000u);
        UndoImage();
        EXPECT_EQ(DisplayedPicture.Pixels, Shown.Pixels) << what << ": undo copy lost";
    }
    const uint64_t SavedLimit = PictureMemoryLimit;
    const std::function<void(std::vector<uint8_t>&, size_t)> SavedAllocator = AllocateBufferStorage;
    RecordingHooks Rec;
    TempDir Dir;
    Picture Shown;
    const uint8_t* Work = nullptr;
};

TEST_F(PictureMemory, APngBombIsRefusedQuicklyByItsSizeAndTheShownPictureStays) {
    WritePngBomb(Dir.File("bomb.png"));
    ASSERT_LT(FileSizeOf(Dir.File("bomb.png")), 600000);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(RunGuarded([&] { LoadPictureFile(Dir.Path(), "bomb.png"); }));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0) << "the pixels were decoded";
    ASSERT_EQ(Rec.Messages.size(), 1u) << Rec.Summary();
    EXPECT_EQ(Rec.Messages[0].Kind, MsgKind::Error);
    EXPECT_EQ(Rec.Messages[0].Text, "Image too big for memory: nothing loaded\r\n"
                                    "23000 x 23000 needs 5290 MB, 1073 MB allowed");
    ExpectShownPictureKept("bomb");
}

TEST_F(PictureMemory, OversizedFilesAreRefusedFromTheirHeaders) {
    const PngFixture small = MakePngFixture(PNG_COLOR_TYPE_PALETTE, 4, false, 13, 7);
    ASSERT_TRUE(WriteFileAtomic(Dir.File("small.png"), WritePngFixture(small),
                                TReplaceLeave::Chosen(Dir.File("small.png"))));
    // 13 x 7: 364 bytes of picture and two buffers of 7 rows of 40 bytes.
    const uint64_t smallNeed = 13 * 7 * 4 + 2 * 40 * 7;
    ASSERT_EQ(PictureMemoryNeed(13, 7), smallNeed);
    // Legal files of 30000 x 30000, whose buffers would pass 2 GB each, and a picture wider than
    // the PNG library's own limit of a million pixels.
    WritePngBomb(Dir.File("huge.png"), 30000, 30000, 1);
    std::vector<uint8_t> rle = FileBytes(TestData("pictures/oversized-rle.bmp"));
    PutLeI32(&rle[18], 30000);
    PutLeI32(&rle[22], 30000);
    ASSERT_TRUE(
        WriteFileAtomic(Dir.File("huge.bmp"), rle, TReplaceLeave::Chosen(Dir.File("huge.bmp"))));
    PutLeI32(&rle[18], 0x7FFFFFFF);
    PutLeI32(&rle[22], 0x7FFFFFFF);
    ASSERT_TRUE(WriteFileAtomic(Dir.File("largest.bmp"), rle,
                                TReplaceLeave::Chosen(Dir.File("largest.bmp"))));
    WritePngBomb(Dir.File("wide.png"), 1000001, 1, 9);
    // Headers alone: a 24-bit bitmap and a PNG cut off after their headers, claiming 20000 x
    // 20000, refused by that size and not for being short.
    std::vector<uint8_t> bmp(54, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    PutLeU32(&bmp[10], 54);
    PutLeU32(&bmp[14], 40);
    PutLeI32(&bmp[18], 20000);
    PutLeI32(&bmp[22], 20000);
    bmp[26] = 1;
    bmp[28] = 24;
    ASSERT_TRUE(WriteFileAtomic(Dir.File("header.bmp"), bmp,
                                TReplaceLeave::Chosen(Dir.File("header.bmp"))));
    std::vector<uint8_t> png = WritePngFixture(small);
    png.resize(33);
    png[18] = png[22] = 0x4E;
    png[19] = png[23] = 0x20;
    ASSERT_TRUE(WriteFileAtomic(Dir.File("header.png"), png,
                                TReplaceLeave::Chosen(Dir.File("header.png"))));
    // 6008 x 6000 needs 360,480,000 bytes; a process limit of 2,880,000,000 allows 360,000,000.
    PutLeI32(&rle[18], 6008);
    PutLeI32(&rle[22], 6000);
    ASSERT_TRUE(
        WriteFileAtomic(Dir.File("6008.bmp"), rle, TReplaceLeave::Chosen(Dir.File("6008.bmp"))));
    const uint64_t twoGigabyteProcess = PictureMemoryLimitFor(uint64_t{8} << 30, uint64_t{2} << 30);
    const uint64_t plenty = uint64_t{1} << 40;
    const std::string buffer = "2700 MB for one working buffer, 2147 MB allowed";
    const std::tuple<std::string, uint64_t, std::string> cases[] = {
        // file, limit, the refusal's size (empty: read)
        {TestData("pictures/bomb8000.png"), 100 << 20, "8000 x 8000 needs 640 MB, 104 MB allowed"},
        {TestData("pictures/oversized-rle.bmp"), 100 << 20,
         "23000 x 23000 needs 5290 MB, 104 MB allowed"},
        {Dir.File("small.png"), smallNeed, ""},
        {Dir.File("small.png"), smallNeed - 1, "13 x 7 needs 1 MB, 0 MB allowed"},
        {Dir.File("huge.png"), 1 << 30, "30000 x 30000 needs 9000 MB, 1073 MB allowed"},
        {Dir.File("huge.png"), plenty, "30000 x 30000 needs " + buffer},
        {Dir.File("huge.bmp"), plenty, "30000 x 30000 needs " + buffer},
        {Dir.File("largest.bmp"), plenty,
         "2147483647 x 2147483647 needs 18446744073710 MB, 1099511 MB allowed"},
        {Dir.File("wide.png"), 1 << 30, ""},
        {Dir.File("header.bmp"), twoGigabyteProcess, "20000 x 20000 needs 4000 MB, 268 MB allowed"},
        {Dir.File("header.png"), twoGigabyteProcess, "20000 x 20000 needs 4000 MB, 268 MB allowed"},
        {Dir.File("6008.bmp"), PictureMemoryLimitFor(uint64_t{8} << 30, 2880000000),
         "6008 x 6000 needs 361 MB, 360 MB allowed"},
    };
    for (const auto& [path, limit, refusal] : cases) {
        const std::string what = ExtractFileName(path) + " " + std::to_string(limit);
        PictureMemoryLimit = limit;
        std::string text;
        try {
            ReadPictureFile(path);
        } catch (const EPictureTooLarge& e) {
            text = PictureMemoryText(e.Width, e.Height);
            EXPECT_EQ(e.what(), path + ": too big for memory: " + text) << what;
        }
        EXPECT_EQ(text, refusal) << what;
    }
}

TEST_F(PictureMemory, BuffersTheMemoryCannotGiveLeaveTheShownPictureAndAreGivenBack) {
    ASSERT_TRUE(WriteFileAtomic(Dir.File("next.png"),
                                WritePngFixture(MakePngFixture(PNG_COLOR_TYPE_RGB, 8, false, 5, 3)),
                                TReplaceLeave::Chosen(Dir.File("next.png"))));
    std::vector<std::vector<uint8_t>*> taken;
    AllocateBufferStorage = [&](std::vector<uint8_t>& storage, size_t bytes) {
        if (!taken.empty()) throw std::bad_alloc();
        storage.assign(bytes, 0);
        taken.push_back(&storage);
    };
    EXPECT_TRUE(RunGuarded([&] { LoadPictureFile(Dir.Path(), "next.png"); }));
    EXPECT_EQ(Rec.Messages.size(), 1u) << Rec.Summary();
    EXPECT_EQ(Rec.Messages.at(0).Text, "Image too big for memory: nothing loaded\r\n"
                                       "5 x 3 needs 1 MB, 1073 MB allowed");
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0]->capacity(), 0u) << "the first buffer is still held";
    ExpectShownPictureKept("allocation");

    AllocateBufferStorage = SavedAllocator;
    LoadPictureFile(Dir.Path(), "next.png");
    EXPECT_EQ(DisplayedPicture.Width, 5);
    EXPECT_TRUE(ImageBuffersAllocated);
}

} // namespace
