#include "import/vBandImport.h"

#include "import/vHeaderPages.h"
#include "import/vHeaderVersions.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalMessages.h"
#include "shell/vGlobalOptions.h"
#include "shell/vPictureFiles.h"

#include <utility>

namespace {

void DescribeBandFiles(const std::string& input, int width, int height,
                       const std::vector<std::pair<DIHField, std::string>>& slots,
                       const std::vector<std::string>& written) {
    THeaderPages& h = HeaderPages;
    h.RIHMakeDISDISHeaders(ExtractFileName(input), width, height);
    // The made header's default count would send a crop after band files that were never made.
    h[DIHField::RIHNBEdit] = IntToStr(static_cast<int64_t>(written.size()));
    for (const auto& [field, name] : slots)
        h[field] = name;
    for (const std::string& path : written)
        h.DISProcessMemo.push_back(ExtractFileName(path));
    h.RIHSaveIt();
    h.DISSaveIt();
}

} // namespace

int64_t BoundValue(const std::string& text) {
    int code = 0;
    const int64_t v = ValInt(text, code);
    if (code != 0) ShowMessageNumber(39971);
    return v;
}

int NalcSplitScene(const std::string& input, TBandGauge gauge) {
    std::vector<std::string> written;
    if (int m = SplitNalcFile(input, written, gauge)) return m;
    ImageDirectory = ExtractFilePath(input);
    const DIHField slots[] = {DIHField::RIHBFName2, DIHField::RIHBFName3, DIHField::RIHBFName4,
                              DIHField::RIHBFName5};
    std::vector<std::pair<DIHField, std::string>> named;
    for (size_t i = 0; i < std::size(slots); ++i)
        named.emplace_back(slots[i], ExtractFileName(written[i]));
    DescribeBandFiles(input, NalcSide, NalcSide, named, written);
    return 0;
}

int RawSplitScene(const std::string& input, const TRawSplit& p, TBandGauge gauge) {
    std::vector<std::string> written;
    if (int m = SplitRawFile(input, p, written, gauge)) return m;
    ImageDirectory = ExtractFilePath(input);
    const DIHField slots[] = {DIHField::RIHBFName1, DIHField::RIHBFName2, DIHField::RIHBFName3,
                              DIHField::RIHBFName4, DIHField::RIHBFName5, DIHField::RIHBFName6H,
                              DIHField::RIHBFName7};
    std::vector<std::pair<DIHField, std::string>> named;
    for (size_t i = 0; i < std::size(slots) && i < written.size(); ++i)
        named.emplace_back(slots[i], ExtractFileName(written[i]));
    DescribeBandFiles(input, static_cast<int>(p.Width), static_cast<int>(p.Height), named, written);
    return 0;
}

TCropScene ChooseCropScene(const std::string& dihPath) {
    THeaderPages& h = HeaderPages;
    h.RIHOpenRIHHeader(dihPath);
    ImageDirectory = ExtractFilePath(dihPath);
    TCropScene s;
    s.DIHPath = dihPath;
    s.DISName = ChangeFileExt(ExtractFileName(dihPath), ".dis");
    s.Bands = StrToIntDef(Trim(h[DIHField::RIHNBEdit]), 0);
    s.Bottom = BoundValue(h[DIHField::RIHBR]);
    s.Top = BoundValue(h[DIHField::RIHTR]);
    s.Right = BoundValue(h[DIHField::RIHRC]);
    s.Left = BoundValue(h[DIHField::RIHLC]);
    s.Radar = h[DIHField::RIHImageTypeEdit] == "SLAR";
    SubsetBounds = {static_cast<int32_t>(s.Left), static_cast<int32_t>(s.Right),
                    static_cast<int32_t>(s.Top), static_cast<int32_t>(s.Bottom)};
    DISLoaded = true;
    return s;
}

Picture CropPreviewPicture(const TCropScene& scene, int64_t& step, TBandGauge gauge) {
    const std::string bmp = ChangeFileExt(scene.DIHPath, ".BMP");
    step = CropPreviewGeometry(scene.Right, scene.Bottom).Step;
    const std::string cached = FindFileCaseInsensitive(ExtractFilePath(bmp), ExtractFileName(bmp));
    if (!cached.empty()) {
        Picture p;
        p.Resize(PreviewSide, PreviewSide);
        const Picture read = ReadPictureFile(cached).Image;
        for (int y = 0; y < std::min(read.Height, PreviewSide); ++y)
            for (int x = 0; x < std::min(read.Width, PreviewSide); ++x)
                p.Pixels[y * PreviewSide + x] = read.Pixels[size_t(y) * read.Width + x];
        return p;
    }
    const THeaderPages& h = HeaderPages;
    const TCropPreview g =
        scene.Radar
            ? PaintCropPreview(ImageDirectory + h[DIHField::RIHBFName1], 4224, 64, scene.Right,
                               scene.Bottom, gauge)
            : PaintCropPreview(ImageDirectory +
                                   h[scene.Bands < 6 ? DIHField::RIHBFName1 : DIHField::RIHBFName5],
                               scene.Right, 0, scene.Right, scene.Bottom, gauge);
    Picture p;
    p.Resize(PreviewSide, PreviewSide);
    for (size_t i = 0; i < p.Pixels.size(); ++i)
        p.Pixels[i] = 0xFF000000u | uint32_t{g.Grey[i]} * 0x010101u;
    WritePictureFile(bmp, p, PictureFileKind::Bmp);
    return p;
}

