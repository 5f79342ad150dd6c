// Builds the register form of a Program (program.h). The postfix instructions
// are read once more on a stack of operands that are registers or numbers not
// yet given one, so that a push costs no step; what is computed, and in which
// order, stays as the postfix text has it.
#include <algorithm>
#include <initializer_list>
#include <limits>
#include <utility>

#include "formula/guards.h"
#include "formula/program.h"

namespace formula {

namespace {

constexpr std::uint32_t kUnread = std::numeric_limits<std::uint32_t>::max();  // the sink, before it has a number

inline bool finite(double v) { return std::fabs(v) <= 1.7976931348623157e308; }

// A number computed while building gives the same bits as at run time only
// where no guard holds and nothing overflows; degree mode is not known yet.
bool foldUnary(Op op, double x, double& r) {
    if (op == Op::Neg) {
        r = -x;
        return true;
    }
    if (op == Op::Rnd || takesDegrees(op) || unaryGuard(op, x) != Guard::Ok) return false;
    bool ok = true;
    r = unaryValue(op, x, ok);
    return ok && finite(r);
}

bool foldBinary(Op op, double a, double b, double& r) {
    if (binaryGuard(op, a, b) != Guard::Ok) return false;
    r = binaryValue(op, a, b);
    return finite(r);
}

class Builder {
public:
    explicit Builder(std::size_t maxDepth) { rc_.firstNumber = static_cast<std::uint32_t>(kVarCount + maxDepth); }

    // False for what only the postfix evaluation can run (RND, Fail).
    bool add(const Instr& in) {
        switch (in.op) {
        case Op::PushConst: stack_.push_back(Operand{true, in.value, 0}); return true;
        case Op::PushVar:
            rc_.usedVars.push_back(in.index);
            stack_.push_back(Operand{false, 0.0, in.index});
            return true;
        case Op::Rnd:
        case Op::Fail: return false;
        default: break;
        }
        if (isBinary(in.op)) {
            const Operand b = stack_.back();
            stack_.pop_back();
            binary(in.op, stack_.back(), b);
        } else {
            unary(in.op, stack_.back());
        }
        return true;
    }

    RegisterCode finish() {
        rc_.result = reg(stack_.back());
        rc_.numbers.resize(std::max(rc_.numbers.size(), RegisterCode::kCopiedNumbers), 0.0);
        rc_.sink = rc_.firstNumber + static_cast<std::uint32_t>(rc_.numbers.size());
        for (Step& s : rc_.steps)
            for (std::uint32_t* r : {&s.a, &s.b, &s.c})
                if (*r == kUnread) *r = rc_.sink;
        // Each variable is copied in once; those that could hide a value
        // that is not finite are tested first.
        std::vector<std::uint8_t> used;
        for (std::uint8_t v : rc_.usedVars)
            if (std::find(used.begin(), used.end(), v) == used.end()) used.push_back(v);
        rc_.usedVars = used;
        for (std::uint8_t v : used)
            if (!readByPropagatingStep(v)) rc_.checkedVars.push_back(v);
        // A first operand that the step before computed is taken from where
        // that step left it; + and * may swap operands for that.
        for (std::size_t k = 1; k < rc_.steps.size(); ++k) {
            Step& s = rc_.steps[k];
            const std::uint32_t last = rc_.steps[k - 1].dst;
            const bool commutes = s.op == Op::Add || s.op == Op::Mul;
            if (commutes && s.b == last && s.a != last) std::swap(s.a, s.b);
            s.chained = s.a == last;
        }
        rc_.usable = true;
        return std::move(rc_);
    }

private:
    // A step whose value is not finite (or that stops at a guard) whenever
    // the operand at `position` is not finite.
    static bool propagates(Op op, int position) {
        switch (op) {
        case Op::Neg: case Op::Add: case Op::Sub: case Op::Mul: case Op::Square: case Op::Cube:
        case Op::MulSquare: case Op::MulCube: case Op::MulAdd: case Op::MulAddSquare: case Op::MulAddCube:
        case Op::MulSub: case Op::MulSubSquare: case Op::MulSubCube: case Op::Sin: case Op::Cos: case Op::Tan:
        case Op::Abs: case Op::Int: case Op::Log: case Op::Sqr:
            return true;
        case Op::Div: return position == 0;  // x / inf is 0
        default: return false;               // exp(-inf) is 0, atan(inf) finite, ...
        }
    }
    bool readByPropagatingStep(std::uint8_t var) const {
        for (const Step& s : rc_.steps) {
            const std::uint32_t operand[3] = {s.a, s.b, s.c};
            for (int j = 0; j < 3; ++j)
                if (operand[j] == var && propagates(s.op, j)) return true;
        }
        return false;
    }

