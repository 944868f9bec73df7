// Any bytes as a PNG: the decoder refuses or yields a picture whose size matches its pixels and
// the size the file's first bytes give, when they give one (a chunk ahead of the header leaves
// the size to the decoder, which the decoder accepts).
// Seeds: **/*.png
#include "shell/vGlobalImage.h"
#include "shell/vPictureCodecs.h"

#include <algorithm>
#include <cstdlib>

// Pictures up to 256 MB, well under the fuzzer's memory ceiling, whatever the machine: a file
// claiming more is refused from its header, as a load refuses one the memory cannot hold.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    PictureMemoryLimit = uint64_t{256} << 20;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedPicture out;
    std::string error;
    int64_t width = 0, height = 0;
    if (DecodePng(data, size, out, error) &&
        (out.Image.Pixels.size() != static_cast<size_t>(out.Image.Width) * out.Image.Height ||
         (PngHeaderSides(data, std::min(size, PictureHeaderBytes), width, height) &&
          (width != out.Image.Width || height != out.Image.Height))))
        std::abort();
    return 0;
}
