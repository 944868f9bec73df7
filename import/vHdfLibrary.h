// The HDF4 scientific-data library, bound at run time: libdf first with its symbols global (the
// second library resolves against them), then libmfhdf, or the "alt" pair. Once loaded it stays
// loaded for the whole run; the entry points are looked up by name.
#pragma once

#include "runtime/RtErrors.h"

#include <cstdint>
#include <string>

constexpr int32_t DFACC_READ = 1;
constexpr int32_t DFACC_WRITE = 2;
constexpr int32_t DFACC_CREATE = 4;
constexpr int HdfEntryPointCount = 47;

// The library could not be loaded, or lacks an entry point; what() is the message to show.
class EHdfLibraryError : public ERunError {
  public:
    using ERunError::ERunError;
};

// The file names tried, in order, as pairs of the base and the scientific-data library.
extern const char* const HdfLibraryNames[2][2];
// The 47 SD entry points, all of which must be found.
extern const char* const HdfEntryPointNames[HdfEntryPointCount];

// Binds one pair unless a library is bound already; false with the message to show when the
// pair does not load or lacks an entry point (the pair is then released).
bool BindHDFPair(const char* base, const char* sd, std::string& error);
// Binds the library on first use; raises EHdfLibraryError when it cannot.
void LoadHDFLibrary();
bool HDFLibraryBound();
// The pair that was loaded, for messages.
std::string HDFLibraryName();
// Looks an entry point up by name in the bound library (null when the library is not bound or
// the name is not one of the 47).
void* HDFEntryPoint(const char* name);

// The library's SDstart and SDend: the scientific-data identifier, -1 on failure.
int32_t SDstart(const std::string& fileName, int32_t mode);
int32_t SDend(int32_t id);
