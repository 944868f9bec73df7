#include "classify/vClassifiers.h"

#include "classify/vClassDispatch.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <utility>

ClassColorTable ClassPaintColors{};
ClassRefitChoice ClassifierRefits;

uint32_t& ClassOptionColor(int k) {
    if (k >= 1 && k <= 9) return ClassColors[static_cast<size_t>(k - 1)];
    if (k >= 11 && k <= 19) return ClassColorRamps[static_cast<size_t>(k - 11)][15];
    if (k == 10) return ColorSettings[4];
    if (k == 20) return ColorSettings[6];
    return ColorSettings[3];
}

void ClassPaintColorsFromOptions() {
    for (int k = 0; k < SiteCount; ++k)
        ClassPaintColors[static_cast<size_t>(k)] = ClassOptionColor(k);
}

bool SwapSiteClasses(SiteTable& sites, int32_t i, int32_t j, bool siteFilePresent) {
    if (!siteFilePresent || i == j || i < 1 || j < 1 || i >= SiteCount || j >= SiteCount) {
        ShowMessageNumber(13);
        return false;
    }
    std::swap(sites[static_cast<size_t>(i)], sites[static_cast<size_t>(j)]);
    return true;
}

namespace {

// The largest class number the tables hold.
constexpr int LastClass = SiteCount - 1;

// The counts and band sums of one pass (red, green, blue), written to the table at its end so
// that the pixel loop touches no record.
struct PassTally {
    int64_t Count[SiteCount] = {};
    int64_t Sum[SiteCount][3] = {};

