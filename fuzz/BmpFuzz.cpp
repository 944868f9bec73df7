// Any bytes as a BMP, through the header check and the toolkit's reader as a load does it: the
// load refuses, or gives a picture of the header's size whose pixels fill it.
// Seeds: **/*.bmp
#include "shell/ui/vVorn.h"
#include "shell/vPictureCodecs.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool installed = (TVORNForm::InstallPictureFileHooks(), true);
    (void)installed;
    DecodedPicture out;
    std::string error;
    BmpFacts facts;
    if (DecodeBmp(data, size, out, error) &&
        (!InspectBmp(data, size, facts, error) || out.Image.Width != facts.Width ||
         out.Image.Height != facts.Height ||
         out.Image.Pixels.size() != static_cast<size_t>(out.Image.Width) * out.Image.Height))
        std::abort();
    return 0;
}
