// Every projection test starts from the state of a fresh run: empty log, zeroed blocks, both
// sides geographic, no set-up error.
#pragma once

#include "projections/kovGCTP.h"

#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

inline ProjectionParameterBlock Block(std::initializer_list<std::pair<int, double>> slots) {
    ProjectionParameterBlock b{};
    for (auto [i, v] : slots)
        b[i] = v;
    return b;
}

// A point that one side of a block cannot transform: its status, NaN outputs and log lines
// (each line followed by a bar).
struct PointFailure {
    const char* Name;
    ProjectionParameterBlock Block;
    bool Forward;
    double A, B;
    int Status;
    const char* Log;
};

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

    void ExpectFailures(const std::vector<PointFailure>& cases) {
        for (const PointFailure& c : cases) {
            ResetRun();
            (c.Forward ? OutParm : InParm) = c.Block;
            c.Forward ? ForwardInit() : InverseInit();
            ASSERT_EQ(ProjectionInitError, 0) << c.Name;
            TakeLog();
            double x = 1, y = 1;
            EXPECT_EQ(c.Forward ? ForwardTransform(c.A, c.B, x, y)
                                : InverseTransform(c.A, c.B, x, y),
                      c.Status)
                << c.Name;
            EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << c.Name;
            EXPECT_EQ(Joined(TakeLog()), c.Log) << c.Name;
        }
    }

    static std::string Joined(const std::vector<std::string>& lines) {
        std::string s;
        for (const std::string& l : lines)
            s += l + "|";
        return s;
    }
};
