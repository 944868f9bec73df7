// Any bytes as a BMP, through the header check and the toolkit's reader as a load does it: the
// load refuses, or gives a picture of the header's size whose pixels fill it, the size the
// file's first bytes alone give too.
// Seeds: **/*.bmp
#include "shell/ui/vVorn.h"
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
    static const bool installed = (TVORNForm::InstallPictureFileHooks(), true);
    (void)installed;
    DecodedPicture out;
    std::string error;
    BmpFacts facts;
    int64_t width = 0, height = 0;
    if (DecodeBmp(data, size, out, error) &&
        (!InspectBmp(data, size, facts, error) || out.Image.Width != facts.Width ||
         out.Image.Height != facts.Height ||
         !BmpHeaderSides(data, std::min(size, PictureHeaderBytes), width, height) ||
         width != facts.Width || height != facts.Height ||
         out.Image.Pixels.size() != static_cast<size_t>(out.Image.Width) * out.Image.Height))
        std::abort();
    return 0;
}
