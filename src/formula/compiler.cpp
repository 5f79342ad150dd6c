#include "formula/compiler.h"

#include "formula/cls13.h"
#include "formula/number_text.h"

namespace formula {

namespace {

enum class State { Start, Operand, Operator, Sign, Function };

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string upperText(std::string_view s) {
    std::string u(s);
    for (char& c : u) c = upper(c);
    return u;
}

class Compiler {
public:
    Compiler(std::string_view text, std::string& buffer) : s_(text), buf_(buffer) {}

    CompileResult run() {
        const long n = static_cast<long>(s_.size());
        long i = 1;
        while (i <= n) {
            const char c = s_[static_cast<std::size_t>(i - 1)];
            const unsigned char uc = static_cast<unsigned char>(c);
            if (c == '(') {
                if (state_ == State::Operand) impliedMultiply();
                if (state_ == State::Sign || state_ == State::Function) state_ = State::Operator;
                ops_.Push(std::string("("));
                ++open_;
                errPos_ = i;
                ++i;
            } else if (c == ')') {
                if (state_ != State::Operand) return error("Operand expected");
                if (open_ == 0) return error("Closing parenthesis without matching open parenthesis");
                while (true) {
                    const std::string t = std::get<std::string>(ops_.Pop());
                    if (t == "(") break;
                    append(t);
                }
                --open_;
                errPos_ = i;
                ++i;
            } else if (c == '+' || c == '-' || c == '*' || c == '/' || c == '^') {
                const std::string op(1, c);
                if (state_ == State::Operand) {
                    flush(tokenPrecedence(op));
                    ops_.Push(op);
                    state_ = (c == '+' || c == '-') ? State::Sign : State::Operator;
                } else if (state_ == State::Sign) {
                    return error("Operand expected");
                } else {
                    if (c == '-') {
                        ops_.Push(std::string("(-)"));
                    } else if (c != '+') {
                        return error("Operand expected");
                    }
                    state_ = State::Sign;
                }
                errPos_ = i;
                ++i;
            } else if (isDigit(c) || c == '.' || c == ',') {
                if (state_ == State::Operand) return error("Operator expected");
                long j = i;  // 1-based position of the next character to take
                int points = 0;
                while (j <= n) {
                    const char d = s_[static_cast<std::size_t>(j - 1)];
                    if (d == '.' || d == ',') {
                        if (++points > 1) return error("Operand contains multiple decimal points");
                    } else if (!isDigit(d)) {
                        break;
                    }
                    ++j;
                }
                const std::string_view number = s_.substr(static_cast<std::size_t>(i - 1), static_cast<std::size_t>(j - i));
                errPos_ = (j - 1) - 1;
                if (number == "." || number == ",") return error("Invalid operand");
                if (state_ == State::Function) return error("Open parenthesis expected");
                append(number);
                state_ = State::Operand;
                i = j;
            } else if (uc <= ' ') {
                ++i;
            } else if (isNameChar(s_.substr(static_cast<std::size_t>(i - 1), 1))) {
                long j = i;
                while (j <= n && isNameChar(s_.substr(static_cast<std::size_t>(j - 1), 1))) ++j;
                const std::string_view name = s_.substr(static_cast<std::size_t>(i - 1), static_cast<std::size_t>(j - i));
                errPos_ = i - 1;
                if (state_ == State::Operand) {
                    flush(2);
                    ops_.Push(std::string("*"));
                }
                const std::string u = upperText(name);
                if (functionByName(u) != Op::Fail) {
                    ops_.Push(u);
                    state_ = State::Function;
                } else if (u == "PI") {
                    append(kPiToken);
                    state_ = State::Operand;
                } else if (u.size() == 1 && varIndex(u[0]) >= 0) {
                    append(u + u);
                    state_ = State::Operand;
                } else {
                    errPos_ = i;
                    return error("Undefined symbol : '" + std::string(name) + "'");
                }
                i = j;
            } else {
                return error("Unexpected character encountered");
            }
        }
        errPos_ = n;
        if (state_ == State::Operator || state_ == State::Sign || state_ == State::Function)
            return error("Operand expected");
        if (open_ > 0) return error("Closing parenthesis expected");
        while (ops_.StackSize() > 0) append(std::get<std::string>(ops_.Pop()));
        return {};
    }

private:
    void append(std::string_view token) {
        buf_ += token;
        buf_ += ' ';
    }
    void flush(long precedence) {
        while (ops_.StackSize() > 0 && tokenPrecedence(std::get<std::string>(ops_.GetPopValue())) >= precedence)
            append(std::get<std::string>(ops_.Pop()));
    }
    void impliedMultiply() {
        flush(2);
        ops_.Push(std::string("*"));
        state_ = State::Operator;
    }
    CompileResult error(std::string message) const { return {errPos_ < 1 ? 1 : errPos_, std::move(message)}; }

    std::string_view s_;
    std::string& buf_;
    Cls13 ops_;
    State state_ = State::Start;
    long open_ = 0;
    long errPos_ = 1;
};

}  // namespace

long tokenPrecedence(std::string_view token) {
    if (token == "+" || token == "-") return 1;
    if (token == "*" || token == "/") return 2;
    if (token == "(-)") return 3;
    if (token == "^") return 4;
    if (functionByName(token) != Op::Fail) return 5;
    return 0;
}

bool isNameChar(std::string_view text) {
    if (text.empty()) return false;
    const char c = upper(text[0]);
    return (c >= 'A' && c <= 'Z') || c == '_';
}

bool isNameCharOrDigit(std::string_view text) { return isNameChar(text) || (!text.empty() && isDigit(text[0])); }

CompileResult compileInfix(std::string_view expression, std::string& buffer) {
    return Compiler(expression, buffer).run();
}

Program compileFormula(std::string_view expression, CompileResult& error) {
    std::string postfix;
    error = compileInfix(expression, postfix);
    if (error.position != 0) return buildProgram("");
    return buildProgram(postfix);
}

}  // namespace formula
