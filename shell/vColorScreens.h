// The view commands that work on the working image directly: the colour-separation screens (the
// picture split into three one-channel pictures shown in turn) and the single-channel view.
#pragma once

#include "shell/vPicture.h"

#include <array>
#include <cstdint>

// The three screens are made and can be shown.
extern bool RotateImagesReady;
// Screens 1 to 3: red, green and blue of the picture (BGR screens), or 255 less them (CMY).
extern std::array<Picture, 3> RotateImages;

// Copies the picture for processing and makes the three screens from the undo copy: CMY ones
// while CMYScreenMode is on, BGR ones otherwise. RotateImagesReady tells whether they exist;
// when the copy or a screen cannot be made (message 39977) none is left.
void LoadRotateImages();
// Shows the next screen (after 3 the first again).
void ShowNextRotateImage();
// Drops the screens; the picture copied by LoadRotateImages comes back (Undo is disabled).
void FreeRotateImages();
// True while screens or their copy of the picture are held.
bool RotateImagesExist();

// The picture with one channel (1 red, 2 green, 3 blue) kept and the other two 0, as an image
// operation that Undo takes back.
void KeepOneChannel(int32_t channel);
