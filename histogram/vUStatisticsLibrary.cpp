#include "histogram/vUStatisticsLibrary.h"

#include <algorithm>
#include <cmath>

void TDescriptiveStatistics::ResetValues() {
    Count = 0;
    Max = -1.7E308;
    Min = 1.7E308;
    Sum = 0.0;
    SumOfSquares = 0.0;
}

void TDescriptiveStatistics::NextValue(double x) {
    ++Count;
    Sum += x;
    SumOfSquares += x * x;
    if (x >= Max) Max = x;
    if (x < Min) Min = x;
}

double TDescriptiveStatistics::Mean() const {
    return Count == 0 ? NoValue : Sum / Count;
}

double TDescriptiveStatistics::StandardDeviation() const {
    if (Count < 2) return NoValue;
    // Values that are all alike leave a residue of rounding that can fall just below zero; its
    // root would be an invalid operation instead of the deviation 0.
    const double residue = SumOfSquares - Sum * Sum / Count;
    return std::sqrt(std::max(residue, 0.0) / (Count - 1));
}
