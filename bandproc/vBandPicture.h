// Pictures made from band files of the open DIS subset (SubsetBounds, SelectedBandFiles): bands
// 1, 2 and 3 as red, green and blue, or band 1 as grey. The picture replaces the displayed one as
// the current image, with working buffers made for its size, and is saved as CurrentImageFolder +
// CurrentImageName.
#pragma once

#include <string>

// A band shorter than the subset is no error: the rows beyond its end repeat its last row. A
// missing band raises the file layer's error before anything is shown. False when the picture
// could not be made (its message shown; nothing shown or saved).
// Saved only when CurrentImageName ends in ".PNG" or ".png".
bool SaveRGBBandsImage();
// Always saved, under CurrentImageName with the extension ".png".
bool SaveGreyBandImage();
// The same for a picture to be named folder + name once it is made: the shown picture keeps its
// name, and its caption, until then.
bool SaveRGBBandsImage(const std::string& folder, const std::string& name);
bool SaveGreyBandImage(const std::string& folder, const std::string& name);
