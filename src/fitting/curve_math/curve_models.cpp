#include "fitting/curve_math/curve_models.h"

#include <array>
#include <cmath>
#include <stdexcept>

#include "fitting/curve_math/curve_messages.h"
#include "formula/number_text.h"

namespace {

struct ModelTextParts {
    const char* prefix;  // before A
    const char* suffix;  // after B
};

constexpr std::array<CurveModel, kCurveModelCount> kModels{{
    {"Linear", "Linear Model:         ", "Linear Model", 0x800000},
    {"Inverse(1)", "Inversive(1) Model:   ", "Inversive(1) Model", 0x008000},
    {"Inverse(2)", "Inversive(2) Model:   ", "Inversive(2) Model", 0x808000},
    {"Logarithmic", "Logarithmn Model:     ", "Logarithmn Model", 0x800080},
    {"Exponential", "Exponential Model:    ", "Exponential Model", 0x008080},
    {"XY Logarithmic", "XY Logarithmn Model:  ", "XY Logarithmn Model", 0x808080},
    {"S", "S Model:              ", "S Model", 0xFF0000},
    {"X Root", "X Root Model:         ", "X Root Model", 0x00FF00},
    {"Y Root", "Y Root Model:         ", "Y Root Model", 0xFFFF00},
    {"XY Root", "XY Root Model:        ", "XY Root Model", 0x0000FF},
}};

constexpr std::array<ModelTextParts, kCurveModelCount> kTexts{{
    {"", "*X"},
    {"", "/X"},
    {"1/(", "/X)"},
    {"", "*log(X)"},
    {"exp(", "*X)"},
    {"exp(", "*log(X))"},
    {"exp(", "*(1/X))"},
    {"", "*sqr(X)"},
    {"(", "*X)^2"},
    {"(", "*sqr(X))^2"},
}};

void checkNumber(int number) {
    if (number < 1 || number > kCurveModelCount) throw std::out_of_range("Subscript out of range");
}

}  // namespace

const CurveModel& curveModel(int number) {
    checkNumber(number);
    return kModels[static_cast<std::size_t>(number - 1)];
}

const char* TransformCurvePoint(int number, double x, double y, double& xt, double& yt) {
    checkNumber(number);
    switch (number) {
    case 1:
        xt = x, yt = y;
        return nullptr;
    case 2:
        if (x == 0) return kMsgXEqualZero;
        xt = 1 / x, yt = y;
        return nullptr;
    case 3:
        if (x == 0) return kMsgXEqualZero;
        // 1/y has no value at y = 0: checked like x so the run stops cleanly.
        if (y == 0) return kMsgYEqualZero;
        xt = 1 / x, yt = 1 / y;
        return nullptr;
    case 4:
        if (x <= 0) return kMsgXNotPositive;
        xt = std::log(x), yt = y;
        return nullptr;
    case 5:
        if (y <= 0) return kMsgYNotPositive;
        xt = x, yt = std::log(y);
        return nullptr;
    case 6:
        if (x <= 0 || y <= 0) return kMsgXYNotPositive;
        xt = std::log(x), yt = std::log(y);
        return nullptr;
    case 7:
        if (y <= 0) return kMsgYNotPositive;
        if (x == 0) return kMsgXEqualZero;
        xt = 1 / x, yt = std::log(y);
        return nullptr;
    case 8:
        if (x < 0) return kMsgXNegative;
        xt = std::sqrt(x), yt = y;
        return nullptr;
    case 9:
        if (y < 0) return kMsgYNegative;
        xt = x, yt = std::sqrt(y);
        return nullptr;
    default:
        if (x < 0 || y < 0) return kMsgXYNegative;
        xt = std::sqrt(x), yt = std::sqrt(y);
        return nullptr;
    }
}

std::string CurveModelText(int number, double a, double b) {
    checkNumber(number);
    const ModelTextParts& t = kTexts[static_cast<std::size_t>(number - 1)];
    // Plain decimals: an exponent form would read "E" as the parameter e.
    const std::string bText = formula::formatFormulaNumber(b);
    return t.prefix + formula::formatFormulaNumber(a) + "+" + (b < 0 ? "(" + bText + ")" : bText) + t.suffix;
}
