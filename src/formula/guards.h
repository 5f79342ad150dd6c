#pragma once
// Domain guards and values of the formula operators and functions, shared by
// every evaluator of a Program (the plain one and derivative ones) so that
// they agree on where a formula has no value and on what it computes.
//
// A guard is tested on the operands the operation receives (for the degree
// functions, after degToRad) before the value is computed. Guard::Message and
// Guard::Silent both mean "no value here": the evaluation stops with
// UndefinedValue; with messages shown, a Message guard fails instead, with
// the text guardMessage(op). Guard::Fail means the test itself overflowed
// (x*x or exp x beyond the Double range): the evaluation fails.
//
// unaryValue/binaryValue compute the value where the guard does not hold.
// They may return a non-finite number (overflow); an evaluator treats that,
// and a non-finite intermediate (reported through `ok`), as a failure.
#include <cmath>

#include "formula/program.h"

namespace formula {

enum class Guard : unsigned char { Ok, Message, Silent, Fail };

inline constexpr double kPiApprox = 3.1416;  // the constant degree mode and ASIN/ACOS use

// The degree-mode conversion of a trigonometric argument: x * 3.1416 / 180.
inline double degToRad(double x) { return x * kPiApprox / 180.0; }

// True for the functions whose argument degree mode converts.
constexpr bool takesDegrees(Op op) {
    return op == Op::Sin || op == Op::Cos || op == Op::Tan || op == Op::Sec || op == Op::Csec ||
           op == Op::Ctan || op == Op::Atan;
}

// --- the single guard predicates ---------------------------------------

inline bool divisorTooSmall(double b) { return std::fabs(b) < 1e-6; }
// Pow: an exponent this small gives 1, for any base.
inline bool powIsOne(double b) { return std::fabs(b) < 1e-6; }
// Pow (when !powIsOne): a negative base with a fractional exponent.
inline bool powUndefined(double a, double b) { return a < 0 && b != std::floor(b); }
inline bool logUndefined(double x) { return x <= 0.00001; }
inline bool sqrUndefined(double x) { return x < 1e-7; }
// SEC, CSEC, CTAN: the divisor (cos x, sin x, tan x) too near 0.
inline bool reciprocalUndefined(double d) { return std::fabs(d) < 1e-7; }
// ASIN, ACOS: the band around +-1 where the value is taken directly.
inline bool asinBand(double x) { return std::fabs(1 - x * x) < 1e-7; }
inline bool asinUndefined(double x) { return !asinBand(x) && 1 - x * x < 0; }
// ASEC, ACSEC.
inline bool asecUndefined(double x) { return std::fabs(x * x - 1) < 1e-7 || x * x - 1 < 0; }
// The logarithm forms of the inverse hyperbolic functions.
inline bool lnArgUndefined(double t) { return t <= 0.00001; }
// CTANH, CSECH: exp x - exp(-x) too near 0.
inline bool sinhDiffUndefined(double x) { return std::fabs(std::exp(x) - std::exp(-x)) < 1e-7; }

inline double sgn(double x) { return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0); }

// --- dispatch ------------------------------------------------------------

inline Guard binaryGuard(Op op, double a, double b) {
    if (op == Op::Div) return divisorTooSmall(b) ? Guard::Message : Guard::Ok;
    if (op == Op::Pow) return (!powIsOne(b) && powUndefined(a, b)) ? Guard::Message : Guard::Ok;
    return Guard::Ok;
}

// x is the argument after degree conversion.
inline Guard unaryGuard(Op op, double x) {
    const auto msg = [](bool undefined) { return undefined ? Guard::Message : Guard::Ok; };
    const auto silent = [](bool undefined) { return undefined ? Guard::Silent : Guard::Ok; };
    const double x2 = x * x;
    switch (op) {
    case Op::Log: return msg(logUndefined(x));
    case Op::Sqr: return msg(sqrUndefined(x));
    case Op::Sec: return msg(reciprocalUndefined(std::cos(x)));
    case Op::Csec: return msg(reciprocalUndefined(std::sin(x)));
    case Op::Ctan: return msg(reciprocalUndefined(std::tan(x)));
    case Op::Asin:
    case Op::Acos: return std::isfinite(x2) ? msg(asinUndefined(x)) : Guard::Fail;
    case Op::Asec:
    case Op::Acsec: return std::isfinite(x2) ? msg(asecUndefined(x)) : Guard::Fail;
    case Op::Ctanh:
    case Op::Csech:
        if (!std::isfinite(std::exp(std::fabs(x)))) return Guard::Fail;
        return silent(sinhDiffUndefined(x));
    case Op::Asinh: {
        if (!std::isfinite(x2)) return Guard::Fail;
        return silent(lnArgUndefined(x + std::sqrt(x2 + 1)));
    }
    case Op::Acosh:
        if (!std::isfinite(x2)) return Guard::Fail;
        return silent(x2 - 1 < 0 || lnArgUndefined(x + std::sqrt(x2 - 1)));
    case Op::Atanh: {
        if (x == 1) return Guard::Silent;
        const double t = (x + 1) / (1 - x);
        return std::isfinite(t) ? silent(lnArgUndefined(t)) : Guard::Fail;
    }
    case Op::Asech: {
        if (x == 0) return Guard::Silent;
        if (1 - x2 < 0) return Guard::Silent;
        const double t = (std::sqrt(1 - x2) + 1) / x;
        return std::isfinite(t) ? silent(lnArgUndefined(t)) : Guard::Fail;
    }
    case Op::Acsech: {
        if (x == 0) return Guard::Silent;
        if (!std::isfinite(x2)) return Guard::Fail;
        const double t = (sgn(x) * std::sqrt(x2 + 1) + 1) / x;
        return std::isfinite(t) ? silent(lnArgUndefined(t)) : Guard::Fail;
    }
    case Op::Actanh: {
        if (x == 1) return Guard::Silent;
        const double t = (x + 1) / (x - 1);
        return std::isfinite(t) ? silent(lnArgUndefined(t)) : Guard::Fail;
    }
    default: return Guard::Ok;
    }
}

