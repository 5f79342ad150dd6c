#include "formula/differentiate.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string_view>
#include <vector>

#include "formula/number_text.h"
#include "formula/polish_shape.h"

namespace formula {

namespace {

// One part of a rule's result: a copy of an operand, an operand's
// derivative, the power rule's exponents, or a fixed token.
struct Part {
    enum Kind : std::uint8_t { U, V, DU, DV, N, M, Token } kind = Token;
    long rank = kRankOperand;
    std::string text;
};
using Pattern = std::vector<Part>;

// Reads a rule written in postfix: u and v the operands, u' and v' their
// derivatives, n and m = n - 1 the exponents of the power rule; every other
// word is a token whose rank follows from its text.
Pattern pattern(const std::string& words) {
    Pattern p;
    std::istringstream in(words);
    for (std::string w; in >> w;) {
        Part part;
        if (w == "u") part.kind = Part::U;
        else if (w == "v") part.kind = Part::V;
        else if (w == "u'") part.kind = Part::DU;
        else if (w == "v'") part.kind = Part::DV;
        else if (w == "n") part.kind = Part::N;
        else if (w == "m") part.kind = Part::M;
        else if (w == "+" || w == "-") part.rank = kRankAdd;
        else if (w == "*" || w == "/") part.rank = kRankMul;
        else if (w == "^") part.rank = kRankPow;
        else if ((w[0] >= '0' && w[0] <= '9') || w[0] == '-') part.rank = kRankOperand;
        else part.rank = kRankFunction;
        part.text = w;
        p.push_back(std::move(part));
    }
    return p;
}

enum Rule : std::uint8_t { Zero, One, Power, PowerZero, GeneralPower, FirstNamed };

struct Rules {
    std::vector<Pattern> patterns;          // by Rule, then the named rules
    std::map<std::string, std::uint8_t> byOperator;  // "+" "-" "*" "/" -> pattern
    std::map<std::string, std::uint8_t> byFunction;  // lower-case name, or "MIN" -> pattern

    Rules() {
        patterns = {pattern("0"), pattern("1"), pattern("u' n * u m ^ *"), pattern("0"),
                    pattern("v' u Log * u' v * u / + u v ^ *")};
        const std::pair<const char*, const char*> named[] = {
            {"+", "u' v' +"},
            {"-", "u' v' -"},
            {"*", "u' v * u v' * + v 0 ^ /"},
            {"/", "u' v * u v' * - v 2 ^ /"},
            {"MIN", "u' MIN"},
            {"sqr", "u' 1 2 / u sqr / *"},
            {"exp", "u' u exp *"},
            {"log", "u' u /"},
            {"sin", "u' u cos *"},
            {"cos", "u' MIN u sin *"},
            {"tan", "u' u sec 2 ^ *"},
            {"ctan", "u' MIN u csec 2 ^ *"},
            {"sec", "u' u tan * u sec *"},
            {"csec", "u' MIN u ctan * u csec *"},
            {"asin", "u' 1 u 2 ^ - 0.5 ^ /"},
            {"acos", "u' MIN 1 u 2 ^ - 0.5 ^ /"},
            {"atan", "u' 1 u 2 ^ + /"},
            {"actan", "u' MIN 1 u 2 ^ + /"},
            {"sinh", "u' u cosh *"},
            {"cosh", "u' u sinh *"},
            {"tanh", "u' u cosh 2 ^ /"},
            {"ctanh", "u' MIN u sinh 2 ^ /"},
            {"sech", "u' MIN u tanh * u sech *"},
            {"csech", "u' MIN u ctanh * u csech *"},
            {"asinh", "u' 1 u 2 ^ + 0.5 ^ /"},
            {"acosh", "u' -1 u 2 ^ + 0.5 ^ /"},
            {"atanh", "u' 1 u 2 ^ - /"},
            {"actanh", "u' 1 u 2 ^ - /"},
            {"asech", "u' MIN u 1 u 2 ^ - 0.5 ^ * /"},
            {"acsech", "u' MIN u 2 ^ 1 u 2 ^ + * 0.5 ^ /"},
        };
        for (const auto& [name, words] : named) {
            const bool op = std::string_view("+-*/").find(name[0]) != std::string_view::npos;
            (op ? byOperator : byFunction)[name] = static_cast<std::uint8_t>(patterns.size());
            patterns.push_back(pattern(words));
        }
    }
};

const Rules& rules() {
    static const Rules r;
    return r;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return out;
}

// A number as the lists hold them: an optional "-", digits with at most one
// decimal point ("." or ","), within the Double range. Its value in `value`.
bool readNumber(std::string_view s, double& value) {
    std::string digits;
    bool point = false, anyDigit = false;
    for (std::size_t k = 0; k < s.size(); ++k) {
        const char c = s[k];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            digits += c;
        } else if ((c == '.' || c == ',') && !point) {
            point = true;
            digits += '.';
        } else if (!(c == '-' && k == 0)) {
            return false;
        } else {
            digits += c;
        }
    }
    if (!anyDigit) return false;
    value = std::strtod(digits.c_str(), nullptr);
    return std::isfinite(value);
}

// The letter of a variable or parameter name (lower case), or 0.
char letterOf(std::string_view s) {
    if (s.size() != 1) return 0;
    const char c = lower(s)[0];
    return ((c >= 'a' && c <= 't') || (c >= 'x' && c <= 'z')) ? c : 0;
}

class Deriver {
public:
    Deriver(const clsPolish& list, const PolishShape& shape, char variable)
        : list_(list), start_(shape.start), variable_(variable),
          rule_(static_cast<std::size_t>(list.ElementCount())), size_(rule_.size()) {}

