// Every band-product writer asked to make a product that is one of its own inputs: each used to
// write the product over that input (the radar reduction halved its own band, 800 bytes to 400).
#include "bandproc/vPCA.h"
#include "bandproc/vRadarDeRez.h"

#include "BandFixture.h"

#include <filesystem>
#include <functional>

namespace {

using ProductOverInput = BandTest;

constexpr int W = 4, H = 2;

// Samples that differ per band and per position, so any product would change the file.
Bytes BandBytes(int band, size_t size = W * H) {
    Bytes b(size);
    for (size_t i = 0; i < size; ++i)
        b[i] = static_cast<uint8_t>(17 * band + 29 * i + 3);
    return b;
}

size_t FilesIn(const std::string& dir) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir),
                                             std::filesystem::directory_iterator()));
}

TEST_F(ProductOverInput, EveryWriterRefusesWithMessage27AndWritesNothing) {
    // Each writer's input named as one of its products; the other slots hold plain bands.
    const struct {
        const char* Writer;
        const char* Input;
        int Slot; // the input's band slot, -1 for a band named in an edit
        std::function<bool()> Run;
    } cases[] = {
        {"single-band add", "s.psa", -1, [] { return SingleBandMath(2, 1, "s.psa", "s"); }},
        {"line fill", "s.psf", -1, [] { return FillEveryLine(2, "s.psf", "s"); }},
        {"line average", "s.psv", -1, [] { return AverageEveryLine(2, "s.psv", "s"); }},
        {"pixel sizer", "s.pps", -1, [] { return PixelSizer(0, "s.pps", "s"); }},
        {"radar 16 to 8", "r.pz8", -1,
         [this] {
             std::vector<std::string> list;
             return RadarDeRez16(Dir.File("r.pz8"), Dir.File("r.pz8"), H, W / 2, list);
         }},
        {"band algebra", "x.pfa", 1, [] { return MultiBandFileAlgebra(0, false, 0, 1, "x"); }},
        {"vegetation A B", "x.pv1", 1,
         [] {
             return VegetationIndexAB(1, {{}, false, "x"});
         }},
        {"vegetation A B C D", "x.pv5", 3,
         [] {
             return VegetationIndexABCD({{}, true, "x"});
         }},
        {"vegetation root", "x.pv6", 0,
         [] {
             return VegetationIndexRoot({{}, false, "x"});
         }},
        {"tasselled cap", "x.ptn", 7,
         [] { return TasselledCapBands(TasselledCapSet::SixBands, {}, "x"); }},
        {"colour exchange", "x.prb", 3, [] { return RGBHSVExchange("x"); }},
        {"principal components", "x.pc2", -1,
         [this] {
             return PCABands(2, {Dir.File("a.B1"), Dir.File("x.pc2")});
         }},
    };
    Subset(1, 1, W, H);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Writer);
        SelectedBandFiles.fill("");
        for (int slot : {0, 1, 2, 3, 4, 7})
            Band("a.B" + std::to_string(slot + 1), BandBytes(slot), slot);
        const Bytes before = BandBytes(9);
        const std::string input = Band(c.Input, before, c.Slot);
        const size_t files = FilesIn(Dir.Path());
        Rec.Clear();
        EXPECT_FALSE(c.Run());
        EXPECT_TRUE(Rec.Shown(27)) << Rec.Summary();
        EXPECT_EQ(FileBytes(input), before);
        EXPECT_EQ(FilesIn(Dir.Path()), files);
        std::filesystem::remove(input);
    }
}

} // namespace
