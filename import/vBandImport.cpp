#include "import/vBandImport.h"

#include "import/vHeaderPages.h"
#include "import/vHeaderVersions.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalMessages.h"
#include "shell/vGlobalOptions.h"
#include "shell/vPictureFiles.h"

#include <algorithm>
#include <utility>

namespace {

struct TCropSlot {
    DIHField Field;
    const char* Extension;
};

// Band k's slots in the order they are tried, from separate band files. The raw splitter puts a
// sixth band into 6H, so band 6 looks there as well as in 6L.
const std::vector<TCropSlot>& CropSlots(int k) {
    using F = DIHField;
    static const std::array<std::vector<TCropSlot>, 9> slots = {{
        {{F::RIHBFName1, ".B10"}},
        {{F::RIHBFName2, ".B20"}},
        {{F::RIHBFName3, ".B30"}},
        {{F::RIHBFName4, ".B40"}},
        {{F::RIHBFName5, ".B50"}},
        {{F::RIHBFName6L, ".B6L"}, {F::RIHBFName6H, ".B6H"}, {F::RIHBFName7, ".B70"}},
        {{F::RIHBFName6H, ".B6H"}, {F::RIHBFName7, ".B70"}},
        {{F::RIHBFName7, ".B70"}, {F::RIHBFName8, ".B80"}},
        {{F::RIHBFName8, ".B80"}},
    }};
    return slots[static_cast<size_t>(k - 1)];
}

// The first slot of band k that names a file in `dir` no earlier band took; null when there is
// none.
const TCropSlot* FindCropSlot(const THeaderPages& h, const std::string& dir, int k,
                              const std::vector<DIHField>& taken) {
    for (const TCropSlot& slot : CropSlots(k)) {
        if (std::find(taken.begin(), taken.end(), slot.Field) != taken.end()) continue;
        const std::string& name = h[slot.Field];
        if (!name.empty() && FileExists(dir + name)) return &slot;
    }
    return nullptr;
}

// The split describes its bands in a DIH and a DIS named like the input; an input bearing one
// of those names would be written over.
bool HeadersNameTheInput(const std::string& input) {
    return NamesAnInput({ChangeFileExt(input, ".dih"), ChangeFileExt(input, ".dis")}, {input});
}

// The crop preview kept beside a scene's DIH, in any letter case; empty when there is none.
std::string CachedPreview(const std::string& dihPath) {
    const std::string bmp = ChangeFileExt(dihPath, ".BMP");
    return FindFileCaseInsensitive(ExtractFilePath(bmp), ExtractFileName(bmp));
}

// A split writes its bands and the DIH and DIS named like the input, and paints the crop preview
// kept beside them again; files of those names may describe another scene (or be this one's, with
// the records of every run since): the user is asked once for all of them before anything is
// written.
int MaySplitInto(TWriteRun& run, const std::string& input, std::vector<std::string> bands) {
    if (NamesAnInput(bands, {input})) return OutputIsInputMessage;
    bands.push_back(ChangeFileExt(input, ".dih"));
    bands.push_back(ChangeFileExt(input, ".dis"));
    const std::string preview = CachedPreview(ChangeFileExt(input, ".dih"));
    if (!preview.empty()) bands.push_back(preview);
    return run.MayWrite(bands) ? 0 : NothingWrittenRefusal;
}

// The crop page's values of the scene the pages describe.
TCropScene SceneOfPages(const THeaderPages& h, const std::string& dihPath) {
    TCropScene s;
    s.DIHPath = dihPath;
    s.DISName = ChangeFileExt(ExtractFileName(dihPath), ".dis");
    s.Bands = StrToIntDef(Trim(h[DIHField::RIHNBEdit]), 0);
    s.Bottom = BoundValue(h[DIHField::RIHBR]);
    s.Top = BoundValue(h[DIHField::RIHTR]);
    s.Right = BoundValue(h[DIHField::RIHRC]);
    s.Left = BoundValue(h[DIHField::RIHLC]);
    s.Radar = h[DIHField::RIHImageTypeEdit] == "SLAR";
    s.Pages.AssignScene(h);
    return s;
}

// The scene's preview painted from its band and kept at `bmp` for the next choice.
Picture PaintScenePreview(const TCropScene& scene, const std::string& bmp, TBandGauge gauge) {
    const THeaderPages& h = scene.Pages;
    // The scene's bands lie beside its DIH, wherever the working folder has moved since.
    const std::string dir = ExtractFilePath(scene.DIHPath);
    const TCropPreview g =
        scene.Radar ? PaintCropPreview(dir + h[DIHField::RIHBFName1], 4224, 64, scene.Right,
                                       scene.Bottom, gauge)
                    : PaintCropPreview(
                          dir + h[scene.Bands < 6 ? DIHField::RIHBFName1 : DIHField::RIHBFName5],
                          scene.Right, 0, scene.Right, scene.Bottom, gauge);
    Picture p;
    p.Resize(PreviewSide, PreviewSide);
    for (size_t i = 0; i < p.Pixels.size(); ++i)
        p.Pixels[i] = 0xFF000000u | uint32_t{g.Grey[i]} * 0x010101u;
    WriteMadePictureFile(bmp, p, PictureFileKind::Bmp, TReplaceLeave::None());
    return p;
}

void DescribeBandFiles(const std::string& input, int width, int height,
                       const std::vector<std::pair<DIHField, std::string>>& slots,
                       const std::vector<std::string>& written) {
    THeaderPages& h = HeaderPages;
    // Filled, completed, then saved once: a header that cannot be written is reported once.
    h.FillMadePages(ExtractFilePath(input), input, width, height);
    // The made header's default count would send a crop after band files that were never made.
    h[DIHField::RIHNBEdit] = IntToStr(static_cast<int64_t>(written.size()));
    for (const auto& [field, name] : slots)
        h[field] = name;
    for (const std::string& path : written)
        h.DISProcessMemo.push_back(ExtractFileName(path));
    h.RIHSaveIt();
    h.DISSaveIt();
    // A preview kept from a scene split here before shows that scene: picked from, it put the
    // crop's bounds where the new scene has other pixels. The split's question let it go, and
    // the new scene's takes its place.
    const std::string dih = ChangeFileExt(input, ".dih");
    const std::string preview = CachedPreview(dih);
    if (!preview.empty()) PaintScenePreview(SceneOfPages(h, dih), preview, nullptr);
}

} // namespace