// The reason text of a Message guard of `op` ("" for the others).
inline const char* guardMessage(Op op) {
    switch (op) {
    case Op::Div:
    case Op::Sec:
    case Op::Csec:
    case Op::Ctan: return "Devision by zero.";
    case Op::Pow: return "A^B, B must be a integer if A is negative.";
    case Op::Log: return "The parameter of function LOG must be larger than 0.";
    case Op::Sqr: return "The parameter of function SQR must be larger than or equal to 0.";
    case Op::Asin:
    case Op::Acos:
    case Op::Asec:
    case Op::Acsec: return "The expression is illegal.";
    default: return "";
    }
}

// A to the power B where B is not near 0: the small whole powers by
// multiplication (faster than pow and as exact), the rest by pow.
inline double powValue(double a, double b) {
    if (b == 2) return a * a;
    if (b == 3) return a * a * a;
    return std::pow(a, b);
}

inline double binaryValue(Op op, double a, double b) {
    switch (op) {
    case Op::Add: return a + b;
    case Op::Sub: return a - b;
    case Op::Mul: return a * b;
    case Op::Div: return a / b;
    case Op::Pow: return powIsOne(b) ? 1.0 : powValue(a, b);
    default: return std::nan("");
    }
}

// The value of a function (not Rnd) where its guard does not hold; x after
// degree conversion. `ok` turns false when an intermediate overflows (the
// hyperbolic forms through exp), which is a failure even if the end value
// is finite.
inline double unaryValue(Op op, double x, bool& ok) {
    constexpr double halfPi = kPiApprox / 2;
    const double quarterTurn = 2 * std::atan(1.0);
    auto expPair = [&](double& ep, double& em) {
        ep = std::exp(x);
        em = std::exp(-x);
        if (!std::isfinite(ep) || !std::isfinite(em)) ok = false;
    };
    double ep = 0, em = 0;
    switch (op) {
    case Op::Neg: return -x;
    case Op::Sin: return std::sin(x);
    case Op::Cos: return std::cos(x);
    case Op::Log: return std::log(x);
    case Op::Exp: return std::exp(x);
    case Op::Abs: return std::fabs(x);
    case Op::Atan: return std::atan(x);
    case Op::Int: return std::floor(x);
    case Op::Sqr: return std::sqrt(x);
    case Op::Tan: return std::tan(x);
    case Op::Sec: return 1 / std::cos(x);
    case Op::Csec: return 1 / std::sin(x);
    case Op::Ctan: return 1 / std::tan(x);
    case Op::Asin:
        if (asinBand(x)) return x == -1 ? -halfPi : (x == 1 ? halfPi : std::asin(std::fmax(-1.0, std::fmin(1.0, x))));
        return std::atan(x / std::sqrt(1 - x * x));
    case Op::Acos:
        if (asinBand(x)) return x == -1 ? kPiApprox : (x == 1 ? 0.0 : std::acos(std::fmax(-1.0, std::fmin(1.0, x))));
        return std::atan(-x / std::sqrt(1 - x * x)) + quarterTurn;
    case Op::Asec: return std::acos(1 / x);
    case Op::Acsec: return std::asin(1 / x);
    case Op::Actan: return std::atan(-x) + quarterTurn;
    case Op::Sinh: expPair(ep, em); return (ep - em) / 2;
    case Op::Cosh: expPair(ep, em); return (ep + em) / 2;
    case Op::Tanh: expPair(ep, em); return (ep - em) / (em + ep);
    case Op::Ctanh: expPair(ep, em); return (ep + em) / (ep - em);
    case Op::Sech: expPair(ep, em); return 2 / (em + ep);
    case Op::Csech: expPair(ep, em); return 2 / (ep - em);
    case Op::Asinh: return std::log(x + std::sqrt(x * x + 1));
    case Op::Acosh: return std::log(x + std::sqrt(x * x - 1));
    case Op::Atanh: return std::log((x + 1) / (1 - x)) / 2;
    case Op::Asech: return std::log((std::sqrt(1 - x * x) + 1) / x);
    case Op::Acsech: return std::log((sgn(x) * std::sqrt(x * x + 1) + 1) / x);
    case Op::Actanh: return std::log((x + 1) / (x - 1)) / 2;
    default: ok = false; return std::nan("");
    }
}

}  // namespace formula
