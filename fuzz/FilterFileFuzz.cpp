// Any bytes as a kernel file of any kind and size: the reader refuses or loads, never reads past
// the file, and a loaded kernel of any values (infinities, NaN) runs its filter on a small
// working image to the end or to the run time's error. The first two bytes choose the kind,
// size and engine.
// Seeds: seeds/filter-*.bin
#include "algebra/vUFilterFile.h"
#include "algebra/vUIPFilter.h"
#include "fuzz/FuzzSupport.h"
#include "shell/vGlobal.h"

#include <cstdint>
#include <string>

namespace {

void LoadWorkingImage() {
    if (ImageBuffersAllocated) return;
    Picture p;
    p.Resize(11, 10);
    uint32_t seed = 7;
    for (uint32_t& px : p.Pixels) {
        seed = seed * 1664525u + 1013904223u;
        px = 0xFF000000u | (seed >> 8);
    }
    DisplayedPicture = p;
    AllocImageBuffers();
    DoneNotificationOption = false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    static const char* const extensions[] = {"RL", "RR", "R2", "R8"};
    static const char digits[] = "3579";
    const int kind = data[0] % 4;
    const int digit = (data[0] / 4) % 4;
    const int engine = data[1] % 9;
    const std::string path =
        FuzzFile(std::string("kernel.") + extensions[kind] + digits[digit], data + 2, size - 2);
    LoadWorkingImage();
    ClipOption = (data[1] & 0x10) != 0;
    AutoRangeOption = (data[1] & 0x20) != 0;
    const int32_t flag = AutoRangeOption ? 1 : 0;
    RunGuarded([&] {
        switch (engine) {
        case 0:
            return DoIntegerFile(path, flag);
        case 1:
            return DoRealFile(path, flag);
        case 2:
            return DoSobelFile(path, flag);
        case 3:
            return DoSoDogFile(path, flag);
        case 4:
            return DoRotate8SQRTFile(path, flag, 255, 255);
        case 5:
            return DoRotate8MaxFile(path, flag);
        case 6:
            return DoRatioAddFile(path, flag);
        case 7:
            return DoRatioMaxFile(path, flag);
        default:
            return DoSlopeFile(path, flag, 6);
        }
    });
    return 0;
}
