#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

Picture Gradient(int w, int h) {
    Picture p;
    p.Resize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.At(x, y) = PackPixel(static_cast<uint8_t>(x * 7 + y), static_cast<uint8_t>(y * 3),
                                   static_cast<uint8_t>(x ^ y));
    return p;
}

class WorkingImage : public ::testing::Test {
  protected:
    void Load(int w, int h) {
        FreeImageBuffers();
        DisplayedPicture = Gradient(w, h);
        AllocImageBuffers();
        ASSERT_TRUE(ImageBuffersAllocated);
    }
    void TearDown() override {
        FreeImageBuffers();
        DisplayedPicture = Picture();
        DoneNotificationOption = DoneSpokenOption = DoneBellsOption = DoneWhistlesOption = false;
    }
    RecordingHooks Rec;
};

TEST_F(WorkingImage, OperationThenUndoRestoresTheExactPicture) {
    Load(13, 7);
    const Picture before = DisplayedPicture;
    EXPECT_FALSE(Rec.UndoEnabled);
    CopyImageForProcessing();
    EXPECT_TRUE(Rec.UndoEnabled);
    std::memset(WorkImageBuffer, 0, ImageBitsSize);
    ShowProcessedImage();
    EXPECT_NE(DisplayedPicture.Pixels, before.Pixels);
    EXPECT_EQ(Rec.Status1.back(), "Image processed");
    EXPECT_EQ(Rec.Gauge.back(), 0);
    UndoImage();
    EXPECT_EQ(DisplayedPicture.Pixels, before.Pixels);
    EXPECT_FALSE(Rec.UndoEnabled);
    EXPECT_EQ(Rec.Status1.back(), "Image Undone");
}

TEST_F(WorkingImage, ClearFilterBorderOfSize3On10By10) {
    Load(10, 10);
    CopyImageForProcessing();
    for (int y = 0; y < 10; ++y)
        std::memset(WorkRow(y), 200, 30);
    FilterKernelSize = 3;
    ClearFilterBorder();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool border = y <= 1 || y >= 7 || x <= 1 || x >= 7;
            EXPECT_EQ(WorkRow(y)[3 * x + 1], border ? 0 : 200) << x << "," << y;
        }
}

TEST_F(WorkingImage, ClearFilterBorderStaysInsideTinyPictures) {
    Load(2, 1);
    CopyImageForProcessing();
    FilterKernelSize = 9;
    ClearFilterBorder(); // the sanitizers catch any write past the buffer
    EXPECT_EQ(WorkImageBuffer[0], 0);
}

TEST_F(WorkingImage, ProgressTexts) {
    ShowProgress(42);
    EXPECT_EQ(Rec.Status0.back(), "(Part 1 of 1) % Done: 42");
    ShowPartProgress(2, 50, 3.14159, 255);
    EXPECT_EQ(Rec.Status0.back(), "(Part 2 of 2) % Done:  50 Min:  3.14 Max:255.00");
    ShowPartProgress(7, 50, 0, 1);
    EXPECT_EQ(Rec.Status0.back(), " Min:  0.00 Max: 1.00");
    ShowStageProgress(5, 9);
    EXPECT_EQ(Rec.Status0.back(), "Loading Count (2&3&4) % Done: 9");
    const size_t n = Rec.Status0.size();
    ShowStageProgress(6, 10);
    EXPECT_EQ(Rec.Status0.size(), n);
    EXPECT_EQ(Rec.Gauge.back(), 10);
    EXPECT_EQ(RowPercent(0, 0), 100);
    EXPECT_EQ(RowPercent(1, 8), 12); // 12.5 rounds to even
    EXPECT_EQ(RowPercent(3, 8), 38); // 37.5 rounds to even
}

TEST_F(WorkingImage, CompletionSoundsFollowTheOptions) {
    Load(3, 3);
    // Spoken takes the place of bells; whistles come as well.
    DoneNotificationOption = DoneSpokenOption = DoneBellsOption = DoneWhistlesOption = true;
    CopyImageForProcessing();
    ShowProcessedImage();
    EXPECT_EQ(Rec.Sounds, (std::vector<std::string>{"DONEV.WAV", "DONEW.WAV"}));
    DoneNotificationOption = false;
    Rec.Sounds.clear();
    CopyImageForProcessing();
    ShowProcessedImage();
    EXPECT_TRUE(Rec.Sounds.empty());
}

