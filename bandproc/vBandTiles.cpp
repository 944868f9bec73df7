// Cutting band 1 into a grid of tiles and joining two or four tiles back into one band file.
// Tiles and joined files are named as the main window's numbered saves are; the divided-files list
// of the DIS carries each tile's name, width and height from the divide to the join.
#include "bandproc/vUPrepare.h"

#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalHooks.h"
#include "shell/vGlobalImage.h"
#include "shell/vGlobalMessages.h"
#include "shell/vGlobalOptions.h"
#include "shell/vPictureFiles.h"

#include <algorithm>

const std::array<TDivideLayout, 7> DivideLayouts = {
    {{1, 2}, {2, 1}, {2, 2}, {4, 2}, {4, 4}, {8, 4}, {8, 8}}};

namespace {

// Gauge to 0 however the run ends.
struct TGaugeScope {
    explicit TGaugeScope(const char* hint) {
        HookBandHints(hint);
        HookBandGauge(1);
    }
    ~TGaugeScope() { HookBandGauge(0); }
    TGaugeScope(const TGaugeScope&) = delete;
    TGaugeScope& operator=(const TGaugeScope&) = delete;
};

void RowStep(int64_t rowsDone, int64_t rows) {
    HookBandGauge(std::max(1, RowGauge(rowsDone, rows)));
    HookProcessMessages();
}

} // namespace

bool QuadDivide(int32_t layout, std::vector<std::string>& dividedList) {
    if (layout < 0 || layout >= static_cast<int32_t>(DivideLayouts.size())) return false;
    const int nx = DivideLayouts[layout].Across;
    const int ny = DivideLayouts[layout].Down;
    TBandGeometry g;
    if (!SubsetGeometry(SubsetBounds, g)) return false;
    // Every tile keeps at least one sample and one row.
    if (g.W < nx || g.H < ny) {
        ShowMessageNumber(36);
        return false;
    }
    const int64_t tw = g.W / nx;
    const int64_t th = g.H / ny;
    TGaugeScope gauge(nx * ny == 2 ? HintBand1 : HintBand);
    TBandReader band(SelectedBandFiles[0], g.W, g.H);
    std::vector<uint8_t> row(static_cast<size_t>(g.W));
    // Tiles are numbered from band 1's name; the shown picture keeps its own, so a Save still
    // writes it to its own file and never over a tile.
    std::string name = ExtractFileName(SelectedBandFiles[0]);
    std::vector<std::string> paths, listed;
    for (int ty = 0; ty < ny; ++ty)
        for (int tx = 0; tx < nx; ++tx) {
            // Out of numbers the last name comes again, as tiles are named before they reach
            // the folder: the run ends rather than write one tile over another.
            name = NextNumberedFileName(SceneFolder, name);
            const std::string path = SceneFolder + name;
            if (name.empty() || std::find(paths.begin(), paths.end(), path) != paths.end())
                return false;
            paths.push_back(path);
            listed.push_back(name);
            listed.push_back(IntToStr(tx == nx - 1 ? tw + g.W % nx : tw));
            listed.push_back(IntToStr(ty == ny - 1 ? th + g.H % ny : th));
        }
    // One question for every tile, before the first is made.
    if (RefuseProducts(paths, {SelectedBandFiles[0]})) return false;
    std::vector<TProductWriter> tiles;
    int64_t rowsDone = 0;
    for (int ty = 0; ty < ny; ++ty) {
        const int64_t height = ty == ny - 1 ? th + g.H % ny : th;
        const size_t firstTile = tiles.size();
        for (int tx = 0; tx < nx; ++tx)
            tiles.emplace_back(paths[firstTile + static_cast<size_t>(tx)]);
        for (int64_t i = 0; i < height; ++i) {
            RowStep(++rowsDone, g.H);
            band.ReadRow(row.data());
            for (int tx = 0; tx < nx; ++tx) {
                const int64_t width = tx == nx - 1 ? tw + g.W % nx : tw;
                tiles[firstTile + tx].WriteRow(row.data() + tx * tw, width);
            }
        }
        for (int tx = 0; tx < nx; ++tx)
            tiles[firstTile + tx].Close();
    }
    for (auto& t : tiles)
        t.Commit();
    dividedList.insert(dividedList.end(), listed.begin(), listed.end());
    return true;
}

