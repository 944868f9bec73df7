// Any bytes as a PNG: the decoder refuses or yields a picture whose size matches its pixels.
// Seeds: **/*.png
#include "shell/vPictureCodecs.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedPicture out;
    std::string error;
    if (DecodePng(data, size, out, error) &&
        out.Image.Pixels.size() != static_cast<size_t>(out.Image.Width) * out.Image.Height)
        std::abort();
    return 0;
}
