#include "algebra/vLUTFile.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtRecords.h"
#include "shell/vGlobal.h"

#include <cmath>

std::vector<uint8_t> EncodeLUTFile(const LUTTables& tables) {
    RecordBytes file(LUTFileSize);
    for (size_t r = 0; r < LUTRecordCount; ++r)
        file.PutF64(8 * r, tables[r / 256][r % 256]);
    return file.Bytes;
}

LUTFileFault DecodeLUTFile(const uint8_t* data, size_t size, LUTTables& tables, size_t& record) {
    record = 0;
    if (size < LUTFileSize) return LUTFileFault::Short;
    if (size > LUTFileSize) {
        record = LUTRecordCount + 1;
        return LUTFileFault::Long;
    }
    RecordBytes file;
    file.Bytes.assign(data, data + size);
    LUTTables read;
    for (size_t r = 0; r < LUTRecordCount; ++r) {
        const double v = file.GetF64(8 * r);
        // A NaN or an infinity would end every later preview with a run-time error.
        if (!std::isfinite(v)) {
            record = r + 1;
            return LUTFileFault::NotFinite;
        }
        read[r / 256][r % 256] = v;
    }
    tables = read;
    return LUTFileFault::None;
}

bool ReadLUTFile(const std::string& path, LUTTables& tables) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        throw EInOutError(FileExists(path) ? EInOutError::AccessDenied : EInOutError::FileNotFound);
    size_t record = 0;
    switch (DecodeLUTFile(bytes.data(), bytes.size(), tables, record)) {
    case LUTFileFault::None:
        return true;
    case LUTFileFault::Short:
        throw EInOutError(EInOutError::ReadBeyondEnd);
    case LUTFileFault::Long:
    case LUTFileFault::NotFinite:
        break;
    }
    ShowFileDataError(path, static_cast<int>(record));
    return false;
}

void WriteLUTFile(const std::string& path, const LUTTables& tables, const TReplaceLeave& leave) {
    WriteFileOrRaise(path, EncodeLUTFile(tables), leave);
}
