// Any bytes as a BMP: the header check never reads past the end and accepts only sizes whose
// pixel rows fit in the file.
#include "shell/vPictureCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BmpFacts facts;
    std::string error;
    InspectBmp(data, size, facts, error);
    return 0;
}
