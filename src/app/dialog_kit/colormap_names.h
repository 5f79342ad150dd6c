#pragma once
// The colour-map lists of the graph property dialogs: the preset names in
// their order, "Rainbow" first (each dialog selects it at load).
#include <array>

inline constexpr std::array<const char*, 5> kColorMapNames = {"Rainbow", "Earth", "Fiery", "Marine", "Grey"};
