// What runs a classification: the classifier items with the engine and the files each needs, the
// dispatcher the window's Process button and the macro player share, the recording of code
// 0400, and the hand-over to the classification window while it is open.
#pragma once

#include "shell/vMacroCodes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

// Every classifier entry takes the window's six values in this order.
using ClassifierEntry = void (*)(int32_t Seed, int32_t Classifier, int32_t ClusterRadius,
                                 int32_t SeparationDistance, int32_t Iterations,
                                 int32_t MaxClusters);
// The box and the cluster classifiers; null while the program has none (the run then does
// nothing but say so).
extern ClassifierEntry ParallelClassifier;
extern ClassifierEntry ClusterClassifier;
// The knowledge-based and overlay classifiers accept the values and do nothing.
void DoKBCluster(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);
void DoLayered(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);
void DoKBOCluster(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);

constexpr int ClassifierItemCount = 12;
constexpr int SeedFromSites = 9; // the seed item that keeps the boxes of the training sites
// The files a classifier item needs besides none.
enum ClassifierFiles : uint8_t { NeedsSites = 1, NeedsKnowledge = 2, NeedsOverlay = 4 };
struct ClassifierItem {
    const char* Text;
    ClassifierEntry* Entry; // the engine slot; the Stat Boxer replaces it below SeedFromSites
    uint8_t Files;
};
extern const std::array<ClassifierItem, ClassifierItemCount> ClassifierItems;
extern const char* const SeedItems[10];

// Seeds 0..8 with the items up to 3 rebuild the boxes from the seed-break tables first and need
// no file.
bool SeedsBoxesFirst(int32_t seed, int32_t classifier);
// The files the item needs all exist (ClassifierFileNames).
bool ClassifierFilesPresent(int32_t classifier);
// The integer an edit's text gives: the value read before its first bad character. A number
// beyond 32 bits raises the conversion error.
int32_t EditInteger(const std::string& text);
// Code 0400 and its lines (none for the item that records nothing), to the macro text and the
// processing-history log as they are switched on.
void RecordClassification(const ClassificationBlock& block);
// Runs the engine of the choice.
void DispatchClassifier(int32_t Seed, int32_t Classifier, int32_t ClusterRadius,
                        int32_t SeparationDistance, int32_t Iterations, int32_t MaxClusters);

// The boxes of classes 1 to 9 from seed-break row `seed` (0..9) of the tables; the page shows
// them.
void SetStatsIntoForm(int32_t seed);
// Reads the site file named in ClassifierFileNames into classes 1 to 20; the page shows them.
void DoPBoxLoadLoad();
// The page shows the table again.
void RefreshSitePage();

// The classification window, while it exists, as the engines and the player reach it.
struct ClassifierFormHooks {
    // Makes the window exist, as its menu command does; false when it cannot.
    std::function<bool()> Open;
    // The choices and the four edits' texts of a played run.
    std::function<void(const ClassificationBlock& block)> ShowChoices;
    // SetDataIntoForm(10), and the site file's name in the window's name edits.
    std::function<void()> SetDataIntoForm;
    std::function<void()> ShowSiteFileName;
    // The window's hints line.
    std::function<void(const std::string& text)> ShowHint;
    // The window's own gauge, ClassGauge.
    std::function<void(int32_t percent)> SetGauge;
};
extern ClassifierFormHooks ClassifierForm;
// A classifier's row progress, on the main window's gauge and on the window's.
void ShowClassProgress(int32_t percent);

struct MacroStep;
// Code 0400 played: a seed outside 0..9 or more than 20 clusters is refused with message 13.
void PlayClassification(const MacroStep& step);