void DividedSize(const std::vector<std::string>& dividedList, const std::string& name, int64_t& w,
                 int64_t& h) {
    w = h = 0;
    for (size_t i = 0; i < dividedList.size(); ++i) {
        if (dividedList[i] != name) continue;
        w = i + 1 < dividedList.size() ? StrToIntDef(dividedList[i + 1], 0) : 0;
        h = i + 2 < dividedList.size() ? StrToIntDef(dividedList[i + 2], 0) : 0;
    }
}

namespace {

struct TTile {
    int64_t W = 0;
    int64_t H = 0;
};

TTile ListedTile(const std::vector<std::string>& dividedList, int slot) {
    TTile t;
    DividedSize(dividedList, ExtractFileName(SelectedBandFiles[slot]), t.W, t.H);
    return t;
}

// The tiles' rows laid side by side: `across` tiles per output row, `tiles` in reading order.
bool JoinTiles(const std::vector<TTile>& tiles, int across, const char* hint,
               std::vector<std::string>& processList, std::string& combinedFileEdit) {
    // Sizes beyond any scene come from a damaged list; no buffer is sized from them.
    for (const auto& t : tiles)
        if (!SaneBandSize(t.W, t.H)) {
            ShowMessageNumber(36);
            return false;
        }
    int64_t outWidth = 0;
    int64_t outHeight = 0;
    for (int c = 0; c < across; ++c)
        outWidth += tiles[c].W;
    for (size_t t = 0; t < tiles.size(); t += across)
        outHeight += tiles[t].H;
    TGaugeScope gauge(hint);
    std::vector<TBandReader> inputs;
    for (size_t t = 0; t < tiles.size(); ++t)
        inputs.emplace_back(SelectedBandFiles[t], tiles[t].W, tiles[t].H);
    const std::string name = NextNumberedFileName(SceneFolder, combinedFileEdit);
    if (name.empty()) return false;
    std::vector<std::string> sources;
    for (size_t t = 0; t < tiles.size(); ++t)
        sources.push_back(SelectedBandFiles[t]);
    if (RefuseProducts({SceneFolder + name}, sources)) return false;
    TProductWriter joined(SceneFolder + name);
    std::vector<uint8_t> row(static_cast<size_t>(outWidth));
    int64_t rowsDone = 0;
    for (size_t t = 0; t < tiles.size(); t += across) {
        for (int64_t i = 0; i < tiles[t].H; ++i) {
            RowStep(++rowsDone, outHeight);
            int64_t at = 0;
            for (int c = 0; c < across; ++c) {
                inputs[t + c].ReadRow(row.data() + at);
                at += tiles[t + c].W;
            }
            joined.WriteRow(row.data(), outWidth);
        }
    }
    joined.Commit();
    processList.push_back(name);
    combinedFileEdit = name;
    return true;
}

} // namespace

bool CombineTwoVertical(const std::vector<std::string>& dividedList,
                        std::vector<std::string>& processList, std::string& combinedFileEdit) {
    if (RefuseEmptyName(combinedFileEdit)) return false;
    const TTile a = ListedTile(dividedList, 0), b = ListedTile(dividedList, 1);
    if (!(a.W > 0 && a.W == b.W)) {
        ShowMessageNumber(39992);
        return false;
    }
    return JoinTiles({a, b}, 1, HintBand1, processList, combinedFileEdit);
}

bool CombineTwoHorizontal(const std::vector<std::string>& dividedList,
                          std::vector<std::string>& processList, std::string& combinedFileEdit) {
    if (RefuseEmptyName(combinedFileEdit)) return false;
    const TTile a = ListedTile(dividedList, 0), b = ListedTile(dividedList, 1);
    if (!(a.H > 0 && a.H == b.H)) {
        ShowMessageNumber(39991);
        return false;
    }
    return JoinTiles({a, b}, 2, HintBand1, processList, combinedFileEdit);
}

bool CombineFour(const std::vector<std::string>& dividedList, std::vector<std::string>& processList,
                 std::string& combinedFileEdit) {
    if (RefuseEmptyName(combinedFileEdit)) return false;
    const TTile t1 = ListedTile(dividedList, 0), t2 = ListedTile(dividedList, 1);
    const TTile t3 = ListedTile(dividedList, 2), t4 = ListedTile(dividedList, 3);
    const bool heights = t1.H > 0 && t2.H > 0 && t3.H > 0 && t4.H > 0;
    if (!(heights && t1.H == t2.H && t3.H == t4.H && t1.W == t3.W && t2.W == t4.W)) {
        ShowMessageNumber(39990);
        return false;
    }
    return JoinTiles({t1, t2, t3, t4}, 2, HintCombine4, processList, combinedFileEdit);
}
