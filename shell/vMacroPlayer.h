// The macro player: walks a macro text once and replays each command line through the routine
// its code names, inside the one error guard; the first run-time error ends the walk.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The macro text as the player reads it: the count is taken once, each line when it is reached.
struct MacroText {
    std::function<size_t()> Count;
    std::function<std::string(size_t index)> Line; // empty at or beyond the end
};

// One command being played: parameter k (from 1) is the k-th line after the command line.
struct MacroStep {
    const MacroText& Text;
    size_t Index;
    std::string L(int k) const;
    // The lenient conversions: the value of what was read before the first character that does
    // not belong; an empty line gives 0.
    int32_t I(int k) const;
    double R(int k) const;
    uint8_t LowByte(int k) const { return static_cast<uint8_t>(I(k) & 0xFF); }
    bool Flag(int k, const char* onLiteral) const { return L(k) == onLiteral; }
    // A radio group's item index, clamped to -1..count - 1 as the group itself does.
    int32_t Radio(int k, int32_t count) const;
};
using MacroAction = void (*)(const MacroStep& step);

// A routine that lives with a window (the player sets the window's controls from the recorded
// lines before it runs): the window side registers it by code at start-up, and it replaces an
// earlier registration of that code.
using MacroRoutine = std::function<void(const MacroStep& step)>;
void RegisterMacroRoutine(int code, MacroRoutine routine);

// How code 0003 opens a picture: the main window's loader, set by the macro window (by default
// the picture-file loader alone).
extern std::function<bool(const std::string& directory, const std::string& name)> MacroLoadPicture;

// Code 0201 shows the played items in the pixel-algebra window's 21 groups when that window is
// open (set by the macro window; by default nothing is shown).
extern std::function<void(const std::array<int32_t, 21>& items)> MacroShowPixelAlgebraItems;

// False when another operation or playback was running (nothing is played), or when an error or
// a refused step (a file name holding a folder, a picture too big to open) ended the walk.
bool PlayMacro(const MacroText& text);
bool PlayMacro(const std::vector<std::string>& lines);
