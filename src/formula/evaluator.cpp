#include "formula/evaluator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
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

// What a run of the register form gives beside the value.
enum class Track : unsigned char {
    Value,     // nothing (evaluate)
    Partials,  // each step's partial derivatives, those `needed` (evaluateRecording)
    Rounding,  // a bound of each register's rounding error (evaluateRounding)
};

inline constexpr double kUnitRoundoff = std::numeric_limits<double>::epsilon() / 2;
// A result in the subnormal range errs by up to half the least subnormal per
// rounding, whatever its size (a power that underflows to 0): a few of them
// per step.
inline constexpr double kUnderflow = 4 * std::numeric_limits<double>::denorm_min();

// An operand's error carried through a partial derivative. An exact operand
// carries nothing, even through an infinite partial (x^0.5 at x = 0).
inline double carried(double partial, double error) { return error == 0 ? 0.0 : std::fabs(partial) * error; }

// The rounding, in units of kUnitRoundoff, that computing a function of one
// argument commits, x being the argument after degree conversion and v the
// value: a unit in the last place for one library call (Abs and Int are
// exact). The forms guards.h builds of several operations add the roundings
// of their own steps, carried as in the register form: they lose far more
// than the last bit in places (sinh and tanh near 0, atanh through a
// logarithm of a quotient near 1, acos near 1, actan of a large x).
double functionRounding(Op op, double x, double v) {
    const double av = std::fabs(v), x2 = x * x;
    double ep = 0, em = 0;  // exp(x), exp(-x), each within a unit in the last place
    if (op == Op::Sinh || op == Op::Cosh || op == Op::Ctanh || op == Op::Csech) ep = std::exp(x), em = std::exp(-x);
    switch (op) {
    case Op::Abs:
    case Op::Int: return 0;
    case Op::Sec:
    case Op::Csec:
    case Op::Ctan: return 3 * av;  // 1 / f(x)
    case Op::Asin:
    case Op::Acos: {
        if (asinBand(x)) return 2 * av;
        // atan(x / sqrt(1 - x*x)), for Acos negated and added to a quarter turn
        const double d = 1 - x2, r = std::sqrt(d), t = x / r;
        const double eT = std::fabs(t) * ((x2 + std::fabs(d)) / (2 * d) + 2);
        const double eAtan = eT / (1 + t * t) + 2 * std::fabs(std::atan(t));
        return op == Op::Asin ? eAtan : eAtan + av;
    }
    case Op::Asec:
    case Op::Acsec: {  // acos(1 / x), asin(1 / x)
        const double w = 1 / x;
        return std::fabs(w) / std::sqrt(1 - w * w) + 2 * av;
    }
    case Op::Actan: return 2 * std::fabs(std::atan(x)) + av;  // atan(-x) + a quarter turn
    case Op::Sinh:
    case Op::Cosh: return ep + em + av;  // (ep -+ em) / 2
    case Op::Tanh: return 2 + 5 * av;  // (ep - em) / (em + ep)
    case Op::Sech: return 4 * av;  // 2 / (em + ep)
    case Op::Ctanh:
    case Op::Csech: {  // (ep + em) / (ep - em), 2 / (ep - em)
        const double d = std::fabs(ep - em), eD = 2 * (ep + em) + d;
        return (op == Op::Ctanh ? 3 * (ep + em) / d : 0.0) + av * eD / d + av;
    }
    case Op::Asinh:
    case Op::Acosh: {  // log(x + sqrt(x*x +- 1))
        const double s = op == Op::Asinh ? x2 + 1 : x2 - 1, r = std::sqrt(s);
        const double eT = (x2 + std::fabs(s)) / (2 * r) + r + std::fabs(x + r);
        return eT / (x + r) + 2 * av;
    }
    case Op::Atanh:
    case Op::Actanh: return 1.5 + 2 * av;  // log((x + 1) / (+-(1 - x))) / 2
    case Op::Asech:
    case Op::Acsech: {  // log((sqrt(1 - x*x) + 1) / x), log((sgn(x) sqrt(x*x + 1) + 1) / x)
        const double s = op == Op::Asech ? 1 - x2 : x2 + 1, r = std::sqrt(s);
        const double n = (op == Op::Asech ? r : sgn(x) * r) + 1;
        const double eN = (x2 + std::fabs(s)) / (2 * r) + r + std::fabs(n);
        return eN / std::fabs(n) + 1 + 2 * av;
    }
    default: return 2 * av;  // one library call
    }
}

