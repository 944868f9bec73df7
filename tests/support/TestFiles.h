// A fresh temporary folder per test (removed afterwards) and the paths of the test data.
#pragma once

#include <string>

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