int64_t BoundValue(const std::string& text) {
    int code = 0;
    const int64_t v = ValInt(text, code);
    if (code != 0) ShowMessageNumber(39971);
    return v;
}

int NalcSplitScene(const std::string& input, TBandGauge gauge) {
    if (HeadersNameTheInput(input)) return OutputIsInputMessage;
    std::vector<std::string> bands;
    for (const char* ext : NalcExtensions)
        bands.push_back(ChangeFileExt(input, ext));
    TWriteRun run;
    if (int m = MaySplitInto(run, input, bands)) return m;
    std::vector<std::string> written;
    if (int m = SplitNalcFile(input, written, gauge)) return m;
    ImageDirectory = ExtractFilePath(input);
    // Bands 1 to 4 are MSS bands 2 to 5 and keep those slots; the fifth goes into the first
    // slot, which the crop and its preview start from, so the scene can be cut whole.
    const DIHField slots[] = {DIHField::RIHBFName2, DIHField::RIHBFName3, DIHField::RIHBFName4,
                              DIHField::RIHBFName5, DIHField::RIHBFName1};
    std::vector<std::pair<DIHField, std::string>> named;
    for (size_t i = 0; i < std::size(slots); ++i)
        named.emplace_back(slots[i], ExtractFileName(written[i]));
    DescribeBandFiles(input, NalcSide, NalcSide, named, written);
    return 0;
}

