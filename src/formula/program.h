#pragma once
// Program: what a postfix formula text compiles to, so that a formula evaluated
// at many points is read only once.
//
// A postfix text ("AA XX * BB + ", the blank-terminated tokens written by
// Cls6::InfixToPostfix) becomes a flat list of instructions run on a value
// stack, one instruction per token, in the same order. Every instruction
// except the pushes pops its operands and pushes one result:
//
//   PushConst  push `value` (a number token, PI is kPiToken, pi to a Double)
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
//
// For speed a Program also carries `fast`, the same computation in register
// form (see Step below): pushes become operands, sub-expressions of numbers
// alone are computed once when the Program is built, whole powers 2 and 3
// become multiplications, and a product (with a square or cube) added to or
// subtracted from a value becomes one step. Each step's value is read by at
// most one later step (as each value on the stack is popped once). The steps compute every value exactly as the postfix
// instructions do (the same operations in the same order, with the same
// roundings), so an evaluation that meets no guard, no undefined value and
// no non-finite number gives the same bits either way; any evaluation that
// would meet one is run again through `code`, which decides the outcome.
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
    // Found only in Program::steps (r: the registers; q: r[b] * r[b] for
    // the Square forms, r[b] * r[b] * r[b] for the Cube forms, and the same
    // of r[c] in MulAddSquare ... MulSubCube):
    Square,        // r[a] * r[a]: A ^ 2
    Cube,          // r[a] * r[a] * r[a]: A ^ 3
    MulSquare,     // r[a] * q
    MulCube,       // r[a] * q
    MulAdd,        // r[a] + r[b] * r[c]
    MulAddSquare,  // r[a] + r[b] * q
    MulAddCube,    // r[a] + r[b] * q
    MulSub,        // r[a] - r[b] * r[c]
    MulSubSquare,  // r[a] - r[b] * q
    MulSubCube,    // r[a] - r[b] * q
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

// One step of the register form: r[dst] := op(r[a], r[b], r[c]). A function,
// Neg, Square and Cube read a; a binary operator, MulSquare and MulCube a and
// b; MulAdd ... MulSubCube all three. Operands a step does not read name the
// sink register.
struct Step {
    Op op = Op::Add;
    bool chained = false;  // r[a] is the previous step's result
    std::uint32_t dst = 0, a = 0, b = 0, c = 0;
};

// Registers of the steps: the variable slots 0 .. kVarCount-1 (vars[k] is
// register k), then one register per stack level (the value at level d of
// the stack lives in kVarCount + d), then the numbers, then the sink.
struct RegisterCode {
    static constexpr std::size_t kCopiedNumbers = 4;  // copied without a loop
    bool usable = false;                // false: the Program holds RND or a
                                        // Fail; only `code` can evaluate it
    std::vector<Step> steps;
    std::vector<std::uint8_t> usedVars; // the variable slots the text reads
    std::vector<std::uint8_t> checkedVars;  // those of them to test for a
                                        // finite value first: the others
                                        // reach a step whose value is not
                                        // finite when they are not
    std::vector<double> numbers;        // the values of the number registers,
                                        // at least kCopiedNumbers of them
    std::uint32_t firstNumber = 0;      // register of numbers[0]
    std::uint32_t result = 0;           // register holding the value at the end
    std::uint32_t sink = 0;             // register no step reads; the last
    std::uint32_t registerCount() const { return sink + 1; }
};

struct Program {
    std::vector<Instr> code;   // one instruction per token, as described above
    RegisterCode fast;         // the same computation in register form
    std::size_t maxDepth = 0;  // most values on the stack at once
    std::string failMessage;   // why the trailing Fail instruction fails
    std::string text;          // the postfix text it was built from

    bool empty() const { return code.empty(); }
};

// The register form of a Program's `code` (buildProgram calls it).
RegisterCode buildRegisterCode(const std::vector<Instr>& code, std::size_t maxDepth);

// Builds the Program of a postfix text. Tokens are cut at blanks; text after
// the last blank is ignored; tokens match exactly (case-sensitive). A token
// that starts with a digit, "." or "," is a number (digits with at most one
// decimal point "." or ","; reading stops at anything else). Never throws on
// any input; problems become a trailing Fail.
Program buildProgram(std::string_view postfix);

}  // namespace formula
