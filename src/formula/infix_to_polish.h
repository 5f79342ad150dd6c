#pragma once
// Formula text to token list (module Der): the symbolic routines' own reading
// of the formula language, writing names in lower case.
#include <optional>
#include <string>

#include "formula/polish.h"

namespace formula {

// Converts a formula text (with its implied multiplications written out,
// see InsertImplicitMultiply) to a postfix token list of ranks 1..5. ok
// False and no list on a refusal, whose text is errorText:
//  - "Closing parenthesis without matching open parenthesis": the counts of
//    "(" and ")" differ, or a ")" closes no open "(";
//  - "Double minus signs exist.": two minus signs in a row (blanks between
//    count as none);
//  - "Illegal symbol   <position>": a character where an operator belongs,
//    anything following a number or name included ("2x", "2E5");
//  - "Lack of parameter at  <position>": an operator or ")" where an
//    operand belongs;
//  - "Expression is illegal.": the text ends where an operand belongs;
//  - "Can not find derivative of <NAME>": a name or symbol that is no
//    variable, parameter, PI or one of the 25 functions the derivative
//    knows (ABS, INT, RND, ASEC and ACSEC are not among them); a caller
//    shows it with the exclamation icon and the title "Error";
//  - the limits' messages (polish_shape.h): a text longer than
//    kMaxFormulaLength, a tree deeper than kMaxFormulaDepth, or a number
//    beyond the Double range.
// Blanks and control characters between tokens are skipped. A number is
// digits with at most one decimal point, "." or "," (",5" is 0.5), written
// as formatFormulaNumber writes it. A unary minus becomes "0" before its
// operand (with any "^" powers of it) and "-" of rank 2 after it.
std::optional<clsPolish> InfixToPolish(const std::string& expression, std::string& errorText, bool& ok);

// One reduction step of the conversion: while the stack holds more than one
// item, with t the rank of its last item and b that of the one before: a
// "(" under a ")" are both removed and it stops; a "(" under anything, or
// b < t, stops it; otherwise the item before the last moves to the end of
// the output.
void ReducePolishStack(clsPolish& stack, clsPolish& output);

}  // namespace formula
