// The trained classifiers: the box classifier (a pixel in exactly one box of classes 1 to 9
// takes that class) and the cluster classifiers (membership by radius, nearest centre, and the
// iterated nearest centre that pushes close centres apart). Each paints the picture in the
// class colours and leaves the counts and band sums of its last pass in the site table.
#pragma once

#include "classify/vTrainingSites.h"

#include <array>
#include <cstdint>
#include <functional>

// The colour each class is painted in (0x00BBGGRR), class 0 for what no class takes.
using ClassColorTable = std::array<uint32_t, SiteCount>;
extern ClassColorTable ClassPaintColors;
// The option colour a class is painted in; every class 0..20 has its own.
uint32_t& ClassOptionColor(int k);
// ClassPaintColors from the options.
void ClassPaintColorsFromOptions();
// Exchanges classes i and j (1..20) whole; false (and message 13) when they are the same,
// out of range, or no site file exists.
bool SwapSiteClasses(SiteTable& sites, int32_t i, int32_t j, bool siteFilePresent);

// The window's two refit boxes.
struct ClassRefitChoice {
    bool Pipeds = false; // widen a class box to every pixel the class takes
    bool Radius = false;
};
extern ClassRefitChoice ClassifierRefits;

// A 24-bit bottom-up buffer (blue, green, red) that takes the class colours. Every pass reads
// `Source`, the picture as it was before the run (the buffer itself when null): a later pass
// that read the buffer would classify the colours the pass before painted.
struct ClassImage {
    uint8_t* Buffer = nullptr;
    int32_t Stride = 0, MaxX = -1, MaxY = -1;
    const uint8_t* Source = nullptr;
};
struct ClassRun {
    SiteTable* Sites = nullptr;
    ClassColorTable Colors{};
    ClassRefitChoice Refits;
    std::function<void(int32_t)> Progress = [](int32_t) {};
};

// Classifier 3 gives a pixel in no box or in several to the nearest centre (L1) closer than
// three cluster radii; any other value leaves it unclassified.
void ParallelBoxImage(const ClassImage& image, ClassRun& run, int32_t classifier, int32_t radius);
// Membership by radius over classes 1 to 9; `refitRadius` (classifier 5 with the radius box)
// refits the radii of classes 1 to maxClusters from the pass.
void ClusterAsTrainedImage(const ClassImage& image, ClassRun& run, int32_t radius,
                           int32_t maxClusters, bool refitRadius);
// Nearest centre (Euclidean) of classes 1 to maxClusters closer than three cluster radii.
void ClusterRadiusImage(const ClassImage& image, ClassRun& run, int32_t radius,
                        int32_t maxClusters);
// The end of an iterating run the user asked for: with the "I found one" box's Abort, or the
// classification window's Exit or close box while the run goes on. The run ends once the pass
// under way is done.
struct IterationStopState {
    bool Running = false;
    bool Requested = false;
};
extern IterationStopState IterationStop;

// Iterations + 1 passes of ClusterRadiusImage, each first moving apart the first pair of
// neighbouring centres closer than `separation` (message 14). `caption` is told each pass. Fewer
// when the user ends the run (IterationStop).
void IterateClustersImage(const ClassImage& image, ClassRun& run, int32_t radius,
                          int32_t separation, int32_t iterations, int32_t maxClusters,
                          const std::function<void(int32_t pass)>& caption);

// The classification window's entries on the working image. Each takes the picture once and
// classifies that copy, so Undo gives back the picture as it was before the run.
void DoUnParallel(int32_t Seed, int32_t Classifier, int32_t ClusterRadius,
                  int32_t SeparationDistance, int32_t Iterations, int32_t MaxClusters);
// Items 4 to 7: DoCAT, DoCAT then DoCATCR on the same copy, DoCATCR, DoCCRISD.
void DoClustered(int32_t Seed, int32_t Classifier, int32_t ClusterRadius,
                 int32_t SeparationDistance, int32_t Iterations, int32_t MaxClusters);
void DoCAT(int32_t Seed, int32_t Classifier, int32_t ClusterRadius, int32_t SeparationDistance,
           int32_t Iterations, int32_t MaxClusters);
void DoCATCR(int32_t Seed, int32_t Classifier, int32_t ClusterRadius, int32_t SeparationDistance,
             int32_t Iterations, int32_t MaxClusters);
void DoCCRISD(int32_t Seed, int32_t Classifier, int32_t ClusterRadius, int32_t SeparationDistance,
              int32_t Iterations, int32_t MaxClusters);
