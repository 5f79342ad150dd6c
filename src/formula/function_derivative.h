#pragma once
// d f(x) / dx of a function of one argument at x (after degree conversion),
// given its value r there; the derivative evaluations use it.
#include <cmath>

#include "formula/guards.h"

namespace formula {

inline double functionDerivative(Op op, double x, double r) {
    const double x2 = x * x;
    switch (op) {
    case Op::Sin: return std::cos(x);
    case Op::Cos: return -std::sin(x);
    case Op::Log: return 1 / x;
    case Op::Exp: return r;
    case Op::Abs: return sgn(x);
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

}  // namespace formula
