// What the class-display tests share: the options they change kept and put back, and the rows
// of a plotted column that hold a pixel.
#pragma once

#include "shell/vGlobal.h"

#include <array>
#include <utility>

// Keeps the class colours, the colour settings and the display toggles, and puts them back.
class SavedClassDisplayOptions {
  public:
    SavedClassDisplayOptions()
        : Colors(ClassColors),
          Settings(ColorSettings), Toggles{ToggleBlue, ToggleGreen, ToggleRed, ToggleRGB} {}
    ~SavedClassDisplayOptions() {
        ClassColors = Colors;
        ColorSettings = Settings;
        ToggleBlue = Toggles[0];
        ToggleGreen = Toggles[1];
        ToggleRed = Toggles[2];
        ToggleRGB = Toggles[3];
    }
    SavedClassDisplayOptions(const SavedClassDisplayOptions&) = delete;
    SavedClassDisplayOptions& operator=(const SavedClassDisplayOptions&) = delete;

  private:
    std::array<uint32_t, 9> Colors;
    std::array<uint32_t, 8> Settings;
    std::array<bool, 4> Toggles;
};

// The rows of one column of a plot that hold `pixel`, as [first, last]; {-1, -1} for none.
inline std::pair<int, int> RowsOf(const Picture& p, int column, uint32_t pixel) {
    int first = -1, last = -1;
    for (int y = 0; y < p.Height; ++y)
        if (p.At(column, y) == pixel) {
            if (first < 0) first = y;
            last = y;
        }
    return {first, last};
}
