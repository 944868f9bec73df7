// A fixture for the engines of the working image: every processing option in a known state, a
// picture loaded from red, green, blue triples, and the picture read back the same way.
#pragma once

#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

using Rgb = std::array<int, 3>;

class EngineTestImage : public ::testing::Test {
  protected:
    void SetUp() override {
        ClipOption = Scale0To255Option = BelowZeroOption = AutoRangeOption = false;
        AbsoluteValuesOption = SetAbsoluteOption = SetThresholdOption = false;
        RealATMin = 0.0;
        RealATMax = 255.0;
        IntATMin = 0;
        IntATMax = 255;
        ProcessMaxValue = 0.0;
        ProcessMinValue = 255.0;
        DoneNotificationOption = false;
        MacroRecording = LogToDIP = false;
    }
    void TearDown() override {
        FreeImageBuffers();
        DisplayedPicture = Picture();
        EngineTestImage::SetUp();
    }

    void Show(Picture p) {
        FreeImageBuffers();
        DisplayedPicture = std::move(p);
        AllocImageBuffers();
        ASSERT_TRUE(ImageBuffersAllocated);
        Rec.Clear();
    }
    static uint32_t Pack(Rgb c) {
        return PackPixel(static_cast<uint8_t>(c[0]), static_cast<uint8_t>(c[1]),
                         static_cast<uint8_t>(c[2]));
    }
    // Rows top first, `width` pixels a row.
    void Load(int width, const std::vector<Rgb>& pixels) {
        Picture p;
        p.Resize(width, static_cast<int>(pixels.size()) / width);
        std::transform(pixels.begin(), pixels.end(), p.Pixels.begin(), Pack);
        Show(std::move(p));
    }
    void LoadUniform(int width, int height, Rgb pixel) {
        Picture p;
        p.Resize(width, height);
        std::fill(p.Pixels.begin(), p.Pixels.end(), Pack(pixel));
        Show(std::move(p));
    }
    static std::vector<Rgb> Shown() {
        std::vector<Rgb> out;
        for (uint32_t p : DisplayedPicture.Pixels)
            out.push_back({PixelRed(p), PixelGreen(p), PixelBlue(p)});
        return out;
    }
    // The run ended in the error box with `text`, nothing was put back on display.
    void ExpectFailedUnchanged(const std::function<void()>& run, const std::string& text) {
        const std::vector<uint32_t> before = DisplayedPicture.Pixels;
        Rec.Clear();
        EXPECT_FALSE(RunGuarded(run));
        EXPECT_EQ(Rec.ErrorBoxes, std::vector<std::string>{text});
        EXPECT_EQ(DisplayedPicture.Pixels, before);
        EXPECT_EQ(Rec.PictureChanges, 0);
        for (const auto& s : Rec.Status1)
            EXPECT_NE(s, "Image processed");
    }

    RecordingHooks Rec;
};
