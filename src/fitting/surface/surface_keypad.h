#pragma once
// The keypad of the surface and volume fitting dialogs: Command8 .. Command27,
// row by row, with "x" and "y" in place of the curve dialog's "B".
#include <array>

inline constexpr int kSurfaceFirstKey = 8;
inline constexpr std::array<const char*, 20> kSurfaceKeys = {
    "1", "2", "3", "+", "-", "4", "5", "6", "*", "/", "7", "8", "9", "(", ")", "0", ".", "^", "x", "y"};
