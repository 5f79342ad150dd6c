#pragma once
// Cls6: compiles formula text to postfix text and evaluates postfix text.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "formula/compiler.h"
#include "formula/evaluator.h"
#include "formula/program.h"

namespace formula {

// The formula library's own stand-in for the application's gShowEvalMessages
// (named apart from it, so that both can be in scope), so that the library
// links without the application: False, and nothing in the program sets it.
// A new Cls6 takes its ShowEvalMessages from it. While ShowEvalMessages is
// True, a domain guard that has a reason text makes DoEvaluate fail (False)
// instead of answering UndefinedValue; the reason is then LastEvalMessage().
extern bool gShowEvalMessagesDefault;

// Where syntax messages go. The application installs a sink that shows the
// text in a message box titled "Syntax Error" with the critical icon; with
// none installed nothing is shown. The text is "Character <p>:  <message>".
using SyntaxMessageSink = std::function<void(const std::string& text)>;
void setSyntaxMessageSink(SyntaxMessageSink sink);

class Cls6 {
public:
    // Appends the postfix text of sExpression to sBuffer and returns 0, or
    // shows the syntax message and returns its position (at least 1).
    long InfixToPostfix(const std::string& sExpression, std::string& sBuffer);

    // Evaluates a postfix text. True: sngResult holds the value, possibly
    // UndefinedValue. False: the evaluation failed; sngResult is unchanged.
    // The Programs of the last few texts are kept, so evaluating the same
    // texts again (one formula, or x, y and z of a curve in turn) does not
    // read them again.
    bool DoEvaluate(const std::string& sExpression, bool bolDegree, double& sngResult, double sngX, double sngY,
                    double sngZ, double sngA, double sngB, double sngC, double sngD, double sngE, double sngF,
                    double sngG, double sngH, double sngI, double sngj, double sngK, double sngL, double sngM,
                    double sngN, double sngO, double sngP, double sngQ, double sngR, double sngS, double sngT);
    // The same with the values in one array (X, Y, Z, A..T).
    bool DoEvaluate(const std::string& sExpression, bool bolDegree, double& sngResult, const Vars& vars);

    static long TokenPrecedence(std::string_view token) { return tokenPrecedence(token); }
    static bool IsNameChar(std::string_view text) { return isNameChar(text); }
    static bool IsNameCharOrDigit(std::string_view text) { return isNameCharOrDigit(text); }

    // The message of the last syntax error, and the reason of the last failed
    // or undefined evaluation ("" when there was none).
    const std::string& LastSyntaxMessage() const { return lastSyntaxMessage_; }
    const std::string& LastEvalMessage() const { return lastEvalMessage_; }

    bool ShowEvalMessages = gShowEvalMessagesDefault;

private:
    std::string lastSyntaxMessage_;
    std::string lastEvalMessage_;
    const Program& programOf(const std::string& postfix);

    static constexpr std::size_t kKept = 4;
    Program programs_[kKept];  // the Programs of the last texts evaluated
    bool built_[kKept] = {};
    std::size_t next_ = 0;     // the slot the next new text replaces
};

}  // namespace formula
