// A working image put up from pixels given by the test, in a temporary ImageDirectory, with the
// histogram globals cleared before and after.
#pragma once

#include "histogram/vUHistoCC.h"
#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

struct Rgb {
    uint8_t R, G, B;
};

class HistogramFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        SavedDirectory = ImageDirectory;
        ImageDirectory = Dir.Path();
        CurrentImageName = "scene.png";
        ClearHistogramState();
    }
    void TearDown() override {
        FreeImageBuffers();
        DisplayedPicture = Picture();
        ImageDirectory = SavedDirectory;
        CurrentImageName.clear();
        ClearHistogramState();
    }

    static void ClearHistogramState() {
        RedHistogram.fill(0);
        GreenHistogram.fill(0);
        BlueHistogram.fill(0);
        BandHistogramStats = {};
        BandSpread = {};
        BandPairStats = {};
        SeedBreakTables = {};
    }

    // Rows top first, as the picture holds them.
    void ShowPicture(int width, std::initializer_list<Rgb> pixels) {
        Picture p;
        p.Resize(width, static_cast<int>(pixels.size()) / width);
        int i = 0;
        for (const Rgb& c : pixels) {
            p.At(i % width, i / width) = PackPixel(c.R, c.G, c.B);
            ++i;
        }
        ShowPicture(std::move(p));
    }
    void ShowPicture(Picture p) {
        FreeImageBuffers();
        DisplayedPicture = std::move(p);
        AllocImageBuffers();
        ASSERT_TRUE(ImageBuffersAllocated);
    }
    // Red 10 20 20 30 20 40, green 1 5 5 5 250 255, blue 200 20 100 100 100 50: the figures the
    // tests expect are worked out by hand from these.
    void ShowSixPixels() {
        ShowPicture(
            3,
            {{10, 1, 200}, {20, 5, 20}, {20, 5, 100}, {30, 5, 100}, {20, 250, 100}, {40, 255, 50}});
    }
    void ShowUniform(int width, int height, Rgb c) {
        Picture p;
        p.Resize(width, height);
        for (uint32_t& px : p.Pixels)
            px = PackPixel(c.R, c.G, c.B);
        ShowPicture(std::move(p));
    }

    int Count(int number) const {
        int n = 0;
        for (const auto& m : Rec.Messages)
            n += m.Text == MessageText(number);
        return n;
    }

    TempDir Dir;
    RecordingHooks Rec;
    std::string SavedDirectory;
};
