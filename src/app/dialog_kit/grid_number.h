#pragma once
// Numbers typed into grid cells and grid dialogs: blanks around the text
// aside, an optional sign, digits with "." or "," as the decimal point, an
// optional exponent (E or D), or a whole number written &H (hexadecimal) or
// &O (octal). Thousands separators are not read; anything else is not a
// number. The system's locale plays no part.
#include <string_view>

// True with the value when the whole text is a number.
bool ParseGridNumber(std::string_view text, double& value);
// The number in a cell: 0 when the text is not a number.
double GridCellValue(std::string_view text);
// A row or column count typed in a dialog: a number from 1 to 65536, rounded
// to the nearest whole number (a half to the even neighbour).
bool GridSizeFromText(std::string_view text, long& count);
