// Any bytes as a colour-cube file (.rs3): the reader takes only a file of the cube's exact size,
// whole, and leaves the cube as it was otherwise. An odd first byte makes the input the repeated
// bytes cut to that size, so the accepting path is exercised as well.
// Seeds: seeds/*-cube.rs3.bin
#include "histogram/vColorCube.h"
#include "runtime/RtFiles.h"

#include <cstdint>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/vorn-fuzz-" + std::to_string(getpid()) + ".rs3";
    std::vector<uint8_t> file(data, data + size);
    if (size > 0 && (data[0] & 1) != 0) {
        file.resize(static_cast<size_t>(Count3DFileSize));
        for (size_t i = size; i < file.size(); ++i)
            file[i] = data[i % size];
    }
    WriteFileAtomic(path, file, TReplaceLeave::Chosen(path));
    ColorCube cube;
    cube.Allocate();
    cube.Cells[0] = 42;
    const bool read = ReadCount3DFile(path, cube);
    if (read != (file.size() == static_cast<size_t>(Count3DFileSize))) __builtin_trap();
    if (!read && cube.Cells[0] != 42) __builtin_trap();
    if (read && cube.Cells != file) __builtin_trap();
    return 0;
}
