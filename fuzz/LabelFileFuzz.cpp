// Any bytes as a label file (.raf): the reader refuses or loads, never reads past a record or
// takes more text than the field holds.
#include "runtime/RtFiles.h"
#include "shell/vGlobal.h"
#include "shell/vMarkLists.h"

#include <cstdint>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/vorn-fuzz-" + std::to_string(getpid()) + ".raf";
    WriteFileAtomic(path, data, size);
    RunGuarded([] {
        TextLabels.Assign(ReadLabelFile(path));
        for (const auto& label : TextLabels.Items)
            if (label.Text.size() > TextLabelMaxLength) __builtin_trap();
    });
    return 0;
}
