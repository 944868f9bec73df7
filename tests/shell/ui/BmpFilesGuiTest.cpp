// Bitmaps of the header kinds and encodings the depth table does not make, written by hand from
// the file layout into tests/data/pictures: each loads through the header check and the
// toolkit's reader to exactly these pixels, rows top first.
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(BmpFiles, HandWrittenBitmapsOfEveryHeaderKindLoadToTheirPixels) {
    TVORNForm::InstallPictureFileHooks();
    const struct {
        const char* File;
        int Width, Height, SourceBits;
        std::vector<uint32_t> Pixels;
    } cases[] = {
        // 12-byte header, rows bottom first, each padded to 8 bytes.
        {"core24.bmp", 2, 2, 24, {0xFF0000FFu, 0xFFFFFFFFu, 0xFFFF0000u, 0xFF00FF00u}},
        // Run-length 8-bit: a run of 4 of index 7; three literal indices and a run of one 9.
        // Index i is blue i, green i, red 255 - i.
        {"rle8.bmp",
         4,
         2,
         8,
         {0xFFFE0101u, 0xFFFD0202u, 0xFFFC0303u, 0xFFF60909u, 0xFFF80707u, 0xFFF80707u, 0xFFF80707u,
          0xFFF80707u}},
        // 124-byte header with masks, rows top first, the fourth byte not alpha.
        {"v5top32.bmp", 2, 2, 32, {0xFF030201u, 0xFF060504u, 0xFF090807u, 0xFF0C0B0Au}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        const DecodedPicture d = ReadPictureFile(TestData(std::string("pictures/") + c.File));
        EXPECT_EQ(d.Image.Width, c.Width);
        EXPECT_EQ(d.Image.Height, c.Height);
        EXPECT_EQ(d.SourceBits, c.SourceBits);
        EXPECT_EQ(d.Image.Pixels, c.Pixels);
    }
}

} // namespace
