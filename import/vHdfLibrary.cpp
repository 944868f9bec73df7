#include "import/vHdfLibrary.h"

#include <array>
#include <cstring>
#include <dlfcn.h>

const char* const HdfLibraryNames[2][2] = {
    {"libdf.so.0", "libmfhdf.so.0"},
    {"libdfalt.so.0", "libmfhdfalt.so.0"},
};

const char* const HdfEntryPointNames[HdfEntryPointCount] = {
    "SDstart",           "SDattrinfo",        "SDcheckempty",
    "SDcreate",          "SDdiminfo",         "SDend",
    "SDendaccess",       "SDfileinfo",        "SDfindattr",
    "SDgetcal",          "SDgetchunkinfo",    "SDgetcompress",
    "SDgetdatastrs",     "SDgetdimid",        "SDgetdimscale",
    "SDgetdimstrs",      "SDgetfillvalue",    "SDgetinfo",
    "SDgetrange",        "SDidtoref",         "SDiscoordvar",
    "SDisdimval_bwcomp", "SDisrecord",        "SDnametoindex",
    "SDreadattr",        "SDreadchunk",       "SDreaddata",
    "SDreftoindex",      "SDselect",          "SDsetattr",
    "SDsetblocksize",    "SDsetcal",          "SDsetchunk",
    "SDsetchunkcache",   "SDsetcompress",     "SDsetdatastrs",
    "SDsetdimname",      "SDsetdimscale",     "SDsetdimstrs",
    "SDsetdimval_comp",  "SDsetexternalfile", "SDsetfillmode",
    "SDsetfillvalue",    "SDsetnbitdataset",  "SDsetrange",
    "SDwritechunk",      "SDwritedata",
};

namespace {

struct Binding {
    void* Base = nullptr;
    void* SD = nullptr;
    std::string Name;
    std::array<void*, HdfEntryPointCount> Entries{};
    bool AllBound = false;
};

Binding& Bound() {
    static Binding binding;
    return binding;
}

// One pair: the base library's symbols made global first, since the scientific-data library
// leaves them unresolved. A pair that does not load or bind is closed again.
bool TryPair(const char* base, const char* sd, Binding& out, std::string& error) {
    void* baseHandle = dlopen(base, RTLD_NOW | RTLD_GLOBAL);
    if (!baseHandle) {
        error = std::string("DLL ") + base + " could not be loaded";
        return false;
    }
    void* sdHandle = dlopen(sd, RTLD_NOW);
    if (!sdHandle) {
        dlclose(baseHandle);
        error = std::string("DLL ") + sd + " could not be loaded";
        return false;
    }
    Binding b;
    for (int i = 0; i < HdfEntryPointCount; ++i) {
        b.Entries[static_cast<size_t>(i)] = dlsym(sdHandle, HdfEntryPointNames[i]);
        if (!b.Entries[static_cast<size_t>(i)]) {
            dlclose(sdHandle);
            dlclose(baseHandle);
            error = std::string("Could not grab all SD functions in ") + sd + ".";
            return false;
        }
    }
    b.Base = baseHandle;
    b.SD = sdHandle;
    b.Name = sd;
    b.AllBound = true;
    out = b;
    return true;
}

} // namespace

bool BindHDFPair(const char* base, const char* sd, std::string& error) {
    Binding& bound = Bound();
    if (bound.AllBound) return true;
    return TryPair(base, sd, bound, error);
}

namespace {

template <typename Fn> Fn Entry(const char* name) {
    return reinterpret_cast<Fn>(HDFEntryPoint(name));
}

} // namespace

void LoadHDFLibrary() {
    if (Bound().AllBound) return;
    std::string firstError;
    for (const auto& pair : HdfLibraryNames) {
        std::string error;
        if (BindHDFPair(pair[0], pair[1], error)) return;
        if (firstError.empty()) firstError = error;
    }
    // The first pair is the one a user would install; its failure is the one to name.
    throw EHdfLibraryError(firstError);
}

bool HDFLibraryBound() {
    return Bound().AllBound;
}

std::string HDFLibraryName() {
    return Bound().Name;
}

void* HDFEntryPoint(const char* name) {
    const Binding& bound = Bound();
    if (!bound.AllBound) return nullptr;
    for (int i = 0; i < HdfEntryPointCount; ++i)
        if (std::strcmp(HdfEntryPointNames[i], name) == 0)
            return bound.Entries[static_cast<size_t>(i)];
    return nullptr;
}

int32_t SDstart(const std::string& fileName, int32_t mode) {
    LoadHDFLibrary();
    using Fn = int32_t (*)(const char*, int32_t);
    return Entry<Fn>("SDstart")(fileName.c_str(), mode);
}

int32_t SDend(int32_t id) {
    LoadHDFLibrary();
    using Fn = int32_t (*)(int32_t);
    return Entry<Fn>("SDend")(id);
}
