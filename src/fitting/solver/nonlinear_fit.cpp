#include "fitting/solver/nonlinear_fit.h"

#include <cmath>
#include <exception>
#include <string>

#include "fitting/solver/formula_model.h"
#include "fitting/solver/least_squares.h"

namespace solver {

int parameterLetterIndex(char letter) {
    if (letter >= 'a' && letter <= 't') return letter - 'a';
    if (letter >= 'A' && letter <= 'T') return letter - 'A';
    return -1;
}

namespace {

std::string letterText(int index) { return std::string(1, static_cast<char>('a' + index)); }

// What the model reads: variable slots and whether it has RND or a failing token.
struct ModelUse {
    bool slot[formula::kVarCount] = {};
    bool random = false;
    bool fails = false;
};

ModelUse scan(const formula::Program& p) {
    ModelUse u;
    for (const formula::Instr& in : p.code) {
        if (in.op == formula::Op::PushVar && in.index < formula::kVarCount) u.slot[in.index] = true;
        if (in.op == formula::Op::Rnd) u.random = true;
        if (in.op == formula::Op::Fail) u.fails = true;
    }
    return u;
}

std::string checkRequest(const NonlinearFitRequest& req, std::vector<int>& letters) {
    if (req.variables < 1 || req.variables > 3) return "A fit needs one, two or three independent variables.";
    if (req.model.empty()) return "Please enter a model first.";
    const ModelUse use = scan(req.model);
    if (use.fails) return "The model cannot be evaluated: " + req.model.failMessage;
    if (use.random) return "The model uses RND: a fit needs a model whose value does not change from call to call.";
    if (req.variables < 2 && use.slot[formula::kVarY]) return "The model uses the variable y, which this fit does not have.";
    if (req.variables < 3 && use.slot[formula::kVarZ]) return "The model uses the variable z, which this fit does not have.";
    if (req.parameters.empty()) return "Please enter the parameters and their starting values first.";
    if (req.parameters.size() > 20) return "A model has at most 20 parameters (a to t).";

    bool listed[formula::kParamCount] = {};
    letters.clear();
    for (const ParameterStart& p : req.parameters) {
        const int k = parameterLetterIndex(p.letter);
        if (k < 0) return "The parameter names must be letters from a to t.";
        if (listed[k]) return "The parameter " + letterText(k) + " is listed twice.";
        listed[k] = true;
        if (!std::isfinite(p.start))
            return "The starting value of parameter " + letterText(k) + " is not a finite number.";
        if (!use.slot[formula::kVarA + k]) return "The parameter " + letterText(k) + " is not used by the model.";
        letters.push_back(k);
    }
    for (int k = 0; k < formula::kParamCount; ++k)
        if (use.slot[formula::kVarA + k] && !listed[k])
            return "The model uses the parameter " + letterText(k) + ", which has no starting value.";

    if (static_cast<int>(req.columns.size()) != req.variables) return "Please select variables first.";
    for (const std::vector<double>& c : req.columns) {
        if (c.size() != req.observed.size()) return "The data columns have different lengths.";
        for (std::size_t i = 0; i < c.size(); ++i)
            if (!std::isfinite(c[i]))
                return "The data hold a value that is not a finite number (data point " + std::to_string(i + 1) + ").";
    }
    return {};
}

}  // namespace

FitResult fitNonlinear(const NonlinearFitRequest& req) {
    try {
        std::vector<int> letters;
        std::vector<double> start;
        for (const ParameterStart& p : req.parameters) start.push_back(p.start);
        if (std::string msg = checkRequest(req, letters); !msg.empty()) {
            FitResult r;
            r.status = FitStatus::BadInput;
            r.message = std::move(msg);
            r.parameters = start;
            return r;
        }
        FormulaModel model(req.model, letters, req.columns);
        return fitLeastSquares(model, req.observed, start, req.options);
    } catch (const std::exception& e) {
        FitResult r;
        r.status = FitStatus::BadInput;
        r.message = std::string("The fit failed: ") + e.what();
        return r;
    } catch (...) {
        FitResult r;
        r.status = FitStatus::BadInput;
        r.message = "The fit failed.";
        return r;
    }
}

}  // namespace solver
