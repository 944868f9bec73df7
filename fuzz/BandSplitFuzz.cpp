// Any bytes as a raw band-sequential file whose first eight bytes give the sizes the user would
// type and the modes: the splitter refuses or writes bands, and the crop and the preview read
// the first band back; none reads outside the file.
// Seeds: seeds/bands-4x3x2.raw
#include "import/vBandFiles.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"

#include <cstdint>
#include <string>
#include <unistd.h>

namespace {
// Every round replaces what the round before it wrote: the harness lets those files go, as a
// user answering Yes would.
const bool LetGo = (SetReplaceQuestion([](const std::vector<std::string>&) { return true; }), true);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) return 0;
    static const std::string dir = "/tmp/vorn-fuzz-bands-" + std::to_string(getpid()) + "/";
    static const bool made = MakeDirectories(dir);
    if (!made) return 0;
    const std::string path = dir + "scene.raw";
    WriteFileAtomic(path, data, size, TReplaceLeave::Chosen(path));
    TRawSplit p;
    p.Width = data[0] % 40;
    p.Height = data[1] % 40;
    p.Bands = data[2] % 12;
    p.Skip = data[3] - 8;
    p.Sixteen = data[4] & 1;
    p.Reduce = data[4] & 2;
    p.Swap = data[4] & 4;
    const TCropRect rect{data[5] % 50 - 2, data[6] % 50 - 2, data[7] % 50 - 2, data[5] % 50};
    // The file errors are the routines' own answers; anything else escapes and is a finding.
    try {
        std::vector<std::string> written;
        if (SplitRawFile(path, p, written) != 0 || written.empty()) return 0;
        CropBandFiles({{written.front(), 0, dir + "cut.B10"}}, p.Width, rect);
        PaintCropPreview(written.front(), p.Width, 0, p.Width, p.Height);
    } catch (const EInOutError&) {
    }
    return 0;
}
