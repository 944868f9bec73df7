#include "import/vLLCrop.h"

#include "import/vHeaderPages.h"
#include "import/vSceneProjection.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

namespace {

using F = DIHField;
using D = DISField;

// The box's corners on the DIH page, in the page's order.
const F SceneCorners[8] = {F::ULLongitudeEdit, F::ULLatitudeEdit,  F::URLongitudeEdit,
                           F::URLatitudeEdit,  F::LLLongitudeEdit, F::LLLatitudeEdit,
                           F::LRLongitudeEdit, F::LRLatitudeEdit};
// Where the DIS keeps the box (longitude, latitude) and its map corners (x, y).
const D BoxFields[8] = {D::DISULLongitude, D::DISULLatitude, D::DISURLongitude, D::DISURLatitude,
                        D::DISLLLongitude, D::DISLLLatitude, D::DISLRLongitude, D::DISLRLatitude};
const D MapFields[8] = {D::DISULRegX, D::DISULRegY, D::DISURRegX, D::DISURRegY,
                        D::DISLLRegX, D::DISLLRegY, D::DISLRRegX, D::DISLRRegY};

} // namespace

bool ChooseDIHForLLCrop(const std::string& dihPath, TLLCropValues& page, TCropScene& scene) {
    if (!ChooseCropScene(dihPath, scene)) return false;
    const THeaderPages& h = HeaderPages;
    page.DIHSubsetFileEdit = ExtractFileName(dihPath);
    page.DIHSubsetDISEdit = page.DIHSubsetFileEdit;
    page.DIHSubsetLCEdit = h[F::RIHLC];
    page.DIHSubsetRCEdit = h[F::RIHRC];
    page.DIHSubsetTREdit = h[F::RIHTR];
    page.DIHSubsetBREdit = h[F::RIHBR];
    page.DIHSubsetWEdit = IntToStr(scene.Right - scene.Left + 1);
    page.DIHSubsetHEdit = IntToStr(scene.Bottom - scene.Top + 1);
    for (size_t i = 0; i < 8; ++i)
        page.Box[i] = h[SceneCorners[i]];
    DISLoaded = h.Checked(F::CoordinatesValidCBox);
    if (!DISLoaded) ShowMessageNumber(39966);
    return true;
}

bool LatLongToMetersToIMAGEPixels(TLLCropValues& page) {
    THeaderPages& h = HeaderPages;
    if (h.Checked(F::NeverProjectedCB)) ShowMessageNumber(39964);
    if (!h.Checked(F::IsProjectedCB)) {
        ShowMessageNumber(39964);
        return false;
    }
    PrepareLonLatToScene(h);
    const ProjectionRun run = SetMapProjection(ProjectLLCropBox, h, &page.Box, &page.DDLL);
    // A corner the library could not take keeps its degrees, which are no map coordinates.
    if (run.Status == ProjectionRunStatus::UnitError ||
        (run.Status == ProjectionRunStatus::Done && !run.AllPointsDone()))
        return false;
    // Equal blocks leave the box as it stands: the scene counts in degrees itself.
    if (run.Status == ProjectionRunStatus::Unchanged) page.DDLL = page.Box;
    SceneGrid grid;
    TSubsetBounds bounds;
    if (!SceneGrid::FromPages(h, grid) || !grid.BoxToPixelBounds(run.Points, bounds)) return false;
    page.Bounds = {bounds.SubsetLeft, bounds.SubsetRight, bounds.SubsetTop, bounds.SubsetBottom};
    page.BoundsSet = true;
    return true;
}

int LLCropScene(TCropScene& scene, TLLCropValues& page, bool& tooManyBands, TBandGauge gauge,
                TBandHint hint) {
    tooManyBands = false;
    if (!DISLoaded) return 39993;
    // The DIH's own name proposed by the page would else pass and the scene's own DIS be
    // written over by the subset's.
    if (NamesTheScenesDIS(scene, page.DIHSubsetDISEdit)) return 27;
    // ImageDirectory moves to the scene's folder only with the crop that is made.
    if (!LatLongToMetersToIMAGEPixels(page)) return 39965;
    if (const int refusal =
            CropScene(scene, page.DIHSubsetDISEdit, page.Bounds, tooManyBands, gauge, hint))
        return refusal;
    // The crop starts the DIS afresh, so the box is written into it afterwards.
    THeaderPages& h = HeaderPages;
    for (size_t i = 0; i < 8; ++i) {
        h[BoxFields[i]] = page.Box[i];
        h[MapFields[i]] = page.DDLL[i];
    }
    h.SetChecked(D::DISRegistrationValidCB, true);
    h.DISSaveIt();
    return 0;
}
