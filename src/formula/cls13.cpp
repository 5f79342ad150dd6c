#include "formula/cls13.h"

namespace formula {

void Cls13::Push(const StackValue& value) {
    if (static_cast<std::size_t>(count_) < values_.size()) {
        values_[static_cast<std::size_t>(count_)] = value;
    } else {
        values_.push_back(value);
    }
    ++count_;
    if (count_ > capacity_) capacity_ += 10;
}

StackValue Cls13::Pop() {
    if (count_ == 0) throw FormulaError(kAppErrorBase + 1011, "Pop method invoked on empty stack");
    --count_;
    return values_[static_cast<std::size_t>(count_)];
}

const StackValue& Cls13::GetPopValue() const {
    if (count_ == 0) throw FormulaError(kAppErrorBase + 1012, "GetPopValue method invoked on empty stack");
    return values_[static_cast<std::size_t>(count_ - 1)];
}

}  // namespace formula
