// The nonlinear fit of typed models: checks of the request, curves, surfaces and volumes.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fitting/solver/nonlinear_fit.h"
#include "compile_model.h"

namespace {

using solver::FitMethod;
using solver::FitStatus;
using solver::NonlinearFitRequest;

NonlinearFitRequest curve(const std::string& model, std::vector<solver::ParameterStart> params) {
    NonlinearFitRequest req;
    req.model = compileModel(model);
    req.parameters = std::move(params);
    req.columns = {{0.5, 1, 1.5, 2, 2.5, 3}};
    req.observed = {1.6, 2.7, 4.5, 7.4, 12.2, 20.1};
    return req;
}

TEST(NonlinearFit, BadRequestsGetAClearMessage) {
    struct Case {
        NonlinearFitRequest req;
        FitStatus status;
        const char* message;
    };
    std::vector<Case> cases;
    auto add = [&](NonlinearFitRequest r, FitStatus s, const char* m) { cases.push_back({std::move(r), s, m}); };
    NonlinearFitRequest empty = curve("a*x", {{'a', 1}});
    empty.model = formula::Program{};
    add(empty, FitStatus::BadInput, "Please enter a model first.");
    add(curve("a*exp(b*y)", {{'a', 1}, {'b', 1}}), FitStatus::BadInput,
        "The model uses the variable y, which this fit does not have.");
    add(curve("a*rnd(x)", {{'a', 1}}), FitStatus::BadInput,
        "The model uses RND: a fit needs a model whose value does not change from call to call.");
    add(curve("a*exp(b*x)", {{'a', 1}, {'b', 1}, {'c', 1}}), FitStatus::BadInput,
        "The parameter c is not used by the model.");
    add(curve("a*exp(b*x)+c", {{'a', 1}, {'b', 1}}), FitStatus::BadInput,
        "The model uses the parameter c, which has no starting value.");
    add(curve("a*exp(b*x)", {{'a', 1}, {'A', 1}, {'b', 1}}), FitStatus::BadInput, "The parameter a is listed twice.");
    add(curve("a*exp(b*x)", {{'a', 1}, {'u', 1}}), FitStatus::BadInput,
        "The parameter names must be letters from a to t.");
    add(curve("a*exp(b*x)", {}), FitStatus::BadInput, "Please enter the parameters and their starting values first.");
    add(curve("a*exp(b*x)", {{'a', 1}, {'b', NAN}}), FitStatus::BadInput,
        "The starting value of parameter b is not a finite number.");
    NonlinearFitRequest shortY = curve("a*exp(b*x)", {{'a', 1}, {'b', 1}});
    shortY.observed.pop_back();
    add(shortY, FitStatus::BadInput, "The data columns have different lengths.");
    NonlinearFitRequest nanX = curve("a*exp(b*x)", {{'a', 1}, {'b', 1}});
    nanX.columns[0][4] = INFINITY;
    add(nanX, FitStatus::BadInput, "The data hold a value that is not a finite number (data point 5).");
    add(curve("a+b*x+c*x^2+d*x^3+e*x^4+f*x^5+g*x^6",
              {{'a', 1}, {'b', 1}, {'c', 1}, {'d', 1}, {'e', 1}, {'f', 1}, {'g', 1}}),
        FitStatus::BadInput, "There are fewer data points (6) than parameters (7).");
    NonlinearFitRequest zeroIterations = curve("a*exp(b*x)", {{'a', 1}, {'b', 1}});
    zeroIterations.options.maxIterations = 0;
    add(zeroIterations, FitStatus::BadInput, "The maximum number of iterations must be between 1 and 100000.");
    add(curve("a*log(x-b)", {{'a', 1}, {'b', 1}}), FitStatus::UndefinedAtStart,
        "The model has no value at the starting values (data point 1, x = 0.5).");
    // x^b at a negative x has a value for a whole b but no derivative by b.
    NonlinearFitRequest negativeBase = curve("a*x^b", {{'a', 1}, {'b', 2}});
    negativeBase.columns[0][0] = -1;
    add(negativeBase, FitStatus::NotConverged,
        "The derivatives of the model have no value at the current parameters (data point 1, x = -1).");
    // A zero start of a leaves b without effect: Gauss-Newton cannot take a step. The start is
    // to blame, not the data.
    NonlinearFitRequest zeroAmplitude = curve("a*exp(b*x)", {{'a', 0}, {'b', 1}});
    zeroAmplitude.options.method = FitMethod::GaussNewton;
    add(zeroAmplitude, FitStatus::NotConverged,
        "The parameter b has no effect on the model at the starting values; please try other starting values.");
    NonlinearFitRequest twoVars = curve("a*x*y", {{'a', 1}});
    twoVars.variables = 2;
    add(twoVars, FitStatus::BadInput, "Please select variables first.");

    for (const Case& c : cases) {
        const solver::FitResult r = solver::fitNonlinear(c.req);
        EXPECT_EQ(r.status, c.status) << c.message;
        EXPECT_EQ(r.message, c.message);
    }
}

TEST(NonlinearFit, CurveWithParametersInAnyCaseAndOrder) {
    NonlinearFitRequest req = curve("A*exp(b*x)", {{'b', 0.5}, {'A', 1}});
    for (FitMethod m : {FitMethod::GaussNewton, FitMethod::LevenbergMarquardt}) {
        req.options.method = m;
        const solver::FitResult r = solver::fitNonlinear(req);
        ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
        EXPECT_NEAR(r.parameters[0], 1.0, 0.02);  // b, as listed first
        EXPECT_NEAR(r.parameters[1], 1.0, 0.05);  // a
        EXPECT_GT(r.rSquared, 0.999);
    }
    // Levenberg-Marquardt starts where Gauss-Newton cannot: a at 0 leaves b without effect.
    req.parameters = {{'a', 0}, {'b', 1}};
    req.options.method = FitMethod::LevenbergMarquardt;
    const solver::FitResult r = solver::fitNonlinear(req);
    ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
    EXPECT_NEAR(r.parameters[0], 1.0, 0.05);
}

// Exact data from known parameters in two and three variables: recovered to 1e-10.
TEST(NonlinearFit, SurfaceAndVolumeRecoverExactParameters) {
    NonlinearFitRequest surface;
    surface.model = compileModel("a*exp(-b*x) + c*y^2 - d*x*y");
    surface.variables = 2;
    surface.parameters = {{'a', 1}, {'b', 1}, {'c', 1}, {'d', 0}};
    surface.columns.assign(2, {});
    NonlinearFitRequest volume;
    volume.model = compileModel("a*sin(b*x) + c*y*z + d/(1+z^2)");
    volume.variables = 3;
    volume.parameters = {{'a', 1.5}, {'b', 1.2}, {'c', 0}, {'d', 1}};
    volume.columns.assign(3, {});
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 5; ++j) {
            const double x = 0.2 * i, y = -1 + 0.5 * j, z = 0.3 * (i - j);
            surface.columns[0].push_back(x);
            surface.columns[1].push_back(y);
            surface.observed.push_back(2.5 * std::exp(-1.7 * x) + 0.4 * y * y - 1.1 * x * y);
            volume.columns[0].push_back(x);
            volume.columns[1].push_back(y);
            volume.columns[2].push_back(z);
            volume.observed.push_back(2 * std::sin(0.9 * x) + 0.3 * y * z + 1.5 / (1 + z * z));
        }
    surface.options.tolerance = volume.options.tolerance = 1e-12;
    const solver::FitResult s = solver::fitNonlinear(surface);
    ASSERT_EQ(s.status, FitStatus::Converged) << s.message;
    const double sTrue[] = {2.5, 1.7, 0.4, 1.1};
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(s.parameters[k], sTrue[k], 1e-10 * sTrue[k]);
    const solver::FitResult v = solver::fitNonlinear(volume);
    ASSERT_EQ(v.status, FitStatus::Converged) << v.message;
    const double vTrue[] = {2, 0.9, 0.3, 1.5};
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(v.parameters[k], vTrue[k], 1e-10 * vTrue[k]);

    // A surface model may not use z.
    surface.model = compileModel("a*z + b + c + d");
    EXPECT_EQ(solver::fitNonlinear(surface).message, "The model uses the variable z, which this fit does not have.");
}

}  // namespace
