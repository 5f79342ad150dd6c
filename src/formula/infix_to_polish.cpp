#include "formula/infix_to_polish.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

#include "formula/number_text.h"
#include "formula/polish_shape.h"

namespace formula {

namespace {

// The functions the derivative knows, as the text names them (upper case).
constexpr std::string_view kFunctions[] = {
    "EXP",  "SQR",   "LOG",   "SIN",   "COS",  "TAN",   "CTAN",  "SEC",   "CSEC",  "ASIN",   "ACOS",  "ATAN",  "ACTAN",
    "SINH", "COSH",  "TANH",  "CTANH", "SECH", "CSECH", "ASINH", "ACOSH", "ATANH", "ASECH", "ACSECH", "ACTANH"};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || c == '_'; }
bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool isSeparator(char c) {
    return isBlank(c) || c == '+' || c == '-' || c == '*' || c == '/' || c == '^' || c == '(' || c == ')';
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return out;
}

// A position as the refusals write it: a blank where a sign would stand, then the digits.
std::string positionText(std::size_t index) { return " " + std::to_string(index + 1); }

class Converter {
public:
    explicit Converter(std::string text) : s_(std::move(text)) {}

    bool run(std::string& errorText) {
        bool operand = true;  // expecting an operand
        bool unmatchedClose = false;
        std::size_t i = 0;
        for (;;) {
            while (i < s_.size() && isBlank(s_[i])) ++i;
            if (i == s_.size()) break;
            const char c = s_[i];
            if (!operand) {
                if (c == '+' || c == '-') {
                    push(kRankAdd, std::string(1, c));
                } else if (c == '*' || c == '/') {
                    push(kRankMul, std::string(1, c));
                } else if (c == '^') {
                    push(kRankPow, "^");
                } else if (c == ')') {
                    // One that closes nothing is refused at the end, so that
                    // a fault further on is reported first, where it lies.
                    if (open_ == 0) {
                        unmatchedClose = true;
                    } else {
                        --open_;
                        push(kRankClose, ")");
                    }
                    ++i;
                    continue;
                } else {
                    return fail(errorText, "Illegal symbol  " + positionText(i));
                }
                operand = true;
                ++i;
                continue;
            }
            if (c == '+' || c == '*' || c == '/' || c == '^' || c == ')')
                return fail(errorText, "Lack of parameter at " + positionText(i));
            if (c == '(') {
                ++open_;
                push(kRankOpen, "(");
                ++i;
            } else if (c == '-') {
                // The negated operand, with its powers, is written between a
                // "0" and a rank-2 "-", which waits on the stack without
                // reducing: the operator before the minus applies to it.
                output_.Append(kRankOperand, "0");
                stack_.Append(kRankMul, "-");
                ++i;
            } else if (isDigit(c) || c == '.' || c == ',') {
                if (!readNumber(i, errorText)) return false;
                operand = false;
            } else {
                std::size_t j = i;
                if (isLetter(c)) {
                    while (j < s_.size() && isLetter(s_[j])) ++j;
                } else {
                    while (j < s_.size() && !isSeparator(s_[j]) && !isLetter(s_[j]) && !isDigit(s_[j])) ++j;
                }
                const std::string_view name(s_.data() + i, j - i);
                if (!readName(name, operand)) return fail(errorText, "Can not find derivative of " + std::string(name));
                i = j;
            }
        }
        if (operand) return fail(errorText, kIllegalExpression);
        if (unmatchedClose) return fail(errorText, "Closing parenthesis without matching open parenthesis");
        for (long k = stack_.ElementCount() - 1; k >= 0; --k) output_.Append(stack_.GetRank(k), stack_.GetData(k));
        return true;
    }

    clsPolish& output() { return output_; }

private:
    void push(long rank, std::string data) {
        stack_.Append(rank, std::move(data));
        ReducePolishStack(stack_, output_);
    }

    static bool fail(std::string& errorText, std::string message) {
        errorText = std::move(message);
        return false;
    }

    // Digits with at most one decimal point; what follows is the next token.
    bool readNumber(std::size_t& i, std::string& errorText) {
        const std::size_t first = i;
        std::string digits;
        bool point = false, anyDigit = false;
        for (; i < s_.size(); ++i) {
            const char d = s_[i];
            if (isDigit(d)) {
                anyDigit = true;
                digits += d;
            } else if ((d == '.' || d == ',') && !point) {
                point = true;
                digits += '.';
            } else {
                break;
            }
        }
        if (!anyDigit) return fail(errorText, "Illegal symbol  " + positionText(first));
        const double value = std::strtod(digits.c_str(), nullptr);
        if (!std::isfinite(value)) return fail(errorText, "Number out of range at " + positionText(first));
        output_.Append(kRankOperand, formatFormulaNumber(value));
        return true;
    }

    // A variable, parameter, PI or function; false for anything else.
    bool readName(std::string_view name, bool& operand) {
        if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'T') || (name[0] >= 'X' && name[0] <= 'Z'))) {
            output_.Append(kRankOperand, lower(name));
            operand = false;
            return true;
        }
        if (name == "PI") {
            output_.Append(kRankOperand, kPiToken);
            operand = false;
            return true;
        }
        for (std::string_view f : kFunctions) {
            if (name == f) {
                push(kRankFunction, lower(name));
                return true;
            }
        }
        return false;
    }

    std::string s_;
    clsPolish stack_;
    clsPolish output_;
    long open_ = 0;
};

std::string upper(const std::string& s) {
    std::string out(s);
    for (char& c : out) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return out;
}

// Two minus signs with nothing but blanks between them.
bool hasDoubleMinus(const std::string& s) {
    bool afterMinus = false;
    for (char c : s) {
        if (c == '-') {
            if (afterMinus) return true;
            afterMinus = true;
        } else if (!isBlank(c)) {
            afterMinus = false;
        }
    }
    return false;
}

}  // namespace

void ReducePolishStack(clsPolish& stack, clsPolish& output) {
    while (stack.ElementCount() > 1) {
        const long n = stack.ElementCount();
        const long t = stack.GetRank(n - 1);
        const long b = stack.GetRank(n - 2);
        if (b == kRankOpen && t == kRankClose) {
            stack.Kill(n - 2, 2);
            return;
        }
        if (b == kRankOpen || b < t) return;
        output.Append(b, stack.GetData(n - 2));
        stack.Kill(n - 2, 1);
    }
}

std::optional<clsPolish> InfixToPolish(const std::string& expression, std::string& errorText, bool& ok) {
    ok = false;
    errorText.clear();
    if (expression.size() > kMaxFormulaLength) {
        errorText = formulaTooLongMessage();
        return std::nullopt;
    }
    long opens = 0, closes = 0;
    for (char c : expression) {
        opens += c == '(';
        closes += c == ')';
    }
    if (opens != closes) {
        errorText = "Closing parenthesis without matching open parenthesis";
        return std::nullopt;
    }
    if (hasDoubleMinus(expression)) {
        errorText = "Double minus signs exist.";
        return std::nullopt;
    }
    Converter converter(upper(expression));
    if (!converter.run(errorText)) return std::nullopt;
    PolishShape shape;
    if (!analysePolish(converter.output(), shape, errorText)) return std::nullopt;
    ok = true;
    return std::move(converter.output());
}

}  // namespace formula