    // Finds every item's rule and the size of every derivative; false with
    // errorText on a token without a rule or a derivative past the limit.
    bool plan(std::string& errorText) {
        const Rules& r = rules();
        for (std::size_t k = 0; k < rule_.size(); ++k) {
            const long rank = list_.GetRank(static_cast<long>(k));
            const std::string_view data = list_.GetData(static_cast<long>(k));
            std::uint8_t rule = Zero;
            if (rank == kRankOperand) {
                double value = 0;
                const char letter = letterOf(data);
                if (letter == variable_) {
                    rule = One;
                } else if (letter == 0 && !readNumber(data, value)) {
                    errorText = kIllegalExpression;
                    return false;
                }
            } else if (rank == kRankFunction) {
                // "MIN" is the lists' own token; the names read in either case.
                const auto found = r.byFunction.find(data == "MIN" ? std::string(data) : lower(data));
                if (found == r.byFunction.end()) {
                    errorText = "Can not find derivative of " + std::string(data);
                    return false;
                }
                rule = found->second;
            } else {
                const bool fits = (rank == kRankAdd && (data == "+" || data == "-")) ||
                                  (rank == kRankMul && (data == "*" || data == "/" || data == "-")) ||
                                  (rank == kRankPow && data == "^");
                if (!fits) {
                    errorText = kIllegalExpression;
                    return false;
                }
                if (data == "^") {
                    double n = 0;
                    rule = exponent(k, n) ? (n == 0 ? PowerZero : Power) : GeneralPower;
                } else {
                    rule = r.byOperator.at(std::string(data));
                }
            }
            rule_[k] = rule;
            size_[k] = derivativeSize(k, r.patterns[rule]);
        }
        if (size_.back() > kMaxPolishTokens) {
            errorText = "The derivative is too large: more than " + std::to_string(kMaxPolishTokens) + " tokens.";
            return false;
        }
        return true;
    }