TEST_F(WorkingImage, CopyFollowsAPictureOfANewSizeOrStops) {
    Load(4, 4);
    DisplayedPicture = Gradient(9, 5);
    CopyImageForProcessing();
    ASSERT_TRUE(ImageBuffersLocked);
    EXPECT_EQ(ImageMaxX, 8);
    EXPECT_EQ(ImageMaxY, 4);
    EXPECT_EQ(ImageRowStride, 28);
    // Buffers that cannot follow stop the copy; the sanitizers catch a copy into the old ones.
    Load(4, 4);
    DisplayedPicture = Gradient(9, 5);
    Rec.ScreenDepth = 16;
    CopyImageForProcessing();
    EXPECT_FALSE(ImageBuffersLocked);
    EXPECT_TRUE(Rec.Shown(11));
}

TEST_F(WorkingImage, UndoIsDisabledWhenTheBuffersAreFreedOrMadeAnew) {
    Load(6, 3);
    CopyImageForProcessing();
    EXPECT_TRUE(Rec.UndoEnabled);
    AllocImageBuffers();
    EXPECT_FALSE(Rec.UndoEnabled);
    CopyImageForProcessing();
    EXPECT_TRUE(Rec.UndoEnabled);
    FreeImageBuffers();
    EXPECT_FALSE(Rec.UndoEnabled);
}

TEST_F(WorkingImage, UndoBeforeAnyOperationLeavesThePicture) {
    Load(5, 4);
    const Picture loaded = DisplayedPicture;
    UndoImage();
    EXPECT_EQ(DisplayedPicture.Pixels, loaded.Pixels);
    EXPECT_EQ(Rec.PictureChanges, 0);
}

TEST_F(WorkingImage, AllocRefusals) {
    FreeImageBuffers();
    DisplayedPicture = Picture();
    AllocImageBuffers();
    EXPECT_TRUE(Rec.Shown(10));
    DisplayedPicture = Gradient(2, 2);
    Rec.ScreenDepth = 16;
    AllocImageBuffers();
    EXPECT_TRUE(Rec.Shown(11));
    Rec.ScreenDepth = 24;
    DisplayedPicture.FormatBits = 8;
    AllocImageBuffers();
    EXPECT_TRUE(Rec.Shown(12));
    EXPECT_FALSE(ImageBuffersAllocated);
    // Past 2 GiB is an allocation failure; only the size is looked at before the allocation.
    DisplayedPicture = Picture();
    DisplayedPicture.Width = DisplayedPicture.Height = 50000;
    DisplayedPicture.Pixels.assign(1, 0);
    AllocImageBuffers();
    EXPECT_FALSE(ImageBuffersAllocated);
    EXPECT_TRUE(Rec.Shown(40000));
    EXPECT_EQ(Rec.TerminateRequests, 1);
}

TEST_F(WorkingImage, FilterFileSizeFromTheExtension) {
    const std::pair<const char*, int> cases[] = {
        {"edge.RR7", 7}, {"k.rl9", 9}, {"dir.x/k.R23", 3}, {"a.b.RL5", 5}};
    for (auto [name, size] : cases)
        EXPECT_EQ(GetFilterFileSize(name), size) << name;
    EXPECT_TRUE(Rec.Messages.empty()) << Rec.Summary();
    for (const char* name : {"kernel.RX5", "noextension", "k.R", "k.RL", "k."}) {
        Rec.Clear();
        EXPECT_EQ(GetFilterFileSize(name), 3) << name;
        EXPECT_TRUE(Rec.Shown(39982)) << name;
    }
    Rec.Clear();
    EXPECT_EQ(GetFilterFileSize("k.RLx"), 3);
    ASSERT_EQ(Rec.Messages.size(), 1u);
    EXPECT_EQ(Rec.Messages[0].Text, "Error in File data Number: \r\n1\r\nk.RLx");
}

} // namespace
