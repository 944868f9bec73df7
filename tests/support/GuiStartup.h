// A main window for gui tests of the start-up: the options file and the configuration folder in
// a temporary folder, the windowed hooks replaced by recording ones, everything the start-up
// touches put back afterwards.
#pragma once

#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

class GuiStartup : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) SavedConfigHome = old;
        setenv("XDG_CONFIG_HOME", (Dir.Path() + "config").c_str(), 1);
        SetOptionsFilePathForTests(Dir.File("Vorn.pof"));
        Form = NewForm();
    }

    void TearDown() override {
        Forms.clear();
        Rec.reset();
        QCoreApplication::processEvents();
        SetOptionsFilePathForTests("");
        if (ImageBuffersAllocated) FreeImageBuffers();
        DisplayedPicture = Picture();
        ImageDirectory.clear();
        SetImageName("", "");
        TVORNForm::TerminateRequested = false;
        if (SavedConfigHome)
            setenv("XDG_CONFIG_HOME", SavedConfigHome->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }

    // A new main window with the recording hooks in place of its own.
    TVORNForm* NewForm() {
        Forms.push_back(std::make_unique<TVORNForm>());
        InstallGuiHooks(Forms.back().get());
        Rec.reset();
        Rec.emplace();
        return Forms.back().get();
    }

    // tests/data/<relative> copied into the test folder as `name` and opened as the user opens it.
    void OpenCopy(const std::string& relative, const std::string& name) {
        std::filesystem::copy_file(TestData(relative), Dir.File(name));
        ASSERT_TRUE(Form->LoadFromFile(Dir.File(name))) << Rec->Summary();
        Rec->Clear();
    }

    TempDir Dir;
    std::optional<RecordingHooks> Rec;
    TVORNForm* Form = nullptr;

  private:
    std::vector<std::unique_ptr<TVORNForm>> Forms;
    std::optional<std::string> SavedConfigHome;
};
