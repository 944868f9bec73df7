// Look-up-table files (".lut"): no header, 768 little-endian 8-byte reals, the red table's 256
// entries, then the green's, then the blue's (6144 bytes).
#pragma once

#include "algebra/vColorLUT.h"
#include "runtime/RtFiles.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t LUTRecordCount = 768;
constexpr size_t LUTFileSize = LUTRecordCount * 8;

using LUTTables = std::array<LUTTable, 3>;

std::vector<uint8_t> EncodeLUTFile(const LUTTables& tables);

// Why a file's bytes are not three tables: None, too few bytes, bytes past the tables, or a
// record that is not a finite number (its number from 1 in `record`).
enum class LUTFileFault { None, Short, Long, NotFinite };
LUTFileFault DecodeLUTFile(const uint8_t* data, size_t size, LUTTables& tables, size_t& record);

// Reads a whole file into `tables`, changing them only when every record is sound. A file that
// cannot be read, or is short, raises the run time's input/output error; a long file or one
// with a record that is not a finite number shows the file-data error with the record's number
// and gives false.
bool ReadLUTFile(const std::string& path, LUTTables& tables);
// Replaces the file whole, or raises the input/output error and leaves it as it was.
void WriteLUTFile(const std::string& path, const LUTTables& tables, const TReplaceLeave& leave);
