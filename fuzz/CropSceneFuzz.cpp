// Any bytes as the DIH of a scene to crop, beside six small band files: the choice refuses
// bounds no split makes, and the preview and the crop of the whole scene check every size the
// header gives against the files before any buffer or file exists.
// Seeds: seeds/crop-*.dih
#include "fuzz/FuzzSupport.h"
#include "import/vBandImport.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"

#include <array>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Bands of 4 x 3 pixels, scene.B1 .. scene.B6, each of its own values.
    static const bool banded = [] {
        for (uint8_t b = 1; b <= 6; ++b) {
            std::array<uint8_t, 12> band{};
            for (size_t i = 0; i < band.size(); ++i)
                band[i] = static_cast<uint8_t>(b * 16 + i);
            FuzzFile("scene.B" + std::to_string(b), band.data(), band.size());
        }
        return true;
    }();
    (void)banded;
    const std::string dih = FuzzFile("scene.dih", data, size);
    RunGuarded([&dih] {
        HeaderPages = THeaderPages();
        TCropScene scene;
        if (!ChooseCropScene(dih, scene) || !DISLoaded) return;
        // The preview is kept beside the DIH once painted; each input paints its own.
        std::remove(ChangeFileExt(dih, ".BMP").c_str());
        int64_t step = 0;
        CropPreviewPicture(scene, step);
        bool tooMany = false;
        CropScene(scene, "cut.dis", {scene.Left, scene.Right, scene.Top, scene.Bottom}, tooMany);
    });
    return 0;
}
