// The 16-to-8-bit radar reduction: a band of signed 16-bit little-endian samples mapped onto
// 0..255 between its smallest and largest sample, in two passes over the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads rows x columns samples of `input` and writes one byte per sample into `output`
// (BandProductFile layout). The largest sample is sought from 0 and the smallest from 32767,
// so a band of negative samples keeps its top below 255; a sample s becomes
// Round((s - min) * 255 / (max - min)), exact halves to even. A band with no range writes 0
// everywhere. Once the product is written its path is appended to `processList`. The band gauge
// shows 5, then 50, then 0 however the run ends. False (message 36) when the size is not sane, or
// (message 27) when the output is the input; a file shorter than the samples raises the read error
// before anything is written.
bool RadarDeRez16(const std::string& input, const std::string& output, int64_t rows,
                  int64_t columns, std::vector<std::string>& processList);
