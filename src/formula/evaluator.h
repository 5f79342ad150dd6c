#pragma once
// Runs a Program (program.h) for given values of X, Y, Z and A..T.
#include <array>

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
// kLocalStackDepth stack slots). `degree`: trigonometric arguments in
// degrees. `showMessages`: a guard with a message fails instead of giving
// UndefinedValue.
EvalResult evaluate(const Program& program, const Vars& vars, bool degree, bool showMessages = false);

inline constexpr std::size_t kLocalStackDepth = 256;

// RND draws from a generator of its own, the same sequence in every run;
// this restarts it (for tests).
void seedRandom(unsigned seed);

}  // namespace formula
