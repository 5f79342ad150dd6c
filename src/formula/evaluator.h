#pragma once
// Runs a Program (program.h) for given values of X, Y, Z and A..T.
#include <array>
#include <vector>

#include "formula/program.h"

namespace formula {

using Vars = std::array<double, kVarCount>;  // X, Y, Z, A..T (see kVarX, kVarA)

enum class EvalStatus : unsigned char {
    Ok,         // value holds the formula's value
    Undefined,  // a domain guard held: value is UndefinedValue
    Failed,     // a run-time error (overflow, bad token, empty stack, or a
                // guard with a message while messages are shown)
};

struct EvalResult {
    EvalStatus status = EvalStatus::Failed;
    double value = 0.0;            // UndefinedValue when Undefined; 0 when Failed
    const char* message = "";      // why it failed or which guard held; valid
                                   // while the Program lives
};

// Evaluates without allocating (unless the Program needs more than
// kLocalRegisters registers). `degree`: trigonometric arguments in degrees.
// `showMessages`: a guard with a message fails instead of giving
// UndefinedValue.
EvalResult evaluate(const Program& program, const Vars& vars, bool degree, bool showMessages = false);

inline constexpr std::size_t kLocalRegisters = 256;

// The derivatives of one step's value by its operands a, b and c (0 for an
// operand the step does not read).
struct StepPartials {
    double by[3];
};

// The forward half of a derivative evaluation. Evaluates as evaluate() does
// (messages not shown) and, on Ok, leaves in `registers`
// (program.fast.registerCount() of them) the registers' values at the end and
// in `partials` (program.fast.steps.size()) each step's partial derivatives.
// needed[k], bit j: the partial of step k by operand j is wanted. Partials
// not wanted may be left out (0); a power leaves them out, as they cost a
// logarithm or a power. A program holding RND gives Failed.
EvalStatus evaluateRecording(const Program& program, const Vars& vars, bool degree, double* registers,
                             StepPartials* partials, const std::vector<unsigned char>& needed, double& value);

// Evaluates as evaluate() does (messages not shown) and, on Ok, gives in `rounding` a bound of the
// rounding error of the value: the first-order running error of the steps (each step's own rounding,
// plus its operands' errors carried through its partial derivatives), so that cancellation between
// large terms and the rounding of a large argument show in it as they do in the value.
// Variables and numbers count as exact (the data and parameters are the numbers given).
// `rounding` is not finite where a partial derivative on the way is not (it is then no bound).
// What evaluateRecording gives Failed (RND, a run only the postfix form finishes) fails here too.
EvalStatus evaluateRounding(const Program& program, const Vars& vars, bool degree, double& value, double& rounding);

// RND draws from a generator of its own, the same sequence in every run;
// this restarts it (for tests).
void seedRandom(unsigned seed);

}  // namespace formula