    void Store(SiteTable& sites) const {
        for (int k = 0; k < SiteCount; ++k) {
            SiteRecord& s = sites[static_cast<size_t>(k)];
            s.Count = static_cast<int32_t>(Count[k]);
            s.SumR = Sum[k][0];
            s.SumG = Sum[k][1];
            s.SumB = Sum[k][2];
        }
    }
};

// A class without a centre takes its box minimum as one.
void FillCentres(SiteTable& sites, int last) {
    for (int k = 1; k <= last; ++k) {
        SiteRecord& s = sites[static_cast<size_t>(k)];
        if (s.Rcent != 0) continue;
        s.Rcent = s.Rmin;
        s.Gcent = s.Gmin;
        s.Bcent = s.Bmin;
    }
}

// The n-th unclassified pixel replaces a spare class at 10..20 unclassified pixels and at each
// hundred up to a thousand; 0 when n is none of those.
int SpareClass(int64_t n) {
    if (n >= 10 && n <= 20) return static_cast<int>(n);
    if (n >= 100 && n <= 1000 && n % 100 == 0) return static_cast<int>(n / 100 + 10);
    return 0;
}

struct Centre {
    int R, G, B;
};
Centre CentreOf(const SiteRecord& s) {
    return {s.Rcent, s.Gcent, s.Bcent};
}

// Paint bytes per class in the buffer's order (blue, green, red).
std::array<std::array<uint8_t, 3>, SiteCount> PaintBytes(const ClassColorTable& colors) {
    std::array<std::array<uint8_t, 3>, SiteCount> paint{};
    for (size_t k = 0; k < SiteCount; ++k)
        paint[k] = {static_cast<uint8_t>(colors[k] >> 16), static_cast<uint8_t>(colors[k] >> 8),
                    static_cast<uint8_t>(colors[k])};
    return paint;
}

// The mean of the pixels a class took, per band.
std::array<double, 3> MeanOf(const SiteRecord& s) {
    const double n = s.Count;
    return {static_cast<double>(s.SumR) / n, static_cast<double>(s.SumG) / n,
            static_cast<double>(s.SumB) / n};
}

// A class that took no pixel has no mean: its radius stays.
void RefitL1(SiteTable& sites, int first, int last) {
    for (int k = first; k <= last; ++k) {
        SiteRecord& s = sites[static_cast<size_t>(k)];
        if (s.Count <= 0) continue;
        const auto m = MeanOf(s);
        s.Radius = std::abs(s.Rcent - m[0]) + std::abs(s.Gcent - m[1]) + std::abs(s.Bcent - m[2]);
    }
}
void RefitEuclid(SiteTable& sites, int last) {
    for (int k = 0; k <= last; ++k) {
        SiteRecord& s = sites[static_cast<size_t>(k)];
        if (s.Count <= 0) continue;
        const auto m = MeanOf(s);
        s.Radius =
            std::sqrt((s.Rcent - m[0]) * (s.Rcent - m[0]) + (s.Gcent - m[1]) * (s.Gcent - m[1]) +
                      (s.Bcent - m[2]) * (s.Bcent - m[2]));
    }
}

enum class SpareSeed { None, Point, Widened };

// The pass every classifier shares: `choose(r, g, b)` gives the class of a pixel.
template <class Choose>
void ClassPass(const ClassImage& image, ClassRun& run, Choose choose, SpareSeed seed,
               int32_t radius, bool widen) {
    SiteTable& sites = *run.Sites;
    PassTally tally;
    const auto paint = PaintBytes(run.Colors);
    const size_t rowBytes = static_cast<size_t>(image.MaxX + 1) * 3;
    const uint8_t* source = image.Source ? image.Source : image.Buffer;
    for (int32_t y = 0; y <= image.MaxY; ++y) {
        run.Progress(RowPercent(y, image.MaxY));
        const size_t row = static_cast<size_t>(y) * static_cast<size_t>(image.Stride);
        uint8_t* px = image.Buffer + row;
        const uint8_t* in = source + row;
        for (size_t i = 0; i < rowBytes; i += 3) {
            const uint8_t b = in[i], g = in[i + 1], r = in[i + 2];
            const int c = choose(r, g, b);
            ++tally.Count[c];
            tally.Sum[c][0] += r;
            tally.Sum[c][1] += g;
            tally.Sum[c][2] += b;
            px[i] = paint[static_cast<size_t>(c)][0];
            px[i + 1] = paint[static_cast<size_t>(c)][1];
            px[i + 2] = paint[static_cast<size_t>(c)][2];
            if (c > 0 && widen) {
                SiteRecord& s = sites[static_cast<size_t>(c)];
                const auto grow = [](uint8_t v, uint8_t& lo, uint8_t& hi) {
                    if (v < lo)
                        lo = v;
                    else if (v > hi)
                        hi = v;
                };
                grow(r, s.Rmin, s.Rmax);
                grow(g, s.Gmin, s.Gmax);
                grow(b, s.Bmin, s.Bmax);
            }
            if (c != 0 || seed == SpareSeed::None) continue;
            const int spare = SpareClass(tally.Count[0]);
            if (!spare) continue;
            SiteRecord& s = sites[static_cast<size_t>(spare)];
            tally.Count[spare] = 1;
            s.Rcent = r, s.Gcent = g, s.Bcent = b;
            if (seed == SpareSeed::Point) {
                s.Rmin = s.Rmax = r, s.Gmin = s.Gmax = g, s.Bmin = s.Bmax = b;
                continue;
            }
            tally.Sum[spare][0] = r, tally.Sum[spare][1] = g, tally.Sum[spare][2] = b;
            // Any radius wraps the box limits modulo 256, the largest too.
            const auto around = [radius](uint8_t v, uint8_t& lo, uint8_t& hi) {
                lo = static_cast<uint8_t>(int64_t{v} - radius);
                hi = static_cast<uint8_t>(int64_t{v} + radius);
            };
            around(r, s.Rmin, s.Rmax);
            around(g, s.Gmin, s.Gmax);
            around(b, s.Bmin, s.Bmax);
        }
    }
    tally.Store(sites);
}

// The nearest centre of classes 1..last whose squared distance is below `limit2`; ties go to
// the lower class.
struct NearestCentre {
    Centre C[SiteCount];
    int Last;
    int64_t Limit2;
    int operator()(int r, int g, int b) const {
        int best = 0;
        int64_t bestD = Limit2;
        for (int k = 1; k <= Last; ++k) {
            const int dr = C[k].R - r, dg = C[k].G - g, db = C[k].B - b;
            const int64_t d = int64_t{dr} * dr + int64_t{dg} * dg + int64_t{db} * db;
            if (d < bestD) best = k, bestD = d;
        }
        return best;
    }
};

NearestCentre NearestOf(const SiteTable& sites, int last, int32_t radius) {
    NearestCentre n{};
    for (int k = 1; k <= last; ++k)
        n.C[k] = CentreOf(sites[static_cast<size_t>(k)]);
    n.Last = last;
    // No two colours lie further apart than 255 * sqrt(3), under this reach: a larger one takes
    // every colour alike, and squared unclamped it would overflow for radii past 10^9.
    constexpr int64_t WholeCube = 442;
    const int64_t t = std::min(3 * int64_t{radius}, WholeCube);
    n.Limit2 = t > 0 ? t * t : 0;
    return n;
}

int ClassLimit(int32_t maxClusters) {
    return std::clamp<int32_t>(maxClusters, 0, LastClass);
}

} // namespace

