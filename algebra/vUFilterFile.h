// Kernel files of the spatial filters: one N x N kernel, or a group of two or eight, N = 3, 5,
// 7 or 9, stored as bare little-endian records with no header. The kind is told by what the
// reader is asked for; N only by the size digit that ends the three-letter extension.
#pragma once

#include "runtime/RtFiles.h"
#include <array>
#include <cstdint>
#include <string>

enum class KernelKind : uint8_t {
    Integer, // RL?: 4-byte signed integers
    Real,    // RR?: 8-byte reals
    Pair,    // R2?: two real kernels (the gradient stages)
    Eight    // R8?: eight real kernels (the compass stages)
};

constexpr int32_t MaxKernelSize = 9;
constexpr int32_t MaxKernelCells = MaxKernelSize * MaxKernelSize;
constexpr int32_t MaxKernelStages = 8;

int32_t KernelStages(KernelKind kind);
int32_t KernelRecordBytes(KernelKind kind);
// The length the kernels of `kind` with window n take in a file.
int64_t KernelFileBytes(KernelKind kind, int32_t n);

// A kernel or group as read or to be written. Record k of a stage (from 0, file order) is row
// k div Size, column k mod Size, rows from the top as the editor shows them.
struct FilterKernels {
    KernelKind Kind = KernelKind::Integer;
    int32_t Size = 3;
    std::array<int32_t, MaxKernelCells> Integer{};
    std::array<std::array<double, MaxKernelCells>, MaxKernelStages> Real{};
};

// The window size a kernel file's name gives: the character after the last "." of the file
// name must be followed by a kind character (L, l, R, r, 2 or 8) and a size digit of 3, 5, 7 or
// 9. Anything else shows message 39982 and gives 0: a name too short to hold both, or another
// digit, would otherwise run a window the file was not written for.
int32_t KernelSizeOfName(const std::string& fileName);

// Reads `fileName` as `kind` into `kernels` and sets FilterKernelSize. False after message 39982
// when the name gives no size; whatever follows the kernels is ignored. A file that cannot be
// read, or is shorter than the name and kind need, raises the run time's input/output error.
// Nothing is changed on failure.
bool ReadFilterFile(const std::string& fileName, KernelKind kind, FilterKernels& kernels);

// Writes the first Size x Size cells of each stage of `kernels.Kind`, Size from the name (not
// from `kernels`), replacing the file only once the whole content is written. False after
// message 39982 for a name without a size; a failed write raises the input/output error.
bool WriteFilterFile(const std::string& fileName, const FilterKernels& kernels,
                     const TReplaceLeave& leave);
