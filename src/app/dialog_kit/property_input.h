#pragma once
// The whole numbers typed into the graph property dialogs (a line width, a
// marker size, a contour step). Plain text checks, tested directly.
#include <string>
#include <string_view>

namespace propertyinput {

// The number at the start of the text ("." as the decimal point, blanks
// skipped; a text that does not start with a number reads 0), rounded to the
// nearest whole number, halves to even. False, with value untouched, when the
// result is negative or beyond 2147483647.
bool ReadPropertyLong(std::string_view text, long& value);

// The refusal of such a box: "<name> must be a number from 0 to 2147483647."
// ("Step", "Line Width", "Size").
std::string PropertyLongMessage(std::string_view name);

}  // namespace propertyinput
