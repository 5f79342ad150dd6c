#include "formula/polish_shape.h"

#include <algorithm>

namespace formula {

std::string formulaTooLongMessage() {
    return "The formula is too long: more than " + std::to_string(kMaxFormulaLength) + " characters.";
}

std::string formulaTooDeepMessage() {
    return "The formula is nested too deeply: more than " + std::to_string(kMaxFormulaDepth) + " levels.";
}

std::string formulaTooLargeMessage() {
    return "The formula is too large: more than " + std::to_string(kMaxPolishTokens) + " tokens.";
}

std::string printedTooLongMessage() {
    return "The formula text would be too long: more than " + std::to_string(kMaxPrintedLength) + " characters.";
}

bool analysePolish(const clsPolish& list, PolishShape& shape, std::string& errorText) {
    const std::size_t count = static_cast<std::size_t>(list.ElementCount());
    if (count > kMaxPolishTokens) {
        errorText = formulaTooLargeMessage();
        return false;
    }
    shape.start.assign(count, 0);
    shape.depth = 0;
    // The depths of the operands finished so far; its size is the number of
    // operands waiting for an operator.
    std::vector<long> pending;
    for (std::size_t k = 0; k < count; ++k) {
        const std::int32_t i = static_cast<std::int32_t>(k);
        const long rank = list.GetRank(i);
        long depth = 1;
        if (rank == kRankOperand) {
            shape.start[k] = i;
        } else if (rank == kRankFunction) {
            if (pending.empty()) break;
            depth = pending.back() + 1;
            pending.pop_back();
            shape.start[k] = shape.start[k - 1];
        } else if (rank >= kRankAdd && rank <= kRankPow) {
            if (pending.size() < 2) break;
            depth = std::max(pending[pending.size() - 1], pending[pending.size() - 2]) + 1;
            pending.resize(pending.size() - 2);
            shape.start[k] = shape.start[static_cast<std::size_t>(shape.start[k - 1] - 1)];
        } else {
            break;
        }
        if (depth > kMaxFormulaDepth) {
            errorText = formulaTooDeepMessage();
            return false;
        }
        shape.depth = std::max(shape.depth, depth);
        pending.push_back(depth);
        if (k + 1 == count && pending.size() == 1) return true;
    }
    errorText = kIllegalExpression;
    return false;
}

}  // namespace formula
