#pragma once
// The nine models of the polynomial fitting dialog: their names and model
// texts in the order of the model list; the terms and the fit are the
// solver's (fitting/solver/polynomial_fit.h).
#include <string>
#include <vector>

inline constexpr int kPolynomialModels = 9;

struct PolynomialModel {
    const char* name;  // the model list's entry
    const char* text;  // the model text, "y=b0+b1*x"
};

// Model 1 .. 9 (ModelNumber); another number throws std::out_of_range.
const PolynomialModel& polynomialModel(int number);

// The model's right-hand side, with the fitted coefficients b0 .. bN written
// in their formula number text, each negative one bracketed: "1+(-2)*x". It
// compiles to the same polynomial. Fewer values than coefficients throws
// std::out_of_range.
std::string FittedPolynomialText(int number, const std::vector<double>& coefficients);
