// Running descriptive statistics of a stream of values: count, extremes, sum and sum of squares,
// and the mean and standard deviation drawn from them.
#pragma once

#include <cstdint>

class TDescriptiveStatistics {
  public:
    TDescriptiveStatistics() { ResetValues(); }

    // What Mean and StandardDeviation give when there are too few values for them.
    static constexpr double NoValue = 8.5E307;

    int32_t Count = 0;
    double Max = 0.0;
    double Min = 0.0;
    double Sum = 0.0;
    double SumOfSquares = 0.0;

    void ResetValues();
    void NextValue(double x);
    // NoValue when there is no value.
    double Mean() const;
    // The sample deviation; NoValue with fewer than two values.
    double StandardDeviation() const;
};
