// Every projection test starts from the state of a fresh run: empty log, zeroed blocks, both
// sides geographic, no set-up error.
#pragma once

#include "projections/kovGCTP.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

class ProjectionTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetRun(); }
    void TearDown() override { ResetRun(); }

    static void ResetRun() {
        ClearProjectionLog();
        InParm = {};
        OutParm = {};
        ProjectionInitError = 0;
        // Geographic set-ups on both sides clear their set-up status and codes.
        InverseInit();
        ForwardInit();
        ClearProjectionLog();
    }

    // The log lines written since the last call.
    std::vector<std::string> TakeLog() {
        std::vector<std::string> lines = ProjectionLog;
        ClearProjectionLog();
        return lines;
    }

    static std::string Joined(const std::vector<std::string>& lines) {
        std::string s;
        for (const std::string& l : lines)
            s += l + "|";
        return s;
    }
};
