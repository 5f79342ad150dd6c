#include "fitting/solver/gradient_evaluator.h"

#include <cmath>

#include "formula/guards.h"

namespace solver {

using formula::EvalStatus;
using formula::Op;

namespace {

inline bool finite(double v) { return std::fabs(v) <= 1.7976931348623157e308; }

}  // namespace

double functionDerivative(Op op, double x, double r) {
    const double x2 = x * x;
    switch (op) {
    case Op::Sin: return std::cos(x);
    case Op::Cos: return -std::sin(x);
    case Op::Log: return 1 / x;
    case Op::Exp: return r;
    case Op::Abs: return formula::sgn(x);
    case Op::Atan: return 1 / (1 + x2);
    case Op::Int: return 0;
    case Op::Sqr: return 0.5 / r;
    case Op::Tan: { const double c = std::cos(x); return 1 / (c * c); }
    case Op::Sec: return r * std::tan(x);
    case Op::Csec: return -r / std::tan(x);
    case Op::Ctan: { const double s = std::sin(x); return -1 / (s * s); }
    case Op::Asin: return 1 / std::sqrt(1 - x2);
    case Op::Acos: return -1 / std::sqrt(1 - x2);
    case Op::Asec: return 1 / (std::fabs(x) * std::sqrt(x2 - 1));
    case Op::Acsec: return -1 / (std::fabs(x) * std::sqrt(x2 - 1));
    case Op::Actan: return -1 / (1 + x2);
    case Op::Sinh: return (std::exp(x) + std::exp(-x)) / 2;
    case Op::Cosh: return (std::exp(x) - std::exp(-x)) / 2;
    case Op::Tanh:
    case Op::Ctanh: return 1 - r * r;
    case Op::Sech: return -r * std::tanh(x);
    case Op::Csech: return -r / std::tanh(x);
    case Op::Asinh: return 1 / std::sqrt(x2 + 1);
    case Op::Acosh: return 1 / std::sqrt(x2 - 1);
    case Op::Atanh:
    case Op::Actanh: return 1 / (1 - x2);
    case Op::Asech: return -1 / (x * std::sqrt(1 - x2));
    case Op::Acsech: return -1 / (std::fabs(x) * std::sqrt(1 + x2));
    default: return std::nan("");
    }
}

GradientEvaluator::GradientEvaluator(const formula::Program& program, const std::vector<int>& slots, bool degree)
    : program_(program), degree_(degree), n_(static_cast<int>(slots.size())) {
    for (int& l : lane_) l = -1;
    for (int k = 0; k < n_; ++k)
        if (slots[k] >= 0 && slots[k] < formula::kVarCount) lane_[slots[k]] = k;
    const std::size_t depth = program.maxDepth > 0 ? program.maxDepth : 1;
    values_.assign(depth, 0.0);
    grads_.assign(depth * static_cast<std::size_t>(n_ > 0 ? n_ : 1), 0.0);
    hasGrad_.assign(depth, 0);
}

EvalStatus GradientEvaluator::evaluate(const formula::Vars& vars, double& value, double* gradient) {
    const int n = n_;
    double* st = values_.data();
    char* has = hasGrad_.data();
    auto row = [&](std::size_t level) { return grads_.data() + level * static_cast<std::size_t>(n); };
    std::size_t sp = 0;
    if (program_.code.empty()) return EvalStatus::Failed;

    for (const formula::Instr& in : program_.code) {
        switch (in.op) {
        case Op::PushConst:
            st[sp] = in.value;
            has[sp++] = 0;
            continue;
        case Op::PushVar: {
            const double v = vars[in.index];
            if (!finite(v)) return EvalStatus::Failed;
            st[sp] = v;
            const int lane = lane_[in.index];
            if (lane >= 0) {
                double* g = row(sp);
                for (int k = 0; k < n; ++k) g[k] = 0;
                g[lane] = 1;
            }
            has[sp++] = lane >= 0;
            continue;
        }
        case Op::Neg: {
            st[sp - 1] = -st[sp - 1];
            if (has[sp - 1]) {
                double* g = row(sp - 1);
                for (int k = 0; k < n; ++k) g[k] = -g[k];
            }
            continue;
        }
        case Op::Add:
        case Op::Sub:
        case Op::Mul:
        case Op::Div:
        case Op::Pow: {
            const double b = st[--sp];
            const double a = st[sp - 1];
            double* ga = row(sp - 1);
            const double* gb = row(sp);
            const bool hasA = has[sp - 1], hasB = has[sp];
            double r;
            // Coefficients of the operands' gradients in the result's gradient.
            double ca = 0, cb = 0;
            switch (in.op) {
            case Op::Add: r = a + b; ca = 1; cb = 1; break;
            case Op::Sub: r = a - b; ca = 1; cb = -1; break;
            case Op::Mul: r = a * b; ca = b; cb = a; break;
            case Op::Div:
                if (formula::divisorTooSmall(b)) return EvalStatus::Undefined;
                r = a / b;
                ca = 1 / b;
                cb = -r / b;
                break;
            default:
                if (formula::powIsOne(b)) {
                    r = 1.0;  // flat in both operands inside the band
                    ca = cb = 0;
                } else {
                    if (formula::powUndefined(a, b)) return EvalStatus::Undefined;
                    r = std::pow(a, b);
                    if (hasA) ca = b * std::pow(a, b - 1);
                    // d a^b / db = a^b ln a; 0^b is flat in b; a negative base has no
                    // value at the neighbouring fractional exponents.
                    if (hasB) cb = a > 0 ? r * std::log(a) : (a == 0 ? 0.0 : std::nan(""));
                }
                break;
            }
            if (!finite(r)) return EvalStatus::Failed;
            st[sp - 1] = r;
            if (hasA || hasB) {
                if (!finite(ca) && hasA) return EvalStatus::Failed;
                if (!finite(cb) && hasB) return EvalStatus::Failed;
                if (hasA && hasB) {
                    for (int k = 0; k < n; ++k) ga[k] = ca * ga[k] + cb * gb[k];
                } else if (hasA) {
                    for (int k = 0; k < n; ++k) ga[k] *= ca;
                } else {
                    for (int k = 0; k < n; ++k) ga[k] = cb * gb[k];
                }
                has[sp - 1] = 1;
            }
            continue;
        }
        case Op::Rnd:
        case Op::Fail: return EvalStatus::Failed;
        default: break;
        }
        // A function of one argument.
        double x = st[sp - 1];
        double chain = 1;
        if (degree_ && formula::takesDegrees(in.op)) {
            x = formula::degToRad(x);
            chain = formula::kPiApprox / 180.0;
        }
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
            const formula::Guard g = formula::unaryGuard(in.op, x);
            if (g == formula::Guard::Fail) return EvalStatus::Failed;
            if (g != formula::Guard::Ok) return EvalStatus::Undefined;
            bool ok = true;
            r = formula::unaryValue(in.op, x, ok);
            if (!ok) return EvalStatus::Failed;
            break;
        }
        }
        if (!finite(r)) return EvalStatus::Failed;
        st[sp - 1] = r;
        if (has[sp - 1]) {
            const double d = chain * functionDerivative(in.op, x, r);
            if (!finite(d)) return EvalStatus::Failed;
            double* g = row(sp - 1);
            for (int k = 0; k < n; ++k) g[k] *= d;
        }
    }
    value = st[sp - 1];
    if (has[sp - 1]) {
        const double* g = row(sp - 1);
        for (int k = 0; k < n; ++k) {
            if (!finite(g[k])) return EvalStatus::Failed;
            gradient[k] = g[k];
        }
    } else {
        for (int k = 0; k < n; ++k) gradient[k] = 0;
    }
    return EvalStatus::Ok;
}

}  // namespace solver