void ParallelBoxImage(const ClassImage& image, ClassRun& run, int32_t classifier, int32_t radius) {
    SiteTable& sites = *run.Sites;
    FillCentres(sites, 9);
    // Per band value, one bit per class whose box holds it (bit k - 1 for class k).
    uint16_t masks[3][256] = {};
    Centre centre[10] = {};
    for (int k = 1; k <= 9; ++k) {
        const SiteRecord& s = sites[static_cast<size_t>(k)];
        const uint8_t lo[3] = {s.Rmin, s.Gmin, s.Bmin}, hi[3] = {s.Rmax, s.Gmax, s.Bmax};
        for (int band = 0; band < 3; ++band)
            for (int v = lo[band]; v <= hi[band]; ++v)
                masks[band][v] = static_cast<uint16_t>(masks[band][v] | 1u << (k - 1));
        centre[k] = CentreOf(s);
    }
    const bool nearest = classifier == 3;
    const int64_t limit = 3 * int64_t{radius};
    ClassPass(
        image, run,
        [&](int r, int g, int b) {
            const unsigned m = masks[0][r] & masks[1][g] & masks[2][b];
            if (std::has_single_bit(m)) return std::countr_zero(m) + 1;
            if (!nearest) return 0;
            int best = 0;
            int64_t bestD = limit;
            for (int k = 1; k <= 9; ++k) {
                const int d = std::abs(centre[k].R - r) + std::abs(centre[k].G - g) +
                              std::abs(centre[k].B - b);
                if (d < bestD) best = k, bestD = d;
            }
            return best;
        },
        SpareSeed::Point, radius, false);
    if (run.Refits.Radius) RefitL1(sites, 1, 9);
}

void ClusterAsTrainedImage(const ClassImage& image, ClassRun& run, int32_t radius,
                           int32_t maxClusters, bool refitRadius) {
    SiteTable& sites = *run.Sites;
    FillCentres(sites, 9);
    Centre centre[10] = {};
    double reach[10] = {};
    for (int k = 1; k <= 9; ++k) {
        centre[k] = CentreOf(sites[static_cast<size_t>(k)]);
        reach[k] = sites[static_cast<size_t>(k)].Radius;
    }
    ClassPass(
        image, run,
        [&](int r, int g, int b) {
            int best = 0;
            double bestScore = -1.0;
            for (int k = 1; k <= 9; ++k) {
                const double score =
                    reach[k] - (std::abs(centre[k].R - r) + std::abs(centre[k].G - g) +
                                std::abs(centre[k].B - b));
                if (score > bestScore) best = k, bestScore = score;
            }
            return best;
        },
        SpareSeed::Widened, radius, run.Refits.Pipeds);
    if (refitRadius && maxClusters > 0) RefitL1(sites, 1, ClassLimit(maxClusters));
}

void ClusterRadiusImage(const ClassImage& image, ClassRun& run, int32_t radius,
                        int32_t maxClusters) {
    const int last = ClassLimit(maxClusters);
    FillCentres(*run.Sites, last);
    ClassPass(image, run, NearestOf(*run.Sites, last, radius), SpareSeed::None, radius,
              run.Refits.Pipeds);
    RefitEuclid(*run.Sites, last);
}

IterationStopState IterationStop;

void IterateClustersImage(const ClassImage& image, ClassRun& run, int32_t radius,
                          int32_t separation, int32_t iterations, int32_t maxClusters,
                          const std::function<void(int32_t pass)>& caption) {
    // A pass per iteration asked for, each with its box when centres meet: a thousand could only
    // be ended by a thousand OKs. The user's word ends the run after the pass under way.
    struct Running {
        Running() { IterationStop = {true, false}; }
        ~Running() { IterationStop = {}; }
    } running;
    SiteTable& sites = *run.Sites;
    const int last = ClassLimit(maxClusters);
    const int64_t apart2 = separation > 0 ? int64_t{separation} * separation : 0;
    for (int32_t pass = 1; iterations >= 0 && pass <= iterations + 1; ++pass) {
        run.Progress(0);
        caption(pass);
        FillCentres(sites, last);
        for (int k = 2; k <= last; ++k) {
            SiteRecord& s = sites[static_cast<size_t>(k)];
            SiteRecord& t = sites[static_cast<size_t>(k - 1)];
            const int dr = s.Rcent - t.Rcent, dg = s.Gcent - t.Gcent, db = s.Bcent - t.Bcent;
            if (int64_t{dr} * dr + int64_t{dg} * dg + int64_t{db} * db >= apart2) continue;
            s.Rcent = static_cast<uint8_t>(s.Rcent + dr);
            s.Gcent = static_cast<uint8_t>(s.Gcent + dg);
            s.Bcent = static_cast<uint8_t>(s.Bcent + db);
            const SiteRecord& none = sites[0];
            t.Rcent = none.Rcent, t.Gcent = none.Gcent, t.Bcent = none.Bcent;
            if (ShowRunMessageNumber(14)) IterationStop.Requested = true;
            break;
        }
        ClassPass(image, run, NearestOf(sites, last, radius), SpareSeed::None, radius,
                  run.Refits.Pipeds);
        RefitEuclid(sites, last);
        if (IterationStop.Requested) break;
    }
}

