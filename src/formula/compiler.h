#pragma once
// The formula compiler: infix formula text to postfix text (see program.h for
// the tokens), and on to a Program.
#include <string>
#include <string_view>

#include "formula/program.h"

namespace formula {

struct CompileResult {
    long position = 0;    // 0: compiled; else the error position, at least 1
    std::string message;  // the syntax message ("Operand expected", ...)
};

// Appends the postfix text of `expression` to `buffer`. On a syntax error
// stops at once, leaving what had been appended, and returns the position
// and message; shows nothing.
CompileResult compileInfix(std::string_view expression, std::string& buffer);

// Infix text straight to a Program. On a syntax error `error` holds it and
// the Program is empty (it fails when evaluated).
Program compileFormula(std::string_view expression, CompileResult& error);

// Precedence of an operator-stack token: "+" "-" 1, "*" "/" 2, "(-)" 3,
// "^" 4, a function name 5, anything else 0 (exact, case-sensitive).
long tokenPrecedence(std::string_view token);
// The first character, upper-cased, is A..Z or "_".
bool isNameChar(std::string_view text);
// The same, digits also accepted.
bool isNameCharOrDigit(std::string_view text);

}  // namespace formula