int RawSplitScene(const std::string& input, const TRawSplit& p, TBandGauge gauge) {
    if (HeadersNameTheInput(input)) return OutputIsInputMessage;
    std::vector<std::string> bands;
    for (int64_t b = 1; b <= std::min(p.Bands, MaxSplitValue); ++b)
        bands.push_back(ChangeFileExt(input, RawBandExtension(b)));
    TWriteRun run;
    if (int m = MaySplitInto(run, input, bands)) return m;
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

bool ChooseCropScene(const std::string& dihPath, TCropScene& scene) {
    THeaderPages& h = HeaderPages;
    // Cleared first: a DIH refused, or one whose read stops at a bad number, must leave no crop
    // armed to cut the last scene's bands under the new names.
    DISLoaded = false;
    if (!h.RIHOpenRIHHeader(dihPath)) return false;
    ImageDirectory = ExtractFilePath(dihPath);
    const TCropScene s = SceneOfPages(h, dihPath);
    scene = s;
    for (int64_t bound : {s.Left, s.Right, s.Top, s.Bottom})
        if (bound < 0 || bound > MaxSplitValue) {
            ShowMessageNumber(BandSizeMessage);
            return false;
        }
    SubsetBounds = {static_cast<int32_t>(s.Left), static_cast<int32_t>(s.Right),
                    static_cast<int32_t>(s.Top), static_cast<int32_t>(s.Bottom)};
    DISLoaded = true;
    return true;
}

Picture CropPreviewPicture(const TCropScene& scene, int64_t& step, TBandGauge gauge) {
    step = CropPreviewGeometry(scene.Right, scene.Bottom).Step;
    const std::string cached = CachedPreview(scene.DIHPath);
    if (!cached.empty()) {
        Picture p;
        p.Resize(PreviewSide, PreviewSide);
        const Picture read = ReadPictureFile(cached).Image;
        for (int y = 0; y < std::min(read.Height, PreviewSide); ++y)
            for (int x = 0; x < std::min(read.Width, PreviewSide); ++x)
                p.Pixels[y * PreviewSide + x] = read.Pixels[size_t(y) * read.Width + x];
        return p;
    }
    // Made only where no preview is cached.
    return PaintScenePreview(scene, ChangeFileExt(scene.DIHPath, ".BMP"), gauge);
}

bool NamesTheScenesDIS(const TCropScene& scene, const std::string& disName) {
    const std::string dis = ChangeFileExt(disName, ".dis");
    const std::string own = ChangeFileExt(ExtractFileName(scene.DIHPath), ".dis");
    // Compared as the DIS will be named, in any letter case ("scene.dih", "scene") and as a
    // file ("./scene", "sub/../scene").
    const std::string dir = ExtractFilePath(scene.DIHPath);
    return LowerCase(dis) == LowerCase(own) || NamesAnInput({dir + dis}, {dir + own});
}

std::string SequentialCropExtension(int k) {
    return ".B" + IntToStr(k) + "0";
}

const std::array<const char*, 9> CropBandHints = {
    "Processing Band 1",     "BSQ Processing Band 2",      "BSQ Processing Band 3",
    "BSQ Processing Band 4", "BSQ Processing Band 5",      "BSQ Processing Band 6",
    "BSQ Processing Band 7", "BSQ Processing Band 7 or 8", "Processing Band ETM 8"};

int CropScene(TCropScene& scene, const std::string& disName, const TCropRect& rect,
              bool& tooManyBands, TBandGauge gauge, TBandHint hint) {
    tooManyBands = false;
    // Only a scene read on the page is cut: without one the band names and the folder would
    // be whatever the pages last held.
    if (!DISLoaded || scene.DIHPath.empty()) return 39993;
    if (NamesTheScenesDIS(scene, disName)) return OutputIsInputMessage;
    // Without a name the DIS and every band would be hidden files named by their extension alone
    // (".dis", ".B10"), and the DIH would list ".dis".
    if (ChangeFileExt(disName, "").empty()) return NoHeaderNameMessage;
    // The new DIS and its bands lie beside the scene: the name is a file name.
    if (RefuseFolderInName(disName)) return NothingWrittenRefusal;
    // The main window may have opened another picture since the scene was chosen and put that
    // picture's headers on the pages: cut from them, the crop looked for bands the scene has not.
    THeaderPages h = HeaderPages;
    h.AssignScene(scene.Pages);
    // ImageDirectory moves to the scene's folder only with a crop that is made.
    const std::string dir = ExtractFilePath(scene.DIHPath);
    const TCropRect r = rect.Ordered();
    if (r.Left < scene.Left || r.Right > scene.Right || r.Top < scene.Top ||
        r.Bottom > scene.Bottom)
        return BandSizeMessage;
    const int64_t rowLength = StrToIntDef(Trim(h[DIHField::RIHinLine]), 0);
    // Bounded before the band offsets are formed from them.
    if (rowLength < 1 || rowLength > MaxSplitValue || scene.Bottom > MaxSplitValue)
        return BandSizeMessage;
    const bool sequential = LowerCase(ExtractFileExt(h[DIHField::RIHBFName1])) == ".bsq";
    const int64_t count = std::min<int64_t>(scene.Bands, 9);
    std::vector<TCropSource> bands;
    std::vector<DIHField> taken;
    for (int k = 1; k <= count; ++k) {
        TCropSource b;
        std::string ext;
        if (sequential) {
            b.Source = dir + h[DIHField::RIHBFName1];
            b.Offset = (k - 1) * scene.Bottom * rowLength;
            ext = SequentialCropExtension(k);
        } else {
            const TCropSlot* slot = FindCropSlot(h, dir, k, taken);
            // A band the DIH counts but no file holds: the crop would else end early and the
            // new DIS still claim every band.
            if (!slot) return MissingBandMessage;
            taken.push_back(slot->Field);
            b.Source = dir + h[slot->Field];
            ext = slot->Extension;
        }
        b.Output = dir + ChangeFileExt(disName, ext);
        b.Hint = CropBandHints[k - 1];
        bands.push_back(std::move(b));
    }
    const std::string dis = ChangeFileExt(disName, ".dis");
    std::vector<std::string> sources = {scene.DIHPath}, targets = {dir + dis};
    for (const TCropSource& b : bands) {
        sources.push_back(b.Source);
        targets.push_back(b.Output);
    }
    if (NamesAnInput(targets, sources)) return OutputIsInputMessage;
    // A new DIS name may be another scene's: its DIS and bands go only when the user says so.
    // The scene's DIH takes the new DIS into its list: changed since it was read, it is asked
    // about in the same question, before any band is cut.
    targets.push_back(scene.DIHPath);
    TWriteRun run;
    if (!run.MayWrite(targets, TReplaceLeave::Own(h.DIHStamp))) return NothingWrittenRefusal;
    if (int m = CropBandFiles(bands, rowLength, r, gauge, hint)) return m;

    ImageDirectory = dir;
    h.RIHDISMemo.push_back(dis);
    // The list goes into the DIH that was chosen, not into the one its name line names.
    h.RIHSaveTo(scene.DIHPath);
    h.ClearDIS();
    h[DISField::DISSubsetDIH] = ExtractFileName(scene.DIHPath);
    h.NameDIS(dir + dis);
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
    scene.Pages.AssignScene(h);
    HeaderPages.AssignScene(h);
    tooManyBands = scene.Bands > 9;
    return 0;
}
