// The numeric side of the Fourier-transform workbench: a square band or one colour channel of a
// square picture is centred on its mean, transformed line by line (columns, then rows) through
// RealFFT, filtered around the zero frequency, shown as a magnitude picture, transformed back and
// scaled onto 0..255. The window keeps the controls and pictures; this unit does the work.
#pragma once

#include "shell/vPicture.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum FFTFilterKind : int32_t {
    ffNone = 0,
    ffLowPass = 1,
    ffBandPass = 2,
    ffHighPass = 3,
    ffPowerLaw = 4, // "1 / f^p"
};

// The largest side the workbench takes; RealFFT's work arrays bound it.
constexpr int32_t FFTMaxSide = 2048;
// The shortest line the transform takes.
constexpr int32_t FFTMinSide = 2;

// The square data and, after a run's forward passes, its spectrum. Element [x][y] (x the source
// column, y its row) lives at x * N + y, so a column of the source is one contiguous line.
struct TFFTSpectrum {
    int32_t N = 0;
    std::vector<double> Re, Im;
    double SampleSum = 0.0;

    // N x N zeros.
    void Resize(int32_t n);
    void Free();
    double& ReAt(int32_t x, int32_t y) { return Re[static_cast<size_t>(x) * N + y]; }
    double ReAt(int32_t x, int32_t y) const { return Re[static_cast<size_t>(x) * N + y]; }
};

// The controls a run reads.
struct TFFTSettings {
    int32_t Filter = ffLowPass;
    int64_t P1 = 53;
    int64_t P2 = 123;
    bool InverseChecked = false;
    bool DCCentroid = false;
};

// Where a run reports its stage texts and its progress; the window services its pending
// messages from the gauge, which is called once per line. Unset members are skipped.
struct TFFTReport {
    std::function<void(const std::string& text)> Status;
    std::function<void(int percent)> Gauge;
    void Say(const std::string& text) const;
    void Step(int64_t line, int64_t lines) const;
};

// The message an open shows for a picture or subset of this size (39959 not square, 36 below
// FFTMinSide, 39961 too big), 0 when the workbench takes it.
int FFTSizeMessage(int64_t width, int64_t height);

// Reads `path` as n rows of n bytes into the spectrum (the previous content replaced) and paints
// them as grey into `input`; raises the run time's I/O error when the file is short. A longer
// file is the band of another subset, whose rows read n at a time would shear: false (message
// 36) and nothing loaded. minSample and maxSample receive the range of the samples.
bool LoadFFTBand(TFFTSpectrum& s, const std::string& path, int32_t n, Picture& input,
                 uint8_t& minSample, uint8_t& maxSample, const TFFTReport& report);

// One channel of a square picture (shiftBits 16 red, 8 green, 0 blue) as the data, the previous
// content replaced.
void LoadFFTChannel(TFFTSpectrum& s, const Picture& picture, int shiftBits);

// The band run on a loaded spectrum: mean removal, forward passes, filter, the magnitude picture
// in `spectrumImage`, inverse passes. False, with message 39960 shown, when N is not a power of
// two the line transform takes; the data is then untouched.
bool ProcessFFTBand(TFFTSpectrum& s, const TFFTSettings& settings, Picture& spectrumImage,
                    const TFFTReport& report);

// The real parts after a band run, min-max scaled as grey into `output`.
void ShowFFTResult(const TFFTSpectrum& s, Picture& output, const TFFTReport& report);

// The run on each colour channel of a square picture in turn; each channel of `output` receives
// its own scaled result. False when the band run refused the size.
bool ProcessFFTPicture(TFFTSpectrum& s, const Picture& input, const TFFTSettings& settings,
                       Picture& spectrumImage, Picture& output, const TFFTReport& report);

// The bytes of a raw band saved from the result: one byte a pixel, rows top first, each the
// low byte of the pixel's colour value (its red channel; the grey of a band run).
std::vector<uint8_t> FFTResultBandBytes(const Picture& output, const TFFTReport& report);

// The caption after a run of `ms` milliseconds: "Hours 0Minutes 3.7.250".
std::string FFTElapsedCaption(int64_t ms);
