#include "shell/vColorScreens.h"

#include "shell/vGlobalHooks.h"
#include "shell/vGlobalImage.h"
#include "shell/vGlobalMessages.h"
#include "shell/vToolModes.h"

#include <cstring>
#include <new>

bool RotateImagesReady = false;
std::array<Picture, 3> RotateImages;

namespace {

// The screens' copy of the picture is in the undo buffer; only then may FreeRotateImages show it.
bool ScreensCopyTaken = false;

// One undo row (blue, green, red) into the three screen rows. `invert` gives the CMY screens.
// Four pixels (12 bytes) make two 64-bit words of each screen; the bytes of a word in memory are
// its bits from the lowest up, as the pixel words are.
void SplitRow(const uint8_t* src, int32_t width, bool invert, uint32_t* first, uint32_t* second,
              uint32_t* third) {
    constexpr uint64_t Opaque = 0xFF000000FF000000u;
    const uint64_t flip = invert ? ~uint64_t{0} : 0;
    int32_t x = 0;
    for (; x + 4 <= width; x += 4, src += 12) {
        uint64_t low;
        uint32_t high32;
        std::memcpy(&low, src, 8);
        std::memcpy(&high32, src + 8, 4);
        low ^= flip;
        const uint64_t high = (high32 ^ flip) & 0xFFFFFFFFu;
        const uint64_t words[3][2] = {
            {(low & 0xFF0000u) | ((low << 8) & 0xFF000000000000u),
             ((high & 0xFFu) << 16) | ((high >> 24) << 48)},
            {(low & 0xFF00u) | ((low & 0xFF00000000u) << 8),
             ((low >> 48) & 0xFF00u) | ((high & 0xFF0000u) << 24)},
            {(low & 0xFFu) | ((low & 0xFF000000u) << 8),
             ((low >> 48) & 0xFFu) | ((high & 0xFF00u) << 24)},
        };
        uint32_t* const screens[3] = {first + x, second + x, third + x};
        for (int s = 0; s < 3; ++s) {
            const uint64_t pair[2] = {Opaque | words[s][0], Opaque | words[s][1]};
            std::memcpy(screens[s], pair, 16);
        }
    }
    const uint8_t flipByte = invert ? 255 : 0;
    for (; x < width; ++x, src += 3) {
        first[x] = PackPixel(static_cast<uint8_t>(src[2] ^ flipByte), 0, 0);
        second[x] = PackPixel(0, static_cast<uint8_t>(src[1] ^ flipByte), 0);
        third[x] = PackPixel(0, 0, static_cast<uint8_t>(src[0] ^ flipByte));
    }
}

} // namespace

void LoadRotateImages() {
    static const char* const loaded[3] = {"Rotate Red loaded", "Rotate Green loaded",
                                          "Rotate RGB loaded"};
    RotateImagesReady = false;
    HookBusyCursor(true);
    CopyImageForProcessing();
    // Without the copy there is nothing to split, and nothing for FreeRotateImages to restore.
    if (!ImageBuffersLocked) {
        HookBusyCursor(false);
        return;
    }
    ScreensCopyTaken = true;
    const int32_t width = ImageMaxX + 1, height = ImageMaxY + 1;
    for (size_t i = 0; i < RotateImages.size(); ++i) {
        try {
            // Every pixel of a screen is written below.
            RotateImages[i].Fit(width, height);
        } catch (const std::bad_alloc&) {
            RotateImages = {};
            ShowMessageNumber(39977);
            HookBusyCursor(false);
            return;
        }
        HookStatus(1, loaded[i]);
    }
    const bool invert = CMYScreenMode;
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        const int32_t row = ImageMaxY - y;
        SplitRow(UndoRow(y), width, invert, RotateImages[0].Row(row), RotateImages[1].Row(row),
                 RotateImages[2].Row(row));
        ProgressPercent = RowPercent(y, ImageMaxY);
        ShowProgress(ProgressPercent);
    }
    UnlockImageBuffers();
    RotateImagesReady = true;
    HookBusyCursor(false);
}

void ShowNextRotateImage() {
    RotateImageIndex = RotateImageIndex >= 3 || RotateImageIndex < 1 ? 1 : RotateImageIndex + 1;
    if (!RotateImagesReady) return;
    const Picture& screen = RotateImages[static_cast<size_t>(RotateImageIndex - 1)];
    if (screen.Width != DisplayedPicture.Width || screen.Height != DisplayedPicture.Height) return;
    DisplayedPicture.Pixels = screen.Pixels;
    HookPictureChanged();
}

void FreeRotateImages() {
    RotateImages = {};
    RotateImagesReady = false;
    // Without buffers, or when the screens never took their copy, the undo buffer does not hold
    // the picture from before the screens.
    if (ScreensCopyTaken && ImageBuffersAllocated) UndoImage();
    ScreensCopyTaken = false;
}

bool RotateImagesExist() {
    return ScreensCopyTaken || !RotateImages[0].Empty();
}

void KeepOneChannel(int32_t channel) {
    if (channel < 1 || channel > 3) return;
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    // Bytes in a buffer pixel are blue, green, red; eight pixels are three 64-bit words.
    const int kept = 3 - channel;
    uint8_t pattern[24] = {};
    for (int i = kept; i < 24; i += 3)
        pattern[i] = 0xFF;
    uint64_t masks[3];
    std::memcpy(masks, pattern, sizeof masks);
    const size_t rowBytes = static_cast<size_t>(ImageMaxX + 1) * 3;
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        const uint8_t* src = UndoRow(y);
        uint8_t* dst = WorkRow(y);
        size_t i = 0;
        for (; i + 24 <= rowBytes; i += 24)
            for (int w = 0; w < 3; ++w) {
                uint64_t v;
                std::memcpy(&v, src + i + 8 * w, 8);
                v &= masks[w];
                std::memcpy(dst + i + 8 * w, &v, 8);
            }
        for (; i < rowBytes; ++i)
            dst[i] = src[i] & pattern[i % 3];
        ProgressPercent = RowPercent(y, ImageMaxY);
        ShowProgress(ProgressPercent);
    }
    ShowProcessedImage();
}
