#pragma once
// Formula text to the text of its derivative, through the token lists:
// InsertImplicitMultiply, InfixToPolish, Differentiate (order times),
// PolishToInfix, FoldSignPairs. The text compiles to the derivative.
#include <string>

namespace formula {

// Shown with a refusal of the symbolic routines, with the exclamation icon.
inline constexpr const char* kDerivativeErrorTitle = "Error";

struct DerivativeText {
    bool ok = false;
    std::string text;       // the derivative, when ok
    std::string errorText;  // the refusal, when not ok
};

// The order-th derivative (order >= 1) of `formula` by `variable`.
DerivativeText differentiateText(const std::string& formula, const std::string& variable, int order = 1);

}  // namespace formula
