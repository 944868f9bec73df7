// The kernel editor's state, kept beyond the editor window (the filed filters and the macro
// player read the file name), and the preset kernels it writes into its grid. A grid is its
// cell texts row by row from the top.
#pragma once

#include "algebra/vUFilterFile.h"

#include <cstdint>
#include <string>
#include <vector>

extern KernelKind FilterEditType;
// The grid holds a loaded or edited kernel: size and type are locked, the stage is free.
extern bool FilterLoaded;
// The stage (1..8) the grid shows for the two- and eight-stage kinds.
extern int32_t ShownStage;
// Integer holds the integer kind; Real[0] is also the one real kernel.
extern FilterKernels EditorKernels;
// "R", the kind letter and the size digit of the kernel being edited.
extern std::string FilterExtension;
// The last kernel file loaded, saved or played.
extern std::string FilterFileName;

// The extension of `kind` at window n ("RL5", "RR3", "R27", "R89").
std::string FilterExtensionOf(KernelKind kind, int32_t n);
// The window sizes 3, 5, 7, 9 by their item 0..3; -1 for any other size.
int32_t SizeItemOf(int32_t n);

// `path` named for a kernel of `extension` (three letters): a name of another kind or size,
// or none, takes it in place of its own extension.
std::string WithFilterExtension(const std::string& path, const std::string& extension);

// Cell texts: integers plainly, reals shown from a kernel with three decimals, preset values
// with four.
std::string KernelCellText(double v);
std::string PresetCellText(double v);
// Reading a cell never complains: the leading number of its text, 0 for none. An integer beyond
// 32 bits is held at the nearer end of the range; the run pages' number edits read the same way.
int32_t IntegerOfCell(const std::string& text);
double RealOfCell(const std::string& text);

// The presets change the grid of an n x n window only. Fillet (3 x 3) and Full R (5 x 5) grow
// from the top centre cell and are false, changing nothing, when that is not a number; phing
// (sin d / d) and 9ing (cos d / d) weigh each cell by its distance d from the centre times k
// and give the centre minus their sum. A k of 0 would divide 0 by 0: those are false too.
bool FilletPreset(std::vector<std::string>& grid);
bool FullRPreset(std::vector<std::string>& grid);
bool WavePreset(std::vector<std::string>& grid, int32_t n, int32_t k, bool cosine);
