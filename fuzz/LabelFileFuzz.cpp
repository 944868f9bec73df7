// Any bytes as a label file (.raf): the reader refuses or loads, never reads past a record or
// takes more text than the field holds.
// Seeds: **/*.raf
#include "fuzz/FuzzSupport.h"
#include "shell/vGlobal.h"
#include "shell/vMarkLists.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzFile("labels.raf", data, size);
    RunGuarded([&path] {
        TextLabels.Assign(ReadLabelFile(path));
        for (const auto& label : TextLabels.Items)
            if (label.Text.size() > TextLabelMaxLength) __builtin_trap();
    });
    return 0;
}
