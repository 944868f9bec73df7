#include "bandproc/vBandPicture.h"

#include "bandproc/vBandFiles.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"
#include "shell/vPictureFiles.h"
#include "shell/vPngChunks.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

// A band read row by row whose rows beyond the file's end repeat the last row it held; a band
// without one whole row leaves its rows zero.
class TPictureBand {
  public:
    TPictureBand(const std::string& path, int64_t w, int64_t h)
        : Rows(std::min(h, std::max<int64_t>(FileSizeOf(path), 0) / w)), Reader(path, w, Rows) {}
    void ReadRow(uint8_t* row) {
        if (Done == Rows) return;
        Reader.ReadRow(row);
        ++Done;
    }

  private:
    int64_t Rows;
    int64_t Done = 0;
    TBandReader Reader;
};

// The picture as the current image: the previous one's buffers and its undo copy go, the
// buffers are made anew for this size (the row stride with them), and the image commands work
// on it.
void ShowAsCurrentImage(Picture picture) {
    if (ImageBuffersAllocated) {
        FreeImageBuffers();
        if (Hooks.HistogramDisableAllNewFile) Hooks.HistogramDisableAllNewFile();
        if (Hooks.HistogramDisableAll) Hooks.HistogramDisableAll();
    }
    DisplayedPngChunks.clear();
    ReplaceDisplayedPicture(std::move(picture));
    AllocImageBuffers();
    if (ImageBuffersAllocated && Hooks.EnableImageCommands) Hooks.EnableImageCommands(true);
}

// Bands 1..`bands` of SelectedBandFiles: one band is grey, three are red, green and blue.
bool ComposeBands(int bands) {
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return false;
    HookProcessMessages();
    const int64_t w = g.W, h = g.H;
    if (!PictureSizeAcceptable(w, h)) {
        ShowMessageNumber(39977);
        return false;
    }
    // The subset's size is a header's: a band of L bytes holds no row longer than L and no more
    // than L rows, so a larger subset asks for a picture no band can fill. A missing band raises
    // the file layer's error here, before anything is allocated.
    for (int b = 0; b < bands; ++b) {
        const std::string& path = SelectedBandFiles[static_cast<size_t>(b)];
        if (!FileExists(path)) throw EInOutError(EInOutError::FileNotFound);
        const int64_t length = FileSizeOf(path);
        if (w > length || h > length) {
            ShowMessageNumber(36);
            return false;
        }
    }
    Picture picture;
    std::vector<uint8_t> rows;
    try {
        picture.Resize(static_cast<int>(w), static_cast<int>(h));
        rows.assign(static_cast<size_t>(w * bands), 0);
    } catch (const std::bad_alloc&) {
        ShowMessageNumber(39977);
        return false;
    }
    std::vector<TPictureBand> files;
    files.reserve(static_cast<size_t>(bands));
    for (int b = 0; b < bands; ++b)
        files.emplace_back(SelectedBandFiles[static_cast<size_t>(b)], w, h);
    const uint8_t* red = rows.data();
    const uint8_t* green = bands == 3 ? red + w : red;
    const uint8_t* blue = bands == 3 ? red + 2 * w : red;
    for (int64_t y = 0; y < h; ++y) {
        ShowProgress(RowGauge(y, h));
        for (int b = 0; b < bands; ++b)
            files[static_cast<size_t>(b)].ReadRow(rows.data() + b * w);
        uint32_t* out = picture.Row(static_cast<int>(y));
        for (int64_t x = 0; x < w; ++x)
            out[x] = PackPixel(red[x], green[x], blue[x]);
    }
    files.clear();
    ShowAsCurrentImage(std::move(picture));
    return true;
}

// CurrentImageName stays a bare name, since every save puts the picture's folder before it: a
// name with a folder makes that the picture's folder (and the run's), else the picture is
// made in the folder its caller gave it. The caption names the file the picture is saved as.
void NameAndSave(const std::string& folder, const std::string& name, bool save) {
    const std::string named = ExtractFilePath(name);
    if (!named.empty()) MoveSceneFolder(named);
    SetImageName(named.empty() ? folder : named, ExtractFileName(name));
    // The page that makes the picture asked about its file, its log and its DIS in one run.
    if (save) SavePictureFile();
}

} // namespace

bool SaveRGBBandsImage(const std::string& folder, const std::string& name) {
    if (!ComposeBands(3)) return false;
    const std::string ext = ExtractFileExt(name);
    NameAndSave(folder, name, ext == ".PNG" || ext == ".png");
    return true;
}

bool SaveGreyBandImage(const std::string& folder, const std::string& name) {
    if (!ComposeBands(1)) return false;
    NameAndSave(folder, ChangeFileExt(name, ".png"), true);
    return true;
}

bool SaveRGBBandsImage() {
    return SaveRGBBandsImage(CurrentImageFolder, CurrentImageName);
}

bool SaveGreyBandImage() {
    return SaveGreyBandImage(CurrentImageFolder, CurrentImageName);
}