std::string CropBandExtension(int k, bool sequential, bool fallback) {
    if (k <= 5) return ".B" + IntToStr(k) + "0";
    if (sequential) return ".B" + IntToStr(k) + "0";
    switch (k) {
    case 6:
        return fallback ? ".B70" : ".B6L";
    case 7:
        return fallback ? ".B70" : ".B6H";
    case 8:
        return fallback ? ".B80" : ".B70";
    default:
        return ".B80";
    }
}

const std::array<const char*, 9> CropBandHints = {
    "Processing Band 1",     "BSQ Processing Band 2",      "BSQ Processing Band 3",
    "BSQ Processing Band 4", "BSQ Processing Band 5",      "BSQ Processing Band 6",
    "BSQ Processing Band 7", "BSQ Processing Band 7 or 8", "Processing Band ETM 8"};

int CropScene(const TCropScene& scene, const std::string& disName, const TCropRect& rect,
              bool& tooManyBands, TBandGauge gauge, TBandHint hint) {
    tooManyBands = false;
    if (!DISLoaded) return 39993;
    // Compared as the DIS will be named: "scene.dih" or "scene" would else write over the
    // scene's own DIS.
    if (LowerCase(ChangeFileExt(disName, ".dis")) ==
        LowerCase(ChangeFileExt(ExtractFileName(scene.DIHPath), ".dis")))
        return 27;
    THeaderPages& h = HeaderPages;
    ImageDirectory = ExtractFilePath(scene.DIHPath);
    const TCropRect r = rect.Ordered();
    if (r.Left < scene.Left || r.Right > scene.Right || r.Top < scene.Top ||
        r.Bottom > scene.Bottom)
        return BandSizeMessage;
    const int64_t rowLength = StrToIntDef(Trim(h[DIHField::RIHinLine]), 0);
    const bool sequential = LowerCase(ExtractFileExt(h[DIHField::RIHBFName1])) == ".bsq";
    // A slot's own file, then the file it falls back on when its own is missing.
    using F = DIHField;
    const std::pair<F, F> slots[] = {
        {F::RIHBFName1, F::RIHBFName1},  {F::RIHBFName2, F::RIHBFName2},
        {F::RIHBFName3, F::RIHBFName3},  {F::RIHBFName4, F::RIHBFName4},
        {F::RIHBFName5, F::RIHBFName5},  {F::RIHBFName6L, F::RIHBFName7},
        {F::RIHBFName6H, F::RIHBFName7}, {F::RIHBFName7, F::RIHBFName8},
        {F::RIHBFName8, F::RIHBFName8}};
    const int64_t count = std::min<int64_t>(scene.Bands, 9);
    std::vector<TCropSource> bands;
    for (int k = 1; k <= count; ++k) {
        TCropSource b;
        bool fallback = false;
        if (sequential) {
            b.Source = ImageDirectory + h[F::RIHBFName1];
            b.Offset = (k - 1) * scene.Bottom * rowLength;
        } else {
            const auto [own, other] = slots[k - 1];
            b.Source = ImageDirectory + h[own];
            if (k > 5 && !FileExists(b.Source)) {
                b.Source = ImageDirectory + h[other];
                fallback = true;
                if (!FileExists(b.Source)) break;
            }
        }
        b.Output =
            ImageDirectory + ChangeFileExt(disName, CropBandExtension(k, sequential, fallback));
        b.Hint = CropBandHints[k - 1];
        bands.push_back(std::move(b));
    }
    if (int m = CropBandFiles(bands, rowLength, r, gauge, hint)) return m;

    const std::string dis = ChangeFileExt(disName, ".dis");
    h.RIHDISMemo.push_back(dis);
    h.RIHSaveIt();
    h.ClearDIS();
    h[DISField::DISSubsetDIH] = ExtractFileName(scene.DIHPath);
    h.DISFileEdit = ImageDirectory + dis;
    h[DISField::DISSubsetDIS] = dis;
    h[DISField::DISSubsetID] = DISVersionLine;
    h.DISSubsetNBands = IntToStr(scene.Bands);
    h[DISField::DISSubsetLeft] = IntToStr(r.Left);
    h[DISField::DISSubsetRight] = IntToStr(r.Right);
    h[DISField::DISSubsetTop] = IntToStr(r.Top);
    h[DISField::DISSubsetBottom] = IntToStr(r.Bottom);
    h[DISField::DISSubsetWidth] = IntToStr(r.Width());
    h[DISField::DISSubsetHeight] = IntToStr(r.Height());
    h.DISSaveIt();
    tooManyBands = scene.Bands > 9;
    return 0;
}
