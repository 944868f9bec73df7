#include "shell/vColorScreens.h"

#include "shell/vGlobalHooks.h"
#include "shell/vGlobalImage.h"
#include "shell/vGlobalMessages.h"
#include "shell/vToolModes.h"

#include <new>

bool RotateImagesReady = false;
std::array<Picture, 3> RotateImages;

namespace {

// The screens' copy of the picture is in the undo buffer; only then may FreeRotateImages show it.
bool ScreensCopyTaken = false;

// One undo row (blue, green, red) into the three screen rows. `invert` gives the CMY screens.
void SplitRow(const uint8_t* src, int32_t width, bool invert, uint32_t* first, uint32_t* second,
              uint32_t* third) {
    const uint8_t flip = invert ? 255 : 0;
    for (int32_t x = 0; x < width; ++x, src += 3) {
        first[x] = PackPixel(static_cast<uint8_t>(src[2] ^ flip), 0, 0);
        second[x] = PackPixel(0, static_cast<uint8_t>(src[1] ^ flip), 0);
        third[x] = PackPixel(0, 0, static_cast<uint8_t>(src[0] ^ flip));
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
            RotateImages[i].Resize(width, height);
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
    // Bytes in a buffer pixel are blue, green, red.
    const int kept = 3 - channel;
    const int32_t width = ImageMaxX + 1;
    for (int32_t y = 0; y <= ImageMaxY; ++y) {
        const uint8_t* src = UndoRow(y);
        uint8_t* dst = WorkRow(y);
        for (int32_t x = 0; x < width; ++x, src += 3, dst += 3) {
            dst[0] = dst[1] = dst[2] = 0;
            dst[kept] = src[kept];
        }
        ProgressPercent = RowPercent(y, ImageMaxY);
        ShowProgress(ProgressPercent);
    }
    ShowProcessedImage();
}
