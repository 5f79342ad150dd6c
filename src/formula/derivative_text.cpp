#include "formula/derivative_text.h"

#include "formula/differentiate.h"
#include "formula/infix_to_polish.h"
#include "formula/polish_shape.h"
#include "formula/polish_to_infix.h"
#include "formula/text_routines.h"

namespace formula {

DerivativeText differentiateText(const std::string& formula, const std::string& variable, int order) {
    DerivativeText out;
    if (formula.size() > kMaxFormulaLength) {
        out.errorText = formulaTooLongMessage();
        return out;
    }
    bool ok = false;
    std::optional<clsPolish> list = InfixToPolish(InsertImplicitMultiply(formula), out.errorText, ok);
    for (int k = 0; ok && k < order; ++k) list = Differentiate(*list, variable, out.errorText, ok);
    if (!ok) return out;
    const std::string printed = PolishToInfix(*list, out.errorText, ok);
    if (!ok) return out;
    out.text = FoldSignPairs(printed);
    out.ok = true;
    return out;
}

}  // namespace formula
