#include "formula/cls6.h"

#include <utility>

namespace formula {

bool gShowEvalMessagesDefault = false;

namespace {
SyntaxMessageSink& sink() {
    static SyntaxMessageSink s;
    return s;
}
}  // namespace

void setSyntaxMessageSink(SyntaxMessageSink s) { sink() = std::move(s); }

long Cls6::InfixToPostfix(const std::string& sExpression, std::string& sBuffer) {
    const CompileResult r = compileInfix(sExpression, sBuffer);
    if (r.position == 0) return 0;
    lastSyntaxMessage_ = r.message;
    if (sink()) sink()("Character " + std::to_string(r.position) + ":  " + r.message);
    return r.position;
}

const Program& Cls6::programOf(const std::string& postfix) {
    for (std::size_t k = 0; k < kKept; ++k) {
        if (built_[k] && programs_[k].text == postfix) return programs_[k];
    }
    const std::size_t slot = next_;
    next_ = (next_ + 1) % kKept;
    programs_[slot] = buildProgram(postfix);
    built_[slot] = true;
    return programs_[slot];
}

bool Cls6::DoEvaluate(const std::string& sExpression, bool bolDegree, double& sngResult, const Vars& vars) {
    const EvalResult r = evaluate(programOf(sExpression), vars, bolDegree, ShowEvalMessages);
    if (*r.message != '\0' || !lastEvalMessage_.empty()) lastEvalMessage_ = r.message;
    if (r.status == EvalStatus::Failed) return false;
    sngResult = r.value;
    return true;
}

bool Cls6::DoEvaluate(const std::string& sExpression, bool bolDegree, double& sngResult, double sngX, double sngY,
                      double sngZ, double sngA, double sngB, double sngC, double sngD, double sngE, double sngF,
                      double sngG, double sngH, double sngI, double sngj, double sngK, double sngL, double sngM,
                      double sngN, double sngO, double sngP, double sngQ, double sngR, double sngS, double sngT) {
    const Vars vars{sngX, sngY, sngZ, sngA, sngB, sngC, sngD, sngE, sngF, sngG, sngH, sngI,
                    sngj, sngK, sngL, sngM, sngN, sngO, sngP, sngQ, sngR, sngS, sngT};
    return DoEvaluate(sExpression, bolDegree, sngResult, vars);
}

}  // namespace formula