// The register form (program.h). False as soon as the evaluation meets
// anything but finite values that no guard stops: a non-finite variable, a
// guard that holds, an overflow; runCode then decides the outcome. Partials:
// each step's partial derivatives go to `partials`. Rounding: `errors` (one
// per register) gets the first-order running error of each register, each
// step adding its own rounding to its operands' errors carried through its
// partials; the value is computed as in the other tracks, bit for bit.
template <Track T>
[[gnu::always_inline]] inline bool runSteps(const RegisterCode& rc, const Vars& vars, bool degree, double* r,
                                            StepPartials* partials, const unsigned char* needed, double* errors) {
    constexpr bool Record = T != Track::Value;
    constexpr bool Rounding = T == Track::Rounding;
    if constexpr (Rounding) std::fill(errors, errors + rc.registerCount(), 0.0);  // variables, numbers, sink: exact
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
        double local = 0;  // Rounding: the step's own rounding, in units of kUnitRoundoff (Neg: none)
        switch (s.op) {
        case Op::Neg: v = -a, pa = -1; break;
        case Op::Add:
            v = a + r[s.b], pa = pb = 1;
            if constexpr (Rounding) local = std::fabs(v);
            break;
        case Op::Sub:
            v = a - r[s.b], pa = 1, pb = -1;
            if constexpr (Rounding) local = std::fabs(v);
            break;
        case Op::Mul:
            v = a * r[s.b], pa = r[s.b], pb = a;
            if constexpr (Rounding) local = std::fabs(v);
            break;
        case Op::Square:
            v = a * a, pa = 2 * a;
            if constexpr (Rounding) local = std::fabs(v);
            break;
        case Op::Cube:
            v = a * a * a, pa = 3 * (a * a);
            if constexpr (Rounding) local = 2 * std::fabs(v);
            break;
        case Op::MulSquare: {
            const double c = r[s.b], q = c * c;
            v = a * q, pa = q, pb = 2 * a * c;
            if constexpr (Rounding) local = 2 * std::fabs(v);
            break;
        }
        case Op::MulCube: {
            const double c = r[s.b], q = c * c * c;
            v = a * q, pa = q, pb = 3 * a * (c * c);
            if constexpr (Rounding) local = 3 * std::fabs(v);
            break;
        }
        case Op::MulAdd:
            v = a + r[s.b] * r[s.c], pa = 1, pb = r[s.c], pc = r[s.b];
            if constexpr (Rounding) local = std::fabs(v) + std::fabs(r[s.b] * r[s.c]);
            break;
        case Op::MulSub:
            v = a - r[s.b] * r[s.c], pa = 1, pb = -r[s.c], pc = -r[s.b];
            if constexpr (Rounding) local = std::fabs(v) + std::fabs(r[s.b] * r[s.c]);
            break;
        case Op::MulAddSquare: {
            const double b = r[s.b], c = r[s.c], q = c * c;
            v = a + b * q, pa = 1, pb = q, pc = 2 * b * c;
            if constexpr (Rounding) local = std::fabs(v) + 2 * std::fabs(b * q);
            break;
        }
        case Op::MulSubSquare: {
            const double b = r[s.b], c = r[s.c], q = c * c;
            v = a - b * q, pa = 1, pb = -q, pc = -2 * b * c;
            if constexpr (Rounding) local = std::fabs(v) + 2 * std::fabs(b * q);
            break;
        }
        case Op::MulAddCube: {
            const double b = r[s.b], c = r[s.c], q = c * c * c;
            v = a + b * q, pa = 1, pb = q, pc = 3 * b * (c * c);
            if constexpr (Rounding) local = std::fabs(v) + 3 * std::fabs(b * q);
            break;
        }
        case Op::MulSubCube: {
            const double b = r[s.b], c = r[s.c], q = c * c * c;
            v = a - b * q, pa = 1, pb = -q, pc = -3 * b * (c * c);
            if constexpr (Rounding) local = std::fabs(v) + 3 * std::fabs(b * q);
            break;
        }
        case Op::Div: {
            const double b = r[s.b];
            if (divisorTooSmall(b)) return false;
            v = a / b;
            if constexpr (Record) pa = 1 / b, pb = -v / b;
            if constexpr (Rounding) local = std::fabs(v);
            break;
        }
        case Op::Pow: {
            const double b = r[s.b];
            if (powIsOne(b)) {
                v = 1.0;  // flat in both operands, and exact
                break;
            }
            if (powUndefined(a, b)) return false;
            v = powValue(a, b);
            if constexpr (Record) {
                if (Rounding || (needed[k] & 1)) pa = b * std::pow(a, b - 1);
                // d a^b / db = a^b ln a; 0^b is flat in b; a negative base has
                // no value at the neighbouring fractional exponents.
                if (Rounding || (needed[k] & 2)) pb = a > 0 ? v * std::log(a) : (a == 0 ? 0.0 : std::nan(""));
            }
            if constexpr (Rounding) local = 2 * std::fabs(v);
            break;
        }
        case Op::Exp:
            v = std::exp(a), pa = v;
            if constexpr (Rounding) local = 2 * std::fabs(v);
            break;
        case Op::Sin: {
            const double x = degree ? degToRad(a) : a;
            v = std::sin(x);
            if constexpr (Rounding) {
                const double d = std::cos(x);
                pa = degreeChain * d;
                local = 2 * std::fabs(v) + (degree ? 2 * std::fabs(x * d) : 0.0);
            } else if constexpr (Record) {
                pa = degreeChain * std::cos(x);
            }
            break;
        }
        case Op::Cos: {
            const double x = degree ? degToRad(a) : a;
            v = std::cos(x);
            if constexpr (Rounding) {
                const double d = -std::sin(x);
                pa = degreeChain * d;
                local = 2 * std::fabs(v) + (degree ? 2 * std::fabs(x * d) : 0.0);
            } else if constexpr (Record) {
                pa = -degreeChain * std::sin(x);
            }
            break;
        }
        default: {
            const bool toRadians = degree && takesDegrees(s.op);
            const double x = toRadians ? degToRad(a) : a;
            if (unaryGuard(s.op, x) != Guard::Ok) return false;
            bool ok = true;
            v = unaryValue(s.op, x, ok);
            if (!ok) return false;
            if constexpr (Rounding) {
                // degToRad rounds twice (x * 3.1416, then / 180): 2|x| carried by f'(x).
                const double d = functionDerivative(s.op, x, v);
                pa = (toRadians ? degreeChain : 1.0) * d;
                local = functionRounding(s.op, x, v) + (toRadians ? carried(d, 2 * std::fabs(x)) : 0.0);
            } else if constexpr (Record) {
                pa = (toRadians ? degreeChain : 1.0) * functionDerivative(s.op, x, v);
            }
            break;
        }
        }
        if (!finite(v)) return false;
        r[s.dst] = v;
        last = v;
        if constexpr (T == Track::Partials) partials[k] = StepPartials{{pa, pb, pc}};
        if constexpr (Rounding) {
            // A chained operand's register holds the previous step's result too.
            errors[s.dst] = carried(pa, errors[s.a]) + carried(pb, errors[s.b]) + carried(pc, errors[s.c]) +
                            kUnitRoundoff * local + (s.op == Op::Neg ? 0.0 : kUnderflow);
        }
    }
    return true;
}

