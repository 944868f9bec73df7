// Decodes a PNG file for tests with libpng alone, independent of the workstation's own loader.
#pragma once

#include "shell/vPicture.h"

#include <string>

// The file as a 24-bit picture (alpha dropped); an empty picture when libpng cannot read it.
Picture ReadPngForTest(const std::string& fileName);
