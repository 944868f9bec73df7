#include "classify/vClassDispatch.h"

#include "classify/vClassifiers.h"
#include "classify/vTrainingSites.h"
#include "classify/vUUnclass.h"
#include "histogram/vSeedBreaks.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"
#include "shell/vMacroPlayer.h"

#include <algorithm>
#include <limits>

ClassifierEntry ParallelClassifier = DoUnParallel;
ClassifierEntry ClusterClassifier = DoClustered;
ClassifierFormHooks ClassifierForm;

void DoKBCluster(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void DoLayered(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void DoKBOCluster(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}

namespace {

ClassifierEntry KBEntry = DoKBCluster;
ClassifierEntry LayeredEntry = DoLayered;
ClassifierEntry KBOEntry = DoKBOCluster;
ClassifierEntry StatBoxerEntry = DoStatBoxer;

// The largest cluster count the tables of the classifiers hold.
constexpr int32_t MaxClusterCount = 20;

} // namespace

const std::array<ClassifierItem, ClassifierItemCount> ClassifierItems = {{
    {"Stat Boxer then flood fill", &ClusterClassifier, NeedsSites},
    {"Stat Boxer then Cluster Radius", &ClusterClassifier, NeedsSites},
    {"Parallelpiped Box ", &ParallelClassifier, NeedsSites},
    {"P Box, Cluster Radius Unclassed", &ParallelClassifier, NeedsSites},
    {"Cluster As Trained (9)", &ClusterClassifier, NeedsSites},
    {"CAT then Cluster (max) Radius", &ClusterClassifier, NeedsSites},
    {"Cluster (max) Radius", &ClusterClassifier, NeedsSites},
    {"Iterate (max) SD: Move and Grow", &ClusterClassifier, NeedsSites},
    {"Cluster KB Percent", &KBEntry, NeedsSites | NeedsKnowledge},
    {"Cluster Overlay Boolean", &LayeredEntry, NeedsSites | NeedsOverlay},
    {"Cluster KB and Overlay", &KBOEntry, NeedsSites | NeedsKnowledge | NeedsOverlay},
    {"Cluster KBO then Iterate SD", &KBOEntry, NeedsSites | NeedsKnowledge | NeedsOverlay},
}};

const char* const SeedItems[10] = {"Natural Break Class",
                                   "Best Fit Class",
                                   "Steps Class",
                                   "Area Class",
                                   "Median Standard D",
                                   "Mean S Deviation",
                                   "Arithmatic Increasing",
                                   "Geometric Increasing",
                                   "Reciprocal (Decreasing)",
                                   "Use Tng Site Min Max as P Box"};

bool SeedsBoxesFirst(int32_t seed, int32_t classifier) {
    return seed < SeedFromSites && classifier < 4;
}

bool ClassifierFilesPresent(int32_t classifier) {
    // Items past the table need what the last one needs, as the dispatcher runs them alike.
    const ClassifierItem& item =
        ClassifierItems[static_cast<size_t>(std::clamp(classifier, 0, ClassifierItemCount - 1))];
    const auto present = [](const std::string& name) { return !name.empty() && FileExists(name); };
    return (!(item.Files & NeedsSites) || present(ClassifierFileNames.TrainingSites)) &&
           (!(item.Files & NeedsKnowledge) || present(ClassifierFileNames.KnowledgeBase)) &&
           (!(item.Files & NeedsOverlay) || present(ClassifierFileNames.Overlay));
}

int32_t EditInteger(const std::string& text) {
    int code = 0;
    const int64_t v = ValInt(text, code);
    // Clamped, an iteration count of 99999999999 ran 2,147,483,647 passes: a number the edit's
    // 32 bits cannot hold is refused before anything runs.
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        throw EConvertError("'" + text + "' is not a valid integer value");
    return static_cast<int32_t>(v);
}

void RecordClassification(const ClassificationBlock& block) {
    const std::string command = ClassificationCommandLine(block.Classifier);
    if (command.empty()) return;
    RecordCommand(command, ClassificationBlockLines(block));
}

void DispatchClassifier(int32_t Seed, int32_t Classifier, int32_t ClusterRadius,
                        int32_t SeparationDistance, int32_t Iterations, int32_t MaxClusters) {
    ClassifierEntry entry;
    if (Seed < SeedFromSites && (Classifier == 0 || Classifier == 1))
        entry = StatBoxerEntry;
    else if (Classifier >= 0 && Classifier < ClassifierItemCount)
        entry = *ClassifierItems[static_cast<size_t>(Classifier)].Entry;
    else
        entry = Classifier < 0 ? ClusterClassifier : KBOEntry;
    if (!entry) {
        // The cluster classifier does nothing for the Stat Boxer's items; nothing to report.
        if (Classifier > 1) HookStatus(0, "Classifier not available");
        return;
    }
    entry(Seed, Classifier, ClusterRadius, SeparationDistance, Iterations, MaxClusters);
}

void ShowClassProgress(int32_t percent) {
    if (ClassifierForm.SetGauge) ClassifierForm.SetGauge(percent);
    ShowProgress(percent);
}

void RefreshSitePage() {
    if (ClassifierForm.SetDataIntoForm) ClassifierForm.SetDataIntoForm();
}

void SetStatsIntoForm(int32_t seed) {
    if (seed < 0 || seed >= SeedMethodCount) return;
    std::array<SeedBreakRow, BandCount> rows;
    for (int band = 0; band < BandCount; ++band)
        rows[band] = SeedBreakTables[band][static_cast<size_t>(seed)];
    SeedSitesFromBreaks(TrainingSites, rows);
    RefreshSitePage();
}

void DoPBoxLoadLoad() {
    if (ClassifierForm.ShowSiteFileName) ClassifierForm.ShowSiteFileName();
    LoadTrainingSiteFile(ClassifierFileNames.TrainingSites, TrainingSites);
    RefreshSitePage();
}

void PlayClassification(const MacroStep& step) {
    ClassificationBlock block;
    block.Seed = step.I(1);
    block.Classifier = step.I(2);
    block.Radius = step.L(3);
    block.Separation = step.L(4);
    block.Iterations = step.L(5);
    block.MaxClusters = step.L(6);
    const int32_t s = block.Seed, c = block.Classifier;
    const int32_t r = EditInteger(block.Radius), d = EditInteger(block.Separation);
    const int32_t t = EditInteger(block.Iterations), m = EditInteger(block.MaxClusters);
    // The seed indexes the seed-break tables and the cluster count the class tables: a line
    // beyond them would reach past their ends.
    if (s < 0 || s > SeedFromSites || m > MaxClusterCount) {
        ShowMessageNumber(13);
        return;
    }
    if (ClassifierForm.Open && !ClassifierForm.Open()) return;
    if (ClassifierForm.ShowChoices) ClassifierForm.ShowChoices(block);
    if ((s == SeedFromSites && (c == 2 || c == 3)) || c > 3) {
        ClassifierFileNames.TrainingSites = step.L(7);
        DoPBoxLoadLoad();
    }
    if (SeedsBoxesFirst(s, c)) SetStatsIntoForm(s);
    if (c == 8) ClassifierFileNames.KnowledgeBase = step.L(8);
    if (c == 9) ClassifierFileNames.Overlay = step.L(8);
    if (c > 9) {
        ClassifierFileNames.KnowledgeBase = step.L(8);
        ClassifierFileNames.Overlay = step.L(9);
    }
    DispatchClassifier(s, c, r, d, t, m);
}
