// A working image put up from pixels given by the test, in a temporary ImageDirectory, with the
// histogram globals cleared before and after.
#pragma once

#include "histogram/vUHistoCC.h"
#include "support/EngineTestImage.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <string>

class HistogramFixture : public EngineTestImage {
  protected:
    void SetUp() override {
        EngineTestImage::SetUp();
        SavedDirectory = ImageDirectory;
        ImageDirectory = Dir.Path();
        SetImageName(Dir.Path(), "scene.png");
        ClearHistogramState();
    }
    void TearDown() override {
        EngineTestImage::TearDown();
        ImageDirectory = SavedDirectory;
        SetImageName("", "");
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

    // Red 10 20 20 30 20 40, green 1 5 5 5 250 255, blue 200 20 100 100 100 50: the figures the
    // tests expect are worked out by hand from these.
    void ShowSixPixels() {
        Load(
            3,
            {{10, 1, 200}, {20, 5, 20}, {20, 5, 100}, {30, 5, 100}, {20, 250, 100}, {40, 255, 50}});
    }

    // Every pass over the pixels (counting, zero replacement) starts with a fresh copy.
    int PixelPasses() const {
        return static_cast<int>(std::count(Rec.Status1.begin(), Rec.Status1.end(),
                                           std::string("Image copied for processing")));
    }

    int Count(int number) const {
        int n = 0;
        for (const auto& m : Rec.Messages)
            n += m.Text == MessageText(number);
        return n;
    }

    TempDir Dir;
    TWorkingFolder SavedDirectory;
};