    // Writes the derivative: every item's rule expands once, every output
    // token is written once.
    clsPolish build() {
        clsPolish out;
        out.Reserve(static_cast<std::size_t>(size_.back()), 2 * static_cast<std::size_t>(size_.back()));
        std::vector<Step> todo;
        expand(static_cast<long>(rule_.size()) - 1, todo);
        while (!todo.empty()) {
            const Step step = todo.back();
            todo.pop_back();
            switch (step.part->kind) {
            case Part::U:
            case Part::V: AppendSlice(out, list_, start_[static_cast<std::size_t>(step.node)], step.node); break;
            case Part::DU:
            case Part::DV: expand(step.node, todo); break;
            case Part::N:
            case Part::M: {
                double n = 0;
                exponent(static_cast<std::size_t>(step.node), n);
                out.Append(kRankOperand, formatFormulaNumber(step.part->kind == Part::M ? n - 1 : n));
                break;
            }
            case Part::Token: out.Append(step.part->rank, step.part->text); break;
            }
        }
        return out;
    }

private:
    struct Step {
        const Part* part;
        long node;  // the operand a part refers to (U, V, DU, DV), or the power (N, M)
    };

    // The operands of item k: u (the argument or left operand) and v.
    long uOf(std::size_t k) const {
        return list_.GetRank(static_cast<long>(k)) == kRankFunction ? static_cast<long>(k) - 1 : start_[k - 1] - 1;
    }
    long vOf(std::size_t k) const { return static_cast<long>(k) - 1; }

    // Whether the power at k has a single number as its exponent, and which.
    bool exponent(std::size_t k, double& n) const {
        const long v = vOf(k);
        return list_.GetRank(v) == kRankOperand && readNumber(list_.GetData(v), n);
    }

    std::uint64_t derivativeSize(std::size_t k, const Pattern& p) const {
        std::uint64_t n = 0;
        for (const Part& part : p) {
            const long node = part.kind == Part::U || part.kind == Part::DU ? uOf(k) : vOf(k);
            const std::size_t at = static_cast<std::size_t>(node);
            switch (part.kind) {
            case Part::U:
            case Part::V: n += static_cast<std::uint64_t>(node - start_[at] + 1); break;
            case Part::DU:
            case Part::DV: n += size_[at]; break;
            default: n += 1; break;
            }
        }
        // Capped, so that sums of capped sizes cannot overflow.
        return n > kMaxPolishTokens ? kMaxPolishTokens + 1 : n;
    }

    // Puts the parts of item k's rule on the stack, the first on top.
    void expand(long node, std::vector<Step>& todo) const {
        const std::size_t k = static_cast<std::size_t>(node);
        const Pattern& p = rules().patterns[rule_[k]];
        for (auto part = p.rbegin(); part != p.rend(); ++part) {
            long refers = node;
            if (part->kind == Part::U || part->kind == Part::DU) refers = uOf(k);
            if (part->kind == Part::V || part->kind == Part::DV) refers = vOf(k);
            todo.push_back({&*part, refers});
        }
    }

    const clsPolish& list_;
    const std::vector<std::int32_t>& start_;
    char variable_;
    std::vector<std::uint8_t> rule_;   // the rule of each item
    std::vector<std::uint64_t> size_;  // tokens of each item's derivative
};

}  // namespace

std::optional<clsPolish> Differentiate(const clsPolish& list, const std::string& variable, std::string& errorText,
                                       bool& ok) {
    ok = false;
    errorText.clear();
    const char letter = letterOf(variable);
    if (letter == 0) {
        errorText = "Can not differentiate by " + variable + ".";
        return std::nullopt;
    }
    if (list.ElementCount() == 0) {
        ok = true;
        clsPolish zero;
        zero.Append(kRankOperand, "0");
        return zero;
    }
    PolishShape shape;
    if (!analysePolish(list, shape, errorText)) return std::nullopt;
    Deriver deriver(list, shape, letter);
    if (!deriver.plan(errorText)) return std::nullopt;
    ok = true;
    return deriver.build();
}

}  // namespace formula
