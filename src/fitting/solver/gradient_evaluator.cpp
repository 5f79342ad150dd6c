#include "fitting/solver/gradient_evaluator.h"

#include <algorithm>
#include <cmath>

namespace solver {

using formula::EvalStatus;

namespace {

inline bool finite(double v) { return std::fabs(v) <= 1.7976931348623157e308; }

constexpr std::uint32_t kZero = 0, kOne = 1;  // derivative cells that hold 0 and 1

std::uint32_t contribution(std::size_t step, int operand) {
    return static_cast<std::uint32_t>(2 + 3 * step + static_cast<std::size_t>(operand));
}

}  // namespace

// The sweep writes, per step and operand, the derivative of the result by the
// operand's value through that step (a "contribution"). A step's value is
// read by at most one later operand (the register form keeps the stack's
// order: every value is popped once, or stays below the top unread), so its
// derivative is that one contribution, 1 for the result, or 0. A variable may
// be read many times: its derivative is the sum of its contributions.
GradientEvaluator::GradientEvaluator(const formula::Program& program, const std::vector<int>& slots, bool degree)
    : program_(program), degree_(degree) {
    const formula::RegisterCode& rc = program.fast;
    constexpr std::uint32_t kNoStep = ~0u;
    // (A Program that only its postfix instructions can run has no registers.)
    const std::size_t registers = std::max<std::size_t>(rc.registerCount(), formula::kVarCount);
    std::vector<char> depends(registers, 0);
    std::vector<std::uint32_t> writer(registers, kNoStep);  // the step whose value a register holds
    std::vector<std::vector<std::uint32_t>> readsOfVar(formula::kVarCount);
    for (int s : slots) {
        const bool valid = s >= 0 && s < formula::kVarCount;
        slots_.push_back(valid ? s : -1);
        if (valid) depends[static_cast<std::size_t>(s)] = 1;
    }
    derivativeOf_.assign(rc.steps.size(), kZero);
    for (std::size_t k = 0; k < rc.steps.size(); ++k) {
        const formula::Step& s = rc.steps[k];
        const std::uint32_t operands[3] = {s.a, s.b, s.c};
        unsigned char mask = 0;
        for (int j = 0; j < 3; ++j) {
            const std::uint32_t r = operands[j];
            if (r == rc.sink) continue;
            mask |= static_cast<unsigned char>(depends[r] << j);
            if (writer[r] != kNoStep)
                derivativeOf_[writer[r]] = contribution(k, j);
            else if (r < formula::kVarCount)
                readsOfVar[r].push_back(contribution(k, j));
        }
        needed_.push_back(mask);
        depends[s.dst] = mask != 0;
        writer[s.dst] = static_cast<std::uint32_t>(k);
    }
    if (writer[rc.result] != kNoStep)
        derivativeOf_[writer[rc.result]] = kOne;
    else if (rc.result < formula::kVarCount)
        readsOfVar[rc.result].push_back(kOne);
    for (std::size_t k = 0; k < slots_.size(); ++k) {
        const std::vector<std::uint32_t> none;
        const std::vector<std::uint32_t>& reads = slots_[k] < 0 ? none : readsOfVar[slots_[k]];
        firstCell_.push_back(reads.empty() ? kZero : reads[0]);
        for (std::size_t i = 1; i < reads.size(); ++i) moreCells_.push_back({static_cast<std::uint32_t>(k), reads[i]});
    }
    for (std::size_t k = 0; k < rc.steps.size(); ++k)
        carried_.push_back(derivativeOf_[k] == contribution(k + 1, 0));
    registers_.assign(rc.registerCount(), 0.0);
    partials_.assign(rc.steps.size(), formula::StepPartials{});
    cells_.assign(contribution(rc.steps.size(), 0), 0.0);
    cells_[kOne] = 1.0;
}

EvalStatus GradientEvaluator::evaluate(const formula::Vars& vars, double& value, double* gradient) {
    const EvalStatus status = formula::evaluateRecording(program_, vars, degree_, registers_.data(),
                                                         partials_.data(), needed_, value);
    if (status != EvalStatus::Ok) return status;
    double* cell = cells_.data();
    const formula::StepPartials* partials = partials_.data();
    const std::uint32_t* derivativeOf = derivativeOf_.data();
    const char* carried = carried_.data();
    double carry = 0;
    for (std::size_t k = partials_.size(); k-- > 0;) {
        // Most values are read by the next step as its first operand: then
        // the derivative is at hand without a trip through memory.
        const double w = carried[k] ? carry : cell[derivativeOf[k]];
        double* out = cell + contribution(k, 0);
        carry = w * partials[k].by[0];
        out[0] = carry;
        out[1] = w * partials[k].by[1];
        out[2] = w * partials[k].by[2];
    }
    // A partial that is not finite on the way to a slot leaves that slot's
    // derivative not finite.
    const std::size_t n = firstCell_.size();
    bool allFinite = true;
    for (std::size_t k = 0; k < n; ++k) {
        const double g = cell[firstCell_[k]];
        allFinite &= finite(g);
        gradient[k] = g;
    }
    if (!moreCells_.empty()) {
        for (const auto& [k, c] : moreCells_) gradient[k] += cell[c];
        for (std::size_t k = 0; k < n; ++k) allFinite &= finite(gradient[k]);
    }
    return allFinite ? EvalStatus::Ok : EvalStatus::Failed;
}

}  // namespace solver
