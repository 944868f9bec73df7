// Classes 1 to 3 trained from three rectangles of the shown picture, the rest cleared.
#pragma once

#include "classify/vTrainSite.h"

#include <array>

inline void TrainThreeClasses(const std::array<SelectionRect, 3>& rects) {
    TrainingSites = {};
    for (int k = 1; k <= 3; ++k)
        TrainSiteFromRect(TrainingSites, k, rects[static_cast<size_t>(k - 1)]);
}
