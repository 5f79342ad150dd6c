#pragma once
// Program: what a postfix formula text compiles to, so that a formula evaluated
// at many points is read only once.
//
// A postfix text ("AA XX * BB + ", the blank-terminated tokens written by
// Cls6::InfixToPostfix) becomes a flat list of instructions run on a value
// stack, one instruction per token, in the same order. Every instruction
// except the pushes pops its operands and pushes one result:
//
//   PushConst  push `value` (a number token, PI is the number 3.1415926)
//   PushVar    push vars[`index`]; index 0..2 are X, Y, Z, 3..22 are A..T
//              (see varIndex / kVarCount)
//   Neg        "(-)": x -> -x
//   Add Sub Mul Div Pow   binary: pops B, then A; pushes A op B
//   Sin ... Actanh        one argument x -> f(x), as in guards.h
//   Fail       stops the evaluation as failed (EvalStatus::Failed) with
//              Program::failMessage. It stands where the text has a bad token
//              or where an operator would pop an empty stack, and is always
//              the last instruction: what comes before it still runs, so a
//              domain guard met earlier still gives UndefinedValue.
//
// Rules every evaluator of a Program follows (evaluator.cpp is the reference;
// a derivative evaluator must agree on the real part):
//  - Degree mode: the argument of Sin, Cos, Tan, Sec, Csec, Ctan and Atan is
//    first put through degToRad() (guards.h) when degrees are asked for.
//  - Domain guards (guards.h, unaryGuard/binaryGuard) are tested before the
//    value is computed; a guard that holds stops the whole evaluation at once
//    with EvalStatus::Undefined (value UndefinedValue). With messages shown,
//    a guard that has a message (guardMessage) ends it as Failed instead.
//  - Pow with |B| < 1e-6 gives 1 for any A (powIsOne), before its guard.
//  - Any non-finite value (an input variable, an overflowing literal, an
//    operation or an intermediate such as exp(710) inside Sinh) ends the
//    evaluation as Failed: these stand for run-time errors.
//  - After the last instruction the top of the stack is the value; values
//    below it are ignored. An empty program fails.
// Stack depths are known when the Program is built: `maxDepth` is the most
// values ever on the stack, and no instruction ever pops an empty stack.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace formula {

// The marker value of a sample at which the formula has no value.
inline constexpr double UndefinedValue = 0.12345;

// Slots of the variable array an evaluation reads: X, Y, Z, then A..T.
inline constexpr int kVarX = 0;
inline constexpr int kVarY = 1;
inline constexpr int kVarZ = 2;
inline constexpr int kVarA = 3;       // A..T are kVarA + 0 .. kVarA + 19
inline constexpr int kParamCount = 20;
inline constexpr int kVarCount = 23;

// Slot of a variable or parameter letter ('X', 'a', ...), or -1.
constexpr int varIndex(char letter) {
    const char u = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
    if (u == 'X') return kVarX;
    if (u == 'Y') return kVarY;
    if (u == 'Z') return kVarZ;
    if (u >= 'A' && u <= 'T') return kVarA + (u - 'A');
    return -1;
}

enum class Op : std::uint8_t {
    PushConst,
    PushVar,
    Neg,
    Add,
    Sub,
    Mul,
    Div,
    Pow,
    // The thirty functions of one argument, in the order of the language.
    Sin,
    Cos,
    Log,
    Exp,
    Abs,
    Atan,
    Int,
    Rnd,
    Sqr,
    Tan,
    Sec,
    Csec,
    Ctan,
    Asin,
    Acos,
    Asec,
    Acsec,
    Actan,
    Sinh,
    Cosh,
    Tanh,
    Ctanh,
    Sech,
    Csech,
    Asinh,
    Acosh,
    Atanh,
    Asech,
    Acsech,
    Actanh,
    Fail,
    // Forms with the right operand folded in, found only in Program::fused:
    // A op vars[index] and A op value. DivConst holds a divisor that passes
    // the division guard; PowConst an exponent that is not near 0.
    AddVar,
    SubVar,
    MulVar,
    DivVar,
    PowVar,
    AddConst,
    SubConst,
    MulConst,
    DivConst,
    PowConst,
};

inline constexpr int kFunctionCount = 30;
inline constexpr Op kFirstFunction = Op::Sin;

constexpr bool isFunction(Op op) { return op >= Op::Sin && op <= Op::Actanh; }
constexpr bool isBinary(Op op) { return op >= Op::Add && op <= Op::Pow; }

// The function names as the language writes them (upper case), by
// function number 0..29 (op - kFirstFunction).
extern const char* const kFunctionNames[kFunctionCount];

// The function named `name` (exact, upper case), or Op::Fail when none.
Op functionByName(std::string_view name);

struct Instr {
    Op op = Op::PushConst;
    std::uint8_t index = 0;  // PushVar: the variable slot
    double value = 0.0;      // PushConst: the number
};

struct Program {
    std::vector<Instr> code;   // one instruction per token, as described above
    std::vector<Instr> fused;  // the same with pushes folded into the binary
                               // operator after them; evaluate() runs this,
                               // other evaluators read `code`
    std::size_t maxDepth = 0;  // most values on the stack at once
    std::string failMessage;   // why the trailing Fail instruction fails
    std::string text;          // the postfix text it was built from

    bool empty() const { return code.empty(); }
};

// Builds the Program of a postfix text. Tokens are cut at blanks; text after
// the last blank is ignored; tokens match exactly (case-sensitive). A token
// that starts with a digit, "." or "," is a number (digits with at most one
// decimal point "." or ","; reading stops at anything else). Never throws on
// any input; problems become a trailing Fail.
Program buildProgram(std::string_view postfix);

}  // namespace formula
