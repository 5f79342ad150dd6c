#include "formula/evaluator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "formula/function_derivative.h"
#include "formula/guards.h"

namespace formula {

namespace {

// A 24-bit linear congruential generator: single-precision values in [0, 1).
thread_local std::uint32_t gRandomState = 0x50000u;

double nextRandom() {
    gRandomState = (gRandomState * 1140671485u + 12820163u) & 0xFFFFFFu;
    return static_cast<float>(gRandomState) / 16777216.0f;
}

inline bool finite(double v) { return std::fabs(v) <= 1.7976931348623157e308; }

EvalResult failed(const char* message) { return EvalResult{EvalStatus::Failed, 0.0, message}; }

EvalResult guardHeld(Op op, Guard g, bool showMessages) {
    if (g == Guard::Fail) return failed("Overflow");
    const char* message = guardMessage(op);
    if (g == Guard::Message && showMessages) return failed(message);
    return EvalResult{EvalStatus::Undefined, UndefinedValue, message};
}

// Doubles for one evaluation: on the machine stack unless there are many.
class Scratch {
public:
    explicit Scratch(std::size_t n) {
        if (n > kLocalRegisters) heap_.resize(n);
    }
    double* data() { return heap_.empty() ? local_ : heap_.data(); }

private:
    double local_[kLocalRegisters];
    std::vector<double> heap_;
};

// The postfix instructions one by one, as the language defines evaluation.
// It decides every outcome but a plain value: guards, failures, messages.
EvalResult runCode(const Program& p, const Vars& vars, bool degree, bool showMessages, double* st) {
    std::size_t sp = 0;
    for (const Instr& in : p.code) {
        switch (in.op) {
        case Op::PushConst: st[sp++] = in.value; continue;
        case Op::PushVar:
            if (!finite(vars[in.index])) return failed("Overflow");
            st[sp++] = vars[in.index];
            continue;
        case Op::Neg: st[sp - 1] = -st[sp - 1]; continue;
        case Op::Rnd: st[sp - 1] = nextRandom(); continue;
        case Op::Fail: return failed(p.failMessage.c_str());
        default: break;
        }
        double r = 0;
        if (isBinary(in.op)) {
            const double b = st[--sp], a = st[sp - 1];
            if (binaryGuard(in.op, a, b) != Guard::Ok) return guardHeld(in.op, Guard::Message, showMessages);
            r = binaryValue(in.op, a, b);
        } else {
            const double x = (degree && takesDegrees(in.op)) ? degToRad(st[sp - 1]) : st[sp - 1];
            const Guard g = unaryGuard(in.op, x);
            if (g != Guard::Ok) return guardHeld(in.op, g, showMessages);
            bool ok = true;
            r = unaryValue(in.op, x, ok);
            if (!ok) return failed("Overflow");
        }
        if (!finite(r)) return failed("Overflow");
        st[sp - 1] = r;
    }
    return EvalResult{EvalStatus::Ok, st[sp - 1], ""};
}

// The register form (program.h). False as soon as the evaluation meets
// anything but finite values that no guard stops: a non-finite variable, a
// guard that holds, an overflow; runCode then decides the outcome. With
// Record, each step's partial derivatives go to `partials`.
template <bool Record>
[[gnu::always_inline]] inline bool runSteps(const RegisterCode& rc, const Vars& vars, bool degree, double* r,
                                            StepPartials* partials, const unsigned char* needed) {
    for (const std::uint8_t slot : rc.checkedVars)
        if (!finite(vars[slot])) return false;
    for (const std::uint8_t slot : rc.usedVars) r[slot] = vars[slot];
    const double* numbers = rc.numbers.data();
    double* numberRegisters = r + rc.firstNumber;
    std::memcpy(numberRegisters, numbers, RegisterCode::kCopiedNumbers * sizeof(double));
    for (std::size_t k = RegisterCode::kCopiedNumbers; k < rc.numbers.size(); ++k) numberRegisters[k] = numbers[k];
    const double degreeChain = degree ? kPiApprox / 180.0 : 1.0;
    const std::size_t n = rc.steps.size();
    const Step* steps = rc.steps.data();
    double last = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const Step& s = steps[k];
        const double a = s.chained ? last : r[s.a];
        double v = 0, pa = 0, pb = 0, pc = 0;
        switch (s.op) {
        case Op::Neg: v = -a, pa = -1; break;
        case Op::Add: v = a + r[s.b], pa = pb = 1; break;
        case Op::Sub: v = a - r[s.b], pa = 1, pb = -1; break;
        case Op::Mul: v = a * r[s.b], pa = r[s.b], pb = a; break;
        case Op::Square: v = a * a, pa = 2 * a; break;
        case Op::Cube: v = a * a * a, pa = 3 * (a * a); break;
        case Op::MulSquare: {
            const double c = r[s.b], q = c * c;
            v = a * q, pa = q, pb = 2 * a * c;
            break;
        }
        case Op::MulCube: {
            const double c = r[s.b], q = c * c * c;
            v = a * q, pa = q, pb = 3 * a * (c * c);
            break;
        }
        case Op::MulAdd: v = a + r[s.b] * r[s.c], pa = 1, pb = r[s.c], pc = r[s.b]; break;
        case Op::MulSub: v = a - r[s.b] * r[s.c], pa = 1, pb = -r[s.c], pc = -r[s.b]; break;
        case Op::MulAddSquare: {
            const double b = r[s.b], c = r[s.c], q = c * c;
            v = a + b * q, pa = 1, pb = q, pc = 2 * b * c;
            break;
        }
        case Op::MulSubSquare: {
            const double b = r[s.b], c = r[s.c], q = c * c;
            v = a - b * q, pa = 1, pb = -q, pc = -2 * b * c;
            break;
        }
        case Op::MulAddCube: {
            const double b = r[s.b], c = r[s.c], q = c * c * c;
            v = a + b * q, pa = 1, pb = q, pc = 3 * b * (c * c);
            break;
        }
        case Op::MulSubCube: {
            const double b = r[s.b], c = r[s.c], q = c * c * c;
            v = a - b * q, pa = 1, pb = -q, pc = -3 * b * (c * c);
            break;
        }
        case Op::Div: {
            const double b = r[s.b];
            if (divisorTooSmall(b)) return false;
            v = a / b;
            if constexpr (Record) pa = 1 / b, pb = -v / b;
            break;
        }
        case Op::Pow: {
            const double b = r[s.b];
            if (powIsOne(b)) {
                v = 1.0;  // flat in both operands
                break;
            }
            if (powUndefined(a, b)) return false;
            v = powValue(a, b);
            if constexpr (Record) {
                if (needed[k] & 1) pa = b * std::pow(a, b - 1);
                // d a^b / db = a^b ln a; 0^b is flat in b; a negative base has
                // no value at the neighbouring fractional exponents.
                if (needed[k] & 2) pb = a > 0 ? v * std::log(a) : (a == 0 ? 0.0 : std::nan(""));
            }
            break;
        }
        case Op::Exp: v = std::exp(a), pa = v; break;
        case Op::Sin: {
            const double x = degree ? degToRad(a) : a;
            v = std::sin(x);
            if constexpr (Record) pa = degreeChain * std::cos(x);
            break;
        }
        case Op::Cos: {
            const double x = degree ? degToRad(a) : a;
            v = std::cos(x);
            if constexpr (Record) pa = -degreeChain * std::sin(x);
            break;
        }
        default: {
            const bool toRadians = degree && takesDegrees(s.op);
            const double x = toRadians ? degToRad(a) : a;
            if (unaryGuard(s.op, x) != Guard::Ok) return false;
            bool ok = true;
            v = unaryValue(s.op, x, ok);
            if (!ok) return false;
            if constexpr (Record) pa = (toRadians ? degreeChain : 1.0) * functionDerivative(s.op, x, v);
            break;
        }
        }
        if (!finite(v)) return false;
        r[s.dst] = v;
        last = v;
        if constexpr (Record) partials[k] = StepPartials{{pa, pb, pc}};
    }
    return true;
}

// Programs too large for registers on the machine stack, and every
// evaluation the register form does not finish.
[[gnu::noinline]] EvalResult evaluateLarge(const Program& program, const Vars& vars, bool degree, bool showMessages) {
    const RegisterCode& rc = program.fast;
    Scratch scratch(std::max<std::size_t>(rc.registerCount(), program.maxDepth));
    double* r = scratch.data();
    if (rc.usable && rc.registerCount() > kLocalRegisters && runSteps<false>(rc, vars, degree, r, nullptr, nullptr))
        return EvalResult{EvalStatus::Ok, r[rc.result], ""};
    return runCode(program, vars, degree, showMessages, r);
}

}  // namespace

