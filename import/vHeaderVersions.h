// First lines of the three header files; the readers check them and messages 39994 to 39996
// name them.
#pragma once

inline constexpr const char* DIHVersionLine = "DIH 1.1";
inline constexpr const char* DISVersionLine = "DIS 1.1";
inline constexpr const char* DIPVersionLine = "DIP 1.1";
