// A fresh temporary folder per test (removed afterwards) and the paths of the test data.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The folder with its trailing "/".
    const std::string& Path() const { return Dir; }
    std::string File(const std::string& name) const { return Dir + name; }

  private:
    std::string Dir;
};

// tests/data/<relative>: every file a test reads lives there, so a clone alone passes its tests.
std::string TestData(const std::string& relative);

// The whole of a file; empty when it cannot be read (the comparison that follows then fails).
std::vector<uint8_t> FileBytes(const std::string& path);
std::string FileText(const std::string& path);
// Every file directly in `dir` by name, with its bytes: a folder before and after, compared.
std::map<std::string, std::vector<uint8_t>> FolderBytes(const std::string& dir);