    struct Operand {
        bool known;            // a number known now
        double value;          // when known
        std::uint32_t reg;     // otherwise
    };

    // The register of the stack level an operand stands at.
    std::uint32_t level(const Operand& top) const {
        return static_cast<std::uint32_t>(kVarCount + static_cast<std::size_t>(&top - stack_.data()));
    }
    std::uint32_t reg(const Operand& o) {
        if (!o.known) return o.reg;
        rc_.numbers.push_back(o.value);
        return rc_.firstNumber + static_cast<std::uint32_t>(rc_.numbers.size() - 1);
    }
    // Puts a step's result in place of the operand at `top`.
    void emit(Operand& top, Op op, std::uint32_t a, std::uint32_t b = kUnread, std::uint32_t c = kUnread) {
        const std::uint32_t dst = level(top);
        rc_.steps.push_back(Step{op, false, dst, a, b, c});
        top = Operand{false, 0.0, dst};
    }

    void unary(Op op, Operand& x) {
        double r = 0;
        if (x.known && foldUnary(op, x.value, r)) {
            x.value = r;
            return;
        }
        emit(x, op, reg(x));
    }

    // Takes back the last step when it computed `o` with one of `ops`.
    bool takeLast(const Operand& o, std::initializer_list<Op> ops, Step& taken) {
        if (o.known || o.reg < kVarCount || rc_.steps.empty() || rc_.steps.back().dst != o.reg) return false;
        if (std::find(ops.begin(), ops.end(), rc_.steps.back().op) == ops.end()) return false;
        taken = rc_.steps.back();
        rc_.steps.pop_back();
        return true;
    }

    // The sum or difference of x and a product step's value, as one step.
    static Op withProduct(Op op, Op product) {
        const bool add = op == Op::Add;
        if (product == Op::MulSquare) return add ? Op::MulAddSquare : Op::MulSubSquare;
        if (product == Op::MulCube) return add ? Op::MulAddCube : Op::MulSubCube;
        return add ? Op::MulAdd : Op::MulSub;
    }

    void binary(Op op, Operand& a, const Operand& b) {
        double r = 0;
        if (a.known && b.known && foldBinary(op, a.value, b.value, r)) {
            a.value = r;
            return;
        }
        if (op == Op::Pow && b.known) {
            // A's own steps stay: a guard or overflow inside them still counts.
            if (powIsOne(b.value)) {
                a = Operand{true, 1.0, 0};
                return;
            }
            if (b.value == 2 || b.value == 3) {
                emit(a, b.value == 2 ? Op::Square : Op::Cube, reg(a));
                return;
            }
        }
        // Fused steps compute the same operations in the same order; only
        // operands of + and * change sides, which gives the same bits.
        Step last;
        if (op == Op::Mul) {  // k * x^2, x^3 * k
            if (takeLast(b, {Op::Square, Op::Cube}, last)) {
                emit(a, last.op == Op::Square ? Op::MulSquare : Op::MulCube, reg(a), last.a);
                return;
            }
            if (takeLast(a, {Op::Square, Op::Cube}, last)) {
                emit(a, last.op == Op::Square ? Op::MulSquare : Op::MulCube, reg(b), last.a);
                return;
            }
        }
        const auto products = {Op::Mul, Op::MulSquare, Op::MulCube};
        if (op == Op::Add || op == Op::Sub) {  // x + p*q, x - p*q, p*q + x
            if (takeLast(b, products, last)) {
                emit(a, withProduct(op, last.op), reg(a), last.a, last.b);
                return;
            }
            if (op == Op::Add && takeLast(a, products, last)) {
                emit(a, withProduct(op, last.op), reg(b), last.a, last.b);
                return;
            }
        }
        const std::uint32_t ra = reg(a);
        emit(a, op, ra, reg(b));
    }

    RegisterCode rc_;
    std::vector<Operand> stack_;
};

}  // namespace

RegisterCode buildRegisterCode(const std::vector<Instr>& code, std::size_t maxDepth) {
    Builder b(maxDepth);
    for (const Instr& in : code)
        if (!b.add(in)) return RegisterCode{};
    return b.finish();
}

}  // namespace formula