namespace {

// The working image as the classifiers see it: the undo copy read, the work buffer painted; or
// false (the gauge reset) without one.
bool WorkingImage(ClassImage& image, ClassRun& run) {
    CopyImageForProcessing();
    ShowClassProgress(0);
    if (!ImageBuffersLocked) return false;
    image = {WorkImageBuffer, ImageRowStride, ImageMaxX, ImageMaxY, UndoImageBuffer};
    run.Sites = &TrainingSites;
    run.Colors = ClassPaintColors;
    run.Refits = ClassifierRefits;
    run.Progress = ShowClassProgress;
    return true;
}

void ShowClasses() {
    ShowProcessedImage();
    RefreshSitePage();
    ShowClassProgress(0);
}

void CatRun(const ClassImage& image, ClassRun& run, int32_t classifier, int32_t radius,
            int32_t maxClusters) {
    ClusterAsTrainedImage(image, run, radius, maxClusters, classifier == 5 && run.Refits.Radius);
    ShowClasses();
}

void CatcrRun(const ClassImage& image, ClassRun& run, int32_t radius, int32_t maxClusters) {
    ClusterRadiusImage(image, run, radius, maxClusters);
    ShowClasses();
}

} // namespace

void DoUnParallel(int32_t, int32_t Classifier, int32_t ClusterRadius, int32_t, int32_t, int32_t) {
    ClassImage image;
    ClassRun run;
    if (!WorkingImage(image, run)) return;
    ParallelBoxImage(image, run, Classifier, ClusterRadius);
    ShowClasses();
}

void DoCAT(int32_t, int32_t Classifier, int32_t ClusterRadius, int32_t, int32_t,
           int32_t MaxClusters) {
    ClassImage image;
    ClassRun run;
    if (WorkingImage(image, run)) CatRun(image, run, Classifier, ClusterRadius, MaxClusters);
}

void DoCATCR(int32_t, int32_t, int32_t ClusterRadius, int32_t, int32_t, int32_t MaxClusters) {
    ClassImage image;
    ClassRun run;
    if (WorkingImage(image, run)) CatcrRun(image, run, ClusterRadius, MaxClusters);
}

void DoCCRISD(int32_t, int32_t, int32_t ClusterRadius, int32_t SeparationDistance,
              int32_t Iterations, int32_t MaxClusters) {
    ClassImage image;
    ClassRun run;
    if (!WorkingImage(image, run)) return;
    IterateClustersImage(image, run, ClusterRadius, SeparationDistance, Iterations, MaxClusters,
                         [](int32_t pass) {
                             if (ClassifierForm.ShowHint)
                                 ClassifierForm.ShowHint("Processing Iteration: " + IntToStr(pass));
                         });
    ShowClasses();
}

void DoClustered(int32_t Seed, int32_t Classifier, int32_t ClusterRadius,
                 int32_t SeparationDistance, int32_t Iterations, int32_t MaxClusters) {
    if (Classifier == 4)
        DoCAT(Seed, Classifier, ClusterRadius, SeparationDistance, Iterations, MaxClusters);
    if (Classifier == 6)
        DoCATCR(Seed, Classifier, ClusterRadius, SeparationDistance, Iterations, MaxClusters);
    if (Classifier == 7)
        DoCCRISD(Seed, Classifier, ClusterRadius, SeparationDistance, Iterations, MaxClusters);
    if (Classifier != 5) return;
    // The second engine classifies the same copy as the first, not the first's colours, and
    // Undo still returns the picture from before both.
    ClassImage image;
    ClassRun run;
    if (!WorkingImage(image, run)) return;
    CatRun(image, run, Classifier, ClusterRadius, MaxClusters);
    CatcrRun(image, run, ClusterRadius, MaxClusters);
}
