#include "shell/vGlobal.h"
#include "shell/vToolModes.h"
#include "support/RecordingHooks.h"

#include <gtest/gtest.h>

#include <functional>

TEST(ToolModes, PixelBoxStaysInsideThePicture) {
    const struct {
        int32_t Last, Press, Start, End;
    } cases[] = {
        {99, 3, 3, 28}, {99, 90, 0, 25}, {99, 73, 73, 98}, {99, 74, 0, 25},
        {99, 0, 0, 25}, {25, 1, 0, 25},  {19, 5, 0, 19},   {0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        PlacePixelBox(c.Press, c.Press, c.Last, c.Last);
        EXPECT_EQ(RubberStart.X, c.Start) << c.Last << " " << c.Press;
        EXPECT_EQ(RubberEnd.X, c.End) << c.Last << " " << c.Press;
        EXPECT_EQ(RubberEnd.Y, c.End);
    }
}

TEST(ToolModes, MagnifierCornerKeepsTheSquareInsideThePicture) {
    const struct {
        int32_t Last, Half, Pointer, Corner;
    } cases[] = {
        {99, 32, 10, 0},  {99, 32, 32, 0},  {99, 32, 33, 1}, {99, 32, 65, 33},
        {99, 32, 66, 34}, {99, 32, 99, 34}, {99, 6, 50, 44}, {99, 6, 97, 86},
        {40, 32, 20, 0},  {40, 32, 40, 0},  {0, 32, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MagnifierCorner(c.Pointer, c.Last, c.Half), c.Corner)
            << c.Last << " " << c.Half << " " << c.Pointer;
}

TEST(ToolModes, MeasuredDistanceIsStraightOnlyFromTenRowsOn) {
    const struct {
        ImagePoint A, B;
        int32_t Distance;
    } cases[] = {
        {{10, 10}, {40, 14}, 30}, {{10, 10}, {40, 50}, 50}, {{40, 50}, {10, 10}, 50},
        {{0, 0}, {7, 9}, 7},      {{0, 0}, {7, 10}, 12},    {{0, 0}, {0, -10}, 10},
        {{5, 0}, {5, 0}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MeasuredDistance(c.A, c.B), c.Distance) << c.B.X << "," << c.B.Y;
}

// Whatever replaces or frees the undo copy first ends the mode that shows pictures made from
// it; the mode ends once.
TEST(ToolModes, TheUndoCopyIsGivenBackBeforeItIsReplaced) {
    RecordingHooks rec;
    int ended = 0;
    Hooks.EndUndoHoldingMode = [&] { ++ended; };
    const std::pair<const char*, std::function<void()>> triggers[] = {
        {"copy", [] { CopyImageForProcessing(); }},
        {"replace", [] { ReplaceDisplayedPicture(DisplayedPicture); }},
        {"free", [] { FreeImageBuffers(); }},
    };
    for (const auto& [name, trigger] : triggers) {
        DisplayedPicture.Resize(4, 3);
        AllocImageBuffers();
        ended = 0;
        UndoCopyHeld = true;
        trigger();
        trigger();
        EXPECT_EQ(ended, 1) << name;
        EXPECT_FALSE(UndoCopyHeld) << name;
    }
    FreeImageBuffers();
    DisplayedPicture = Picture();
}
