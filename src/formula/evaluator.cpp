#include "formula/evaluator.h"

#include <cmath>
#include <cstdint>
#include <vector>

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

// A binary operation with its guard; false when the guard held (`out` then
// holds the evaluation's end).
inline bool binary(Op op, double a, double b, double& r, bool showMessages, EvalResult& out) {
    switch (op) {
    case Op::Add: r = a + b; return true;
    case Op::Sub: r = a - b; return true;
    case Op::Mul: r = a * b; return true;
    case Op::Div:
        if (divisorTooSmall(b)) {
            out = guardHeld(Op::Div, Guard::Message, showMessages);
            return false;
        }
        r = a / b;
        return true;
    default:
        if (powIsOne(b)) {
            r = 1.0;
            return true;
        }
        if (powUndefined(a, b)) {
            out = guardHeld(Op::Pow, Guard::Message, showMessages);
            return false;
        }
        r = powValue(a, b);
        return true;
    }
}

// Runs Program::fused with the top of the stack held in `t`; st holds the
// values below it (the first push spills the unused initial `t`).
EvalResult run(const Program& p, const Vars& vars, bool degree, bool showMessages, double* st) {
    std::size_t sp = 0;
    double t = 0.0;
    EvalResult out;
    for (const Instr& in : p.fused) {
        const Op op = in.op;
        switch (op) {
        case Op::PushConst:
            st[sp++] = t;
            t = in.value;
            continue;
        case Op::PushVar:
            st[sp++] = t;
            t = vars[in.index];
            if (!finite(t)) return failed("Overflow");
            continue;
        case Op::Neg: t = -t; continue;
        case Op::AddConst: t += in.value; break;
        case Op::SubConst: t -= in.value; break;
        case Op::MulConst: t *= in.value; break;
        case Op::DivConst: t /= in.value; break;  // the divisor passed its guard when folded
        case Op::PowConst:
            if (powUndefined(t, in.value)) return guardHeld(Op::Pow, Guard::Message, showMessages);
            t = powValue(t, in.value);
            break;
        case Op::AddVar:
        case Op::SubVar:
        case Op::MulVar:
        case Op::DivVar:
        case Op::PowVar: {
            const double b = vars[in.index];
            if (!finite(b)) return failed("Overflow");
            const Op bin = static_cast<Op>(static_cast<int>(op) - static_cast<int>(Op::AddVar) + static_cast<int>(Op::Add));
            if (!binary(bin, t, b, t, showMessages, out)) return out;
            break;
        }
        case Op::Add:
        case Op::Sub:
        case Op::Mul:
        case Op::Div:
        case Op::Pow: {
            const double a = st[--sp];
            if (!binary(op, a, t, t, showMessages, out)) return out;
            break;
        }
        case Op::Rnd: t = nextRandom(); continue;
        case Op::Fail: return failed(p.failMessage.c_str());
        case Op::Sin: t = std::sin(degree ? degToRad(t) : t); break;
        case Op::Cos: t = std::cos(degree ? degToRad(t) : t); break;
        case Op::Tan: t = std::tan(degree ? degToRad(t) : t); break;
        case Op::Atan: t = std::atan(degree ? degToRad(t) : t); break;
        case Op::Exp: t = std::exp(t); break;
        case Op::Abs: t = std::fabs(t); break;
        case Op::Int: t = std::floor(t); break;
        default: {
            const double x = (degree && takesDegrees(op)) ? degToRad(t) : t;
            const Guard g = unaryGuard(op, x);
            if (g != Guard::Ok) return guardHeld(op, g, showMessages);
            bool ok = true;
            t = unaryValue(op, x, ok);
            if (!ok) return failed("Overflow");
            break;
        }
        }
        if (!finite(t)) return failed("Overflow");
    }
    return EvalResult{EvalStatus::Ok, t, ""};
}

}  // namespace

EvalResult evaluate(const Program& program, const Vars& vars, bool degree, bool showMessages) {
    if (program.maxDepth <= kLocalStackDepth) {
        double local[kLocalStackDepth];
        return run(program, vars, degree, showMessages, local);
    }
    std::vector<double> stack(program.maxDepth);
    return run(program, vars, degree, showMessages, stack.data());
}

void seedRandom(unsigned seed) { gRandomState = seed & 0xFFFFFFu; }

}  // namespace formula