// Programs too large for registers on the machine stack, and every
// evaluation the register form does not finish.
[[gnu::noinline]] EvalResult evaluateLarge(const Program& program, const Vars& vars, bool degree, bool showMessages) {
    const RegisterCode& rc = program.fast;
    Scratch scratch(std::max<std::size_t>(rc.registerCount(), program.maxDepth));
    double* r = scratch.data();
    if (rc.usable && rc.registerCount() > kLocalRegisters &&
        runSteps<Track::Value>(rc, vars, degree, r, nullptr, nullptr, nullptr))
        return EvalResult{EvalStatus::Ok, r[rc.result], ""};
    return runCode(program, vars, degree, showMessages, r);
}

// The outcome of a run with derivatives or rounding that the register form did
// not finish. RND has neither (and drawing here would move the sequence on);
// otherwise the register form stopped where the postfix evaluation stops too,
// or the Program ends in Fail: that evaluation is never Ok.
[[gnu::noinline, gnu::cold]] EvalStatus unfinishedStatus(const Program& program, const Vars& vars, bool degree) {
    for (const Instr& in : program.code)
        if (in.op == Op::Rnd) return EvalStatus::Failed;
    Scratch stack(program.maxDepth);
    const EvalStatus s = runCode(program, vars, degree, false, stack.data()).status;
    return s == EvalStatus::Ok ? EvalStatus::Failed : s;
}

}  // namespace

EvalResult evaluate(const Program& program, const Vars& vars, bool degree, bool showMessages) {
    const RegisterCode& rc = program.fast;
    if (rc.usable && rc.registerCount() <= kLocalRegisters) {
        double r[kLocalRegisters];
        if (runSteps<Track::Value>(rc, vars, degree, r, nullptr, nullptr, nullptr))
            return EvalResult{EvalStatus::Ok, r[rc.result], ""};
    }
    return evaluateLarge(program, vars, degree, showMessages);
}

EvalStatus evaluateRecording(const Program& program, const Vars& vars, bool degree, double* registers,
                             StepPartials* partials, const std::vector<unsigned char>& needed, double& value) {
    const RegisterCode& rc = program.fast;
    if (rc.usable && runSteps<Track::Partials>(rc, vars, degree, registers, partials, needed.data(), nullptr)) {
        value = registers[rc.result];
        return EvalStatus::Ok;
    }
    return unfinishedStatus(program, vars, degree);
}

EvalStatus evaluateRounding(const Program& program, const Vars& vars, bool degree, double& value, double& rounding) {
    const RegisterCode& rc = program.fast;
    if (rc.usable) {
        Scratch registers(rc.registerCount()), errors(rc.registerCount());
        if (runSteps<Track::Rounding>(rc, vars, degree, registers.data(), nullptr, nullptr, errors.data())) {
            value = registers.data()[rc.result];
            rounding = errors.data()[rc.result];
            return EvalStatus::Ok;
        }
    }
    return unfinishedStatus(program, vars, degree);
}

void seedRandom(unsigned seed) { gRandomState = seed & 0xFFFFFFu; }

}  // namespace formula
