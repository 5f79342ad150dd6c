#include "formula/polish_to_infix.h"

#include <cstdint>
#include <vector>

#include "formula/polish_shape.h"

namespace formula {

namespace {

// How each piece prints: worked out bottom-up (operands come before their
// operator in the list), then written top-down with an explicit stack.
class Printer {
public:
    Printer(const clsPolish& list, const PolishShape& shape)
        : list_(list), start_(shape.start), look_(static_cast<std::size_t>(list.ElementCount())) {}

    // Ranks, brackets and the printed length; false past kMaxPrintedLength.
    bool layout() {
        for (std::size_t k = 0; k < look_.size(); ++k) {
            const long r = list_.GetRank(static_cast<long>(k));
            const std::string_view data = list_.GetData(static_cast<long>(k));
            Look& me = look_[k];
            std::uint64_t length = data.size();
            if (r == kRankOperand) {
                me.rank = kRankOperand;
                me.signedEnd = !data.empty() && data[0] == '-';
            } else if (r == kRankFunction) {
                me.rank = kRankFunction;
                me.signedEnd = data == "MIN";
                length = (me.signedEnd ? 1 : data.size()) + 2 + look_[k - 1].length;
            } else {
                Look& right = look_[k - 1];
                Look& left = look_[static_cast<std::size_t>(start_[k - 1] - 1)];
                right.bracketed = r >= right.rank;
                left.bracketed = left.rank < r || (r == kRankPow && left.signedEnd);
                // "0-x" is a subtraction whatever its rank in the list says.
                me.rank = static_cast<std::int8_t>(r == kRankMul && data == "-" ? kRankAdd : r);
                me.signedEnd = r == kRankPow && !right.bracketed && right.signedEnd;
                length += std::uint64_t{left.length} + right.length + 2 * (left.bracketed + right.bracketed);
            }
            if (length > kMaxPrintedLength) return false;
            me.length = static_cast<std::uint32_t>(length);
        }
        return true;
    }

    std::string print() {
        std::string out;
        out.reserve(static_cast<std::size_t>(look_.back().length));
        struct Step {
            long index;
            enum What : std::uint8_t { Piece, Operator, Close } what;
        };
        std::vector<Step> todo{{static_cast<long>(look_.size()) - 1, Step::Piece}};
        while (!todo.empty()) {
            const Step step = todo.back();
            todo.pop_back();
            const std::size_t k = static_cast<std::size_t>(step.index);
            const long rank = list_.GetRank(step.index);
            const std::string_view data = list_.GetData(step.index);
            if (step.what == Step::Close) {
                out += ')';
                continue;
            }
            if (step.what == Step::Operator) {
                out += data;
                continue;
            }
            if (look_[k].bracketed) {
                out += '(';
                todo.push_back({step.index, Step::Close});
            }
            if (rank == kRankOperand) {
                out += data;
            } else if (rank == kRankFunction) {
                out += data == "MIN" ? std::string_view("-") : data;
                out += '(';
                todo.push_back({step.index, Step::Close});
                todo.push_back({step.index - 1, Step::Piece});
            } else {
                todo.push_back({step.index - 1, Step::Piece});
                todo.push_back({step.index, Step::Operator});
                todo.push_back({start_[k - 1] - 1, Step::Piece});
            }
        }
        return out;
    }

private:
    struct Look {
        std::uint32_t length = 0;            // characters printed, its own brackets not included
        std::int8_t rank = kRankOperand;     // the rank its printed text has
        bool signedEnd = false;              // a "^" written after it would bind inside a sign
        bool bracketed = false;              // its operator puts it in brackets
    };
    const clsPolish& list_;
    const std::vector<std::int32_t>& start_;
    std::vector<Look> look_;
};

}  // namespace

std::string PolishToInfix(const clsPolish& list, std::string& errorText, bool& ok) {
    ok = false;
    errorText.clear();
    PolishShape shape;
    if (!analysePolish(list, shape, errorText)) return {};
    Printer printer(list, shape);
    if (!printer.layout()) {
        errorText = printedTooLongMessage();
        return {};
    }
    ok = true;
    return printer.print();
}

}  // namespace formula
