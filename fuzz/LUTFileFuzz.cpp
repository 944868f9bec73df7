// Any bytes as a ".lut" file: the reader refuses, keeping the tables it was given, or yields
// three tables of finite numbers that write back as the same bytes.
// Seeds: lut/*.lut
#include "algebra/vLUTFile.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LUTTables tables;
    for (LUTTable& t : tables)
        t = IdentityLUT();
    const LUTTables before = tables;
    size_t record = 0;
    if (DecodeLUTFile(data, size, tables, record) != LUTFileFault::None) {
        if (tables != before || record > LUTRecordCount + 1) std::abort();
        return 0;
    }
    for (const LUTTable& t : tables)
        for (double v : t)
            if (!std::isfinite(v)) std::abort();
    const std::vector<uint8_t> back = EncodeLUTFile(tables);
    if (back.size() != size || std::memcmp(back.data(), data, size) != 0) std::abort();
    return 0;
}