EvalResult evaluate(const Program& program, const Vars& vars, bool degree, bool showMessages) {
    const RegisterCode& rc = program.fast;
    if (rc.usable && rc.registerCount() <= kLocalRegisters) {
        double r[kLocalRegisters];
        if (runSteps<false>(rc, vars, degree, r, nullptr, nullptr))
            return EvalResult{EvalStatus::Ok, r[rc.result], ""};
    }
    return evaluateLarge(program, vars, degree, showMessages);
}

EvalStatus evaluateRecording(const Program& program, const Vars& vars, bool degree, double* registers,
                             StepPartials* partials, const std::vector<unsigned char>& needed, double& value) {
    const RegisterCode& rc = program.fast;
    if (rc.usable && runSteps<true>(rc, vars, degree, registers, partials, needed.data())) {
        value = registers[rc.result];
        return EvalStatus::Ok;
    }
    // RND has no derivative (and drawing here would move the sequence on).
    for (const Instr& in : program.code)
        if (in.op == Op::Rnd) return EvalStatus::Failed;
    // Otherwise the register form stopped where the postfix evaluation stops
    // too, or the Program ends in Fail: that evaluation is never Ok.
    Scratch stack(program.maxDepth);
    const EvalStatus s = runCode(program, vars, degree, false, stack.data()).status;
    return s == EvalStatus::Ok ? EvalStatus::Failed : s;
}

void seedRandom(unsigned seed) { gRandomState = seed & 0xFFFFFFu; }

}  // namespace formula
