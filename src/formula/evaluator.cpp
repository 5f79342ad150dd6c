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

EvalResult run(const Program& p, const Vars& vars, bool degree, bool showMessages, double* st) {
    std::size_t sp = 0;  // values on the stack; st[sp - 1] is the top
    for (const Instr& in : p.code) {
        switch (in.op) {
        case Op::PushConst: st[sp++] = in.value; continue;
        case Op::PushVar: {
            const double v = vars[in.index];
            if (!finite(v)) return failed("Overflow");
            st[sp++] = v;
            continue;
        }
        case Op::Neg: st[sp - 1] = -st[sp - 1]; continue;
        case Op::Add:
        case Op::Sub:
        case Op::Mul:
        case Op::Div:
        case Op::Pow: {
            const double b = st[--sp];
            const double a = st[sp - 1];
            double r;
            switch (in.op) {
            case Op::Add: r = a + b; break;
            case Op::Sub: r = a - b; break;
            case Op::Mul: r = a * b; break;
            case Op::Div:
                if (divisorTooSmall(b)) return guardHeld(Op::Div, Guard::Message, showMessages);
                r = a / b;
                break;
            default:
                if (powIsOne(b)) {
                    r = 1.0;
                } else {
                    if (powUndefined(a, b)) return guardHeld(Op::Pow, Guard::Message, showMessages);
                    r = std::pow(a, b);
                }
                break;
            }
            if (!finite(r)) return failed("Overflow");
            st[sp - 1] = r;
            continue;
        }
        case Op::Rnd: st[sp - 1] = nextRandom(); continue;
        case Op::Fail: return failed(p.failMessage.c_str());
        default: break;
        }
        // A function of one argument.
        double x = st[sp - 1];
        if (degree && takesDegrees(in.op)) x = degToRad(x);
        double r;
        switch (in.op) {
        case Op::Sin: r = std::sin(x); break;
        case Op::Cos: r = std::cos(x); break;
        case Op::Exp: r = std::exp(x); break;
        case Op::Abs: r = std::fabs(x); break;
        case Op::Atan: r = std::atan(x); break;
        case Op::Int: r = std::floor(x); break;
        case Op::Tan: r = std::tan(x); break;
        default: {
            const Guard g = unaryGuard(in.op, x);
            if (g != Guard::Ok) return guardHeld(in.op, g, showMessages);
            bool ok = true;
            r = unaryValue(in.op, x, ok);
            if (!ok) return failed("Overflow");
            break;
        }
        }
        if (!finite(r)) return failed("Overflow");
        st[sp - 1] = r;
    }
    return EvalResult{EvalStatus::Ok, st[sp - 1], ""};
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
