// Any bytes as a divided-files list and the tiles it names: the first byte picks the join, the
// text up to the first zero byte is the list, the rest is cut into four tile files. The joins
// refuse or write, never read past a tile nor size a buffer from a damaged list.
// Seeds: seeds/tiles.bin
#include "bandproc/vUPrepare.h"
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {
// Every round replaces what the round before it wrote: the harness lets those files go, as a
// user answering Yes would.
const bool LetGo = (SetReplaceQuestion([](const std::vector<std::string>&) { return true; }), true);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const std::string dir = "/tmp/vorn-fuzz-tiles-" + std::to_string(getpid()) + "/";
    MakeDirectories(dir);
    SceneFolder = dir;
    const uint8_t* end = data + size;
    const uint8_t* text = data + 1;
    const uint8_t* zero = std::find(text, end, uint8_t{0});
    const std::vector<std::string> list =
        SplitLines(std::string(reinterpret_cast<const char*>(text), zero - text));
    const uint8_t* tiles = zero == end ? end : zero + 1;
    const size_t quarter = static_cast<size_t>(end - tiles) / 4;
    for (int t = 0; t < 4; ++t) {
        SelectedBandFiles[t] = dir + "t" + std::to_string(t + 1) + ".raw";
        WriteFileAtomic(SelectedBandFiles[t], tiles + t * quarter, quarter,
                        TReplaceLeave::Chosen(SelectedBandFiles[t]));
    }
    std::vector<std::string> processed;
    std::string joined = "joined.raw";
    RunGuarded([&] {
        switch (data[0] % 3) {
        case 0:
            CombineTwoVertical(list, processed, joined);
            break;
        case 1:
            CombineTwoHorizontal(list, processed, joined);
            break;
        default:
            CombineFour(list, processed, joined);
            break;
        }
    });
    std::remove((dir + joined).c_str());
    return 0;
}
