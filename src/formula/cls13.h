#pragma once
// Cls13: the formula engine's stack of values (numbers or texts).
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace formula {

// Errors the formula engine raises itself. Number() is the application error
// base plus 1002 (bad token), 1011 (pop of an empty stack) or 1012 (peek of
// an empty stack).
inline constexpr long kAppErrorBase = -2147221504L;

class FormulaError : public std::runtime_error {
public:
    FormulaError(long number, const std::string& description) : std::runtime_error(description), number_(number) {}
    long Number() const { return number_; }

private:
    long number_;
};

using StackValue = std::variant<double, std::string>;

class Cls13 {
public:
    long StackSize() const { return count_; }
    // Capacity in the steps of 10 the stack grows by; it never shrinks.
    long Capacity() const { return capacity_; }
    void Push(const StackValue& value);
    StackValue Pop();
    const StackValue& GetPopValue() const;

private:
    std::vector<StackValue> values_;  // slot k holds value k+1; popped slots keep their content
    long count_ = 0;
    long capacity_ = 0;
};

}  // namespace formula
