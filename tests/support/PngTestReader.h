// Decodes a PNG into a Picture with libpng directly, so that tests compare the engines against
// pixels read independently of the workstation's own loader.
#pragma once

#include "shell/vPicture.h"

#include <string>

// Any bit depth and colour type, expanded to 8-bit RGB (alpha dropped). False when the file
// cannot be read as a PNG.
bool ReadPngForTest(const std::string& path, Picture& out);
