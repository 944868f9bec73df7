#include "algebra/vUFilterFile.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtRecords.h"
#include "shell/vGlobal.h"

#include <bit>
#include <cerrno>
#include <vector>

namespace {
constexpr int32_t UnknownFilterFile = 39982;
} // namespace

int32_t KernelStages(KernelKind kind) {
    switch (kind) {
    case KernelKind::Pair:
        return 2;
    case KernelKind::Eight:
        return 8;
    case KernelKind::Integer:
    case KernelKind::Real:
        break;
    }
    return 1;
}

int32_t KernelRecordBytes(KernelKind kind) {
    return kind == KernelKind::Integer ? 4 : 8;
}

int64_t KernelFileBytes(KernelKind kind, int32_t n) {
    return int64_t{KernelStages(kind)} * n * n * KernelRecordBytes(kind);
}

int32_t KernelSizeOfName(const std::string& fileName) {
    const int n = static_cast<int>(fileName.size());
    // The extension is the file name's: a dot in a folder's name starts none.
    const int start = static_cast<int>(fileName.find_last_of('/') + 1);
    int dot = -1;
    for (int i = n - 2; i >= start; --i)
        if (fileName[i] == '.') {
            dot = i;
            break;
        }
    if (dot >= 0 && dot + 3 < n) {
        const char kind = fileName[dot + 2];
        const char digit = fileName[dot + 3];
        const bool knownKind =
            kind == 'L' || kind == 'l' || kind == 'R' || kind == 'r' || kind == '2' || kind == '8';
        if (knownKind && (digit == '3' || digit == '5' || digit == '7' || digit == '9'))
            return digit - '0';
    }
    ShowMessageNumber(UnknownFilterFile);
    return 0;
}

bool ReadFilterFile(const std::string& fileName, KernelKind kind, FilterKernels& kernels) {
    const int32_t n = KernelSizeOfName(fileName);
    if (n == 0) return false;
    const int64_t needed = KernelFileBytes(kind, n);
    std::vector<uint8_t> bytes;
    if (!ReadFileStart(fileName, static_cast<size_t>(needed), bytes))
        throw EInOutError(FileExists(fileName) ? EInOutError::AccessDenied
                                               : EInOutError::FileNotFound);
    // A known name with too few records is a truncated file, not an unknown kind.
    if (static_cast<int64_t>(bytes.size()) < needed) throw EInOutError(EInOutError::ReadBeyondEnd);
    FilterKernels read;
    read.Kind = kind;
    read.Size = n;
    const uint8_t* p = bytes.data();
    const int32_t cells = n * n;
    if (kind == KernelKind::Integer) {
        for (int32_t k = 0; k < cells; ++k, p += 4)
            read.Integer[k] = LeI32(p);
    } else {
        for (int32_t s = 0; s < KernelStages(kind); ++s)
            for (int32_t k = 0; k < cells; ++k, p += 8) {
                const uint64_t bits = LeU32(p) | (uint64_t{LeU32(p + 4)} << 32);
                read.Real[s][k] = std::bit_cast<double>(bits);
            }
    }
    kernels = read;
    FilterKernelSize = n;
    return true;
}

bool WriteFilterFile(const std::string& fileName, const FilterKernels& kernels,
                     const TReplaceLeave& leave) {
    const int32_t n = KernelSizeOfName(fileName);
    if (n == 0) return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(KernelFileBytes(kernels.Kind, n)));
    uint8_t* p = bytes.data();
    const int32_t cells = n * n;
    if (kernels.Kind == KernelKind::Integer) {
        for (int32_t k = 0; k < cells; ++k, p += 4)
            PutLeI32(p, kernels.Integer[k]);
    } else {
        for (int32_t s = 0; s < KernelStages(kernels.Kind); ++s)
            for (int32_t k = 0; k < cells; ++k, p += 8) {
                const uint64_t bits = std::bit_cast<uint64_t>(kernels.Real[s][k]);
                PutLeU32(p, static_cast<uint32_t>(bits));
                PutLeU32(p + 4, static_cast<uint32_t>(bits >> 32));
            }
    }
    if (!WriteFileAtomic(fileName, bytes, leave)) {
        RaiseIfKept(fileName);
        throw EInOutError(EInOutError::AccessDenied);
    }
    return true;
}
