#pragma once
// Character-level routines around formula and number texts (Module1).
#include <string>

namespace formula {

// The text with the multiplication signs a formula leaves implied written
// out ("2x" -> "2*x", "x(y)" -> "x*(y)", "(a)(b)" -> "(a)*(b)").
std::string InsertImplicitMultiply(const std::string& text);

// Reads a number typed into a box: keeps "-1234567890Ee.", turns "," into
// ".", drops blanks. Consumes `text` from the front; at the first other
// character returns False with `text` starting at it. An empty text or a
// single blank gives "0". Only the characters are checked.
bool ReadNumberField(std::string& text, std::string& number);

// The text's characters that formula text may hold ("," written ".", blanks
// dropped), or the empty text at the first other character, where `text`
// then starts. Consumes `text` like ReadNumberField.
std::string KeepExpressionChars(std::string& text);

// One left-to-right pass folding "+-" to "-" and "--" to "+".
std::string FoldSignPairs(const std::string& text);

}  // namespace formula
