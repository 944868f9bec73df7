// What the DIH page offers besides typing: the item lists of its combo boxes, the image types,
// the band presets of three sensor families and the band slot a grabbed band file goes to.
#pragma once

#include "import/vHeaderPages.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The items of a combo-box line in item-index order; empty for a box without a fixed list.
const std::vector<std::string>& ItemTexts(DIHField f);
// The text of the box's selected item; empty when nothing is selected or the box has no list.
std::string SelectedItemText(const THeaderPages& pages, DIHField f);

constexpr int ImageTypeCount = 16;
extern const std::array<const char*, ImageTypeCount> ImageTypes;

enum class BandPreset { ETMPlus, TM, MSS };
// Writes the preset's band names and spectral ranges; slots the preset has no cell for keep
// their texts.
void ApplyBandPreset(THeaderPages& pages, BandPreset preset);

// The band-file line of band slot `slot` (1 to 9 for 1, 2, 3, 4, 5, 6L, 6H, 7, 8); none for any
// other number.
std::optional<DIHField> GrabberSlotField(int64_t slot);
// The line of band slot k (0 to 8) that stands `offset` lines into its block (0 name, 1
// spectral range, 2 file name ...).
DIHField BandSlotField(int k, int offset);
