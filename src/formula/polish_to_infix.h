#pragma once
// Token list to formula text (module Der).
#include <string>

#include "formula/polish.h"

namespace formula {

// Prints a postfix token list as infix formula text with the brackets its
// ranks call for: a right operand of the same or a lower rank and a left
// operand of a lower rank are bracketed; a function prints as name(argument),
// "MIN" as -(argument); no blanks are written. The text, after
// FoldSignPairs, compiles to the formula the list holds. For that, beyond the
// ranks:
//  - the "-" of a unary minus (rank 2) prints as a subtraction, "0-x", and is
//    bracketed as one (so a-(-x) prints a-(0-x), not a-0-x);
//  - the base of a "^" is bracketed when it begins with a sign ("-(x)",
//    "-0.5") or ends in a power with a signed exponent ("x^-0.5"), which
//    the compiler would otherwise read as -(x^2) or x^-(0.5^2).
// ok False, with errorText, for an empty or malformed list (ranks outside
// 1..5, an operator without its operands, more than one formula) and past
// the limits of polish_shape.h; the result is then empty. list is not changed.
std::string PolishToInfix(const clsPolish& list, std::string& errorText, bool& ok);

}  // namespace formula
