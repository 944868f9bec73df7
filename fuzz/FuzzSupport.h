// What the fuzz targets share: the readers take paths, so each input becomes a file in a folder
// of this process's own in memory, removed when the run ends. Written plainly: a save's flush to
// disk would slow every input a hundredfold.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

inline std::string FuzzFile(const std::string& name, const uint8_t* data, size_t size) {
    struct Folder {
        std::string Path = (std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") +
                           std::string("/vorn-fuzz-") + std::to_string(getpid()) + "/";
        Folder() { std::filesystem::create_directories(Path); }
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(Path, ec);
        }
    };
    static const Folder folder;
    const std::string path = folder.Path + name;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size > 0) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}
