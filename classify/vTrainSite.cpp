#include "classify/vTrainSite.h"

#include "shell/vGlobal.h"

#include <algorithm>
#include <cstdlib>

int32_t TrainingClass = 1;

void TrainSiteFromRect(SiteTable& sites, int32_t trainingClass, const SelectionRect& box) {
    if (trainingClass < 1 || trainingClass > 9) return;
    if (!ImageBuffersAllocated || DisplayedPicture.Empty()) return;
    SiteRecord& s = sites[static_cast<size_t>(trainingClass)];
    // The shown picture is read as it stands, without taking a copy for processing: that copy is
    // the undo step of the last operation, which training must leave to Undo.
    const Picture& shown = DisplayedPicture;
    const int32_t left = std::min<int32_t>(box.Left, shown.Width - 1);
    const int32_t right = std::min<int32_t>(box.Right, shown.Width - 1);
    const int32_t top = std::min<int32_t>(box.Top, shown.Height - 1);
    const int32_t bottom = std::min<int32_t>(box.Bottom, shown.Height - 1);
    const bool fresh = s.Count == 0;
    int refR = s.Rcent, refG = s.Gcent, refB = s.Bcent;
    int64_t n = 0, sumR = 0, sumG = 0, sumB = 0;
    for (int32_t row = top; row <= bottom; ++row) {
        const uint32_t* px = shown.Row(row);
        for (int32_t x = left; x <= right; ++x) {
            const uint8_t r = PixelRed(px[x]), g = PixelGreen(px[x]), b = PixelBlue(px[x]);
            if (fresh && n == 0) refR = r, refG = g, refB = b;
            ++n;
            const double d = std::abs(refR - r) + std::abs(refG - g) + std::abs(refB - b);
            if (s.Radius < d) s.Radius = d;
            s.Rmin = std::min(s.Rmin, r);
            s.Rmax = std::max(s.Rmax, r);
            s.Gmin = std::min(s.Gmin, g);
            s.Gmax = std::max(s.Gmax, g);
            s.Bmin = std::min(s.Bmin, b);
            s.Bmax = std::max(s.Bmax, b);
            sumR += r;
            sumG += g;
            sumB += b;
        }
    }
    s.SumR = sumR;
    s.SumG = sumG;
    s.SumB = sumB;
    s.Rcent = s.Rmin;
    s.Gcent = s.Gmin;
    s.Bcent = s.Bmin;
    s.Count = static_cast<int32_t>(s.Count + n);
}
