// What an import's DIH promises: after a foreign header was read, the DIH the import saves reads
// back with every value the page holds. A miss stops the run as a crash does.
#pragma once

#include "fuzz/FuzzSupport.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"

#include <cstdlib>

inline void CheckSavedDIHReadsBack(const THeaderPages& pages) {
    const std::string text = JoinLinesCRLF(pages.DIHLines());
    const std::string path =
        FuzzFile("saved.dih", reinterpret_cast<const uint8_t*>(text.data()), text.size());
    THeaderPages back;
    try {
        if (!back.RIHOpenRIHHeader(path)) std::abort();
    } catch (...) {
        std::abort();
    }
    for (size_t i = 0; i < DIHFieldCount; ++i)
        if (back[static_cast<DIHField>(i)] != pages[static_cast<DIHField>(i)]) std::abort();
}
