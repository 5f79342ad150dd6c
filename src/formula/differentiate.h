#pragma once
// Symbolic differentiation of a token list (module Der).
#include <optional>
#include <string>

#include "formula/polish.h"

namespace formula {

// The derivative of the formula in `list` with respect to `variable` (one
// of x, y, z, a..t), as a new token list; `list` is not changed. Nothing is
// simplified: the rules write their fixed forms, so d(a*x)/dx prints as
// (0*x+a*1)/x^0 and x^a as (0*Log(x)+1*a/x)*x^a.
//
// Leaves: the variable gives 1; a number, and x, y, z, a..t other than the
// variable, give 0 (names in either case, as the compiler reads them).
// Functions: the 25 of InfixToPolish (either case), "Log" among them as the
// natural logarithm the general power rule writes, and "MIN", the negation
// the rules write. A power with a single number as its exponent takes the
// power rule for every number but 0 (which gives 0), negative ones included.
//
// ok False and no list on a refusal, whose text is errorText:
//  - "Expression is illegal.": a leaf that is no number, variable or
//    parameter, an operator token that does not fit its rank, or a list that
//    is not one well-formed postfix formula;
//  - "Can not find derivative of <name>": a function without a rule;
//  - "Can not differentiate by <variable>.": a variable outside x, y, z, a..t;
//  - the limits' messages: a list past kMaxPolishTokens or kMaxFormulaDepth,
//    or a derivative of more than kMaxPolishTokens tokens (refused before it
//    is built).
// A caller shows a refusal with the exclamation icon and the title "Error".
// An empty list has the derivative "0".
std::optional<clsPolish> Differentiate(const clsPolish& list, const std::string& variable, std::string& errorText,
                                       bool& ok);

}  // namespace formula
