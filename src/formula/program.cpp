#include "formula/program.h"

#include <charconv>
#include <cmath>

namespace formula {

const char* const kFunctionNames[kFunctionCount] = {
    "SIN",  "COS",  "LOG",   "EXP",  "ABS",  "ATAN", "INT",   "RND",   "SQR",    "TAN",
    "SEC",  "CSEC", "CTAN",  "ASIN", "ACOS", "ASEC", "ACSEC", "ACTAN", "SINH",   "COSH",
    "TANH", "CTANH", "SECH", "CSECH", "ASINH", "ACOSH", "ATANH", "ASECH", "ACSECH", "ACTANH"};

Op functionByName(std::string_view name) {
    for (int k = 0; k < kFunctionCount; ++k) {
        if (name == kFunctionNames[k]) return static_cast<Op>(static_cast<int>(kFirstFunction) + k);
    }
    return Op::Fail;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the decimal number at the start of a token ("." or "," as the decimal
// point, no exponent). False when it lies beyond the Double range.
bool readLeadingNumber(std::string_view token, double& value) {
    std::string whole, frac;
    std::size_t i = 0;
    while (i < token.size() && isDigit(token[i])) whole += token[i++];
    if (i < token.size() && (token[i] == '.' || token[i] == ',')) {
        ++i;
        while (i < token.size() && isDigit(token[i])) frac += token[i++];
    }
    std::string text = whole.empty() ? "0" : whole;
    if (!frac.empty()) text += "." + frac;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Too small to hold reads as 0; too large is an overflow.
        if (whole.find_first_not_of('0') != std::string::npos) return false;
        value = 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return std::isfinite(value);
}

bool matchVariable(std::string_view token, std::uint8_t& index) {
    if (token.size() != 2 || token[0] != token[1]) return false;
    const char c = token[0];
    if (!(c >= 'A' && c <= 'Z')) return false;  // upper case only: tokens match exactly
    const int v = varIndex(c);
    if (v < 0) return false;
    index = static_cast<std::uint8_t>(v);
    return true;
}

}  // namespace

Program buildProgram(std::string_view postfix) {
    Program p;
    p.text = std::string(postfix);
    std::size_t depth = 0;
    auto fail = [&](std::string message) {
        p.code.push_back(Instr{Op::Fail, 0, 0.0});
        p.failMessage = std::move(message);
    };
    auto need = [&](std::size_t n) {
        if (depth >= n) return true;
        fail("Pop method invoked on empty stack");
        return false;
    };

    std::size_t start = 0;
    while (true) {
        const std::size_t blank = postfix.find(' ', start);
        if (blank == std::string_view::npos) break;  // text after the last blank is ignored
        const std::string_view token = postfix.substr(start, blank - start);
        start = blank + 1;

        Instr in;
        if (!token.empty() && (isDigit(token[0]) || token[0] == '.' || token[0] == ',')) {
            double v = 0.0;
            if (!readLeadingNumber(token, v)) {
                fail("Overflow");
                break;
            }
            in = Instr{Op::PushConst, 0, v};
            ++depth;
        } else if (std::uint8_t idx = 0; matchVariable(token, idx)) {
            in = Instr{Op::PushVar, idx, 0.0};
            ++depth;
        } else if (token == "(-)") {
            if (!need(1)) break;
            in = Instr{Op::Neg, 0, 0.0};
        } else if (token.size() == 1 && std::string_view("+-*/^").find(token[0]) != std::string_view::npos) {
            if (!need(2)) break;
            static constexpr Op binary[] = {Op::Add, Op::Sub, Op::Mul, Op::Div, Op::Pow};
            in = Instr{binary[std::string_view("+-*/^").find(token[0])], 0, 0.0};
            --depth;
        } else if (const Op f = functionByName(token); f != Op::Fail) {
            if (!need(1)) break;
            in = Instr{f, 0, 0.0};
        } else {
            fail("Bad token in Evaluate: " + std::string(token));
            break;
        }
        p.code.push_back(in);
        if (depth > p.maxDepth) p.maxDepth = depth;
    }
    if (p.code.empty()) fail("");  // nothing on the stack at the end
    p.fast = buildRegisterCode(p.code, p.maxDepth);
    return p;
}

}  // namespace formula
