// Band-product tests: SceneFolder a fresh temporary folder, the subset and the band slots
// set per test, band files written from byte lists and read back whole.
#pragma once

#include "bandproc/vUPrepare.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline std::string BandData(const std::string& relative) {
    return TestData("") + relative;
}

class BandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SceneFolder = Dir.Path();
        SetImageName(CurrentImageFolder, "");
        SelectedBandFiles.fill("");
    }
    void TearDown() override {
        SceneFolder.clear();
        SubsetBounds = TSubsetBounds();
        SelectedBandFiles.fill("");
    }
    void Subset(int32_t left, int32_t top, int64_t w, int64_t h) {
        SubsetBounds = {left, static_cast<int32_t>(left + w - 1), top,
                        static_cast<int32_t>(top + h - 1)};
    }
    // Writes `bytes` as SceneFolder + name and puts its path into `slot` (-1: no slot).
    std::string Band(const std::string& name, const Bytes& bytes, int slot = -1) {
        const std::string path = Dir.File(name);
        WriteFileAtomic(path, bytes, TReplaceLeave::Chosen(path));
        if (slot >= 0) SelectedBandFiles[slot] = path;
        return path;
    }
    Bytes Product(const std::string& name) const { return FileBytes(Dir.File(name)); }
    bool Exists(const std::string& name) const { return FileExists(Dir.File(name)); }

    TempDir Dir;
    RecordingHooks Rec;
};
