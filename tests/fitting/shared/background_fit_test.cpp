// Fits off the window's thread: the same results as the solver called
// directly, bit for bit; a fit held at an iteration shows the progress box,
// whose Cancel stops it; input to other windows meanwhile (a click, a click
// on the close box) is dropped, not replayed afterwards.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cstring>

#include <gtest/gtest.h>

#include "fitting/shared/background_fit.h"
#include "fitting/shared/fit_progress_box.h"
#include "formula/compiler.h"
#include "held_fit.h"
#include "nist_support.h"
#include "support/when_shown.h"

namespace {

using solver::FitResult;

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void expectSameFit(const FitResult& a, const FitResult& b) {
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(a.message, b.message);
    EXPECT_EQ(a.iterations, b.iterations);
    EXPECT_EQ(a.degreesOfFreedom, b.degreesOfFreedom);
    for (const auto& [x, y] : {std::pair{&a.parameters, &b.parameters}, std::pair{&a.standardErrors, &b.standardErrors},
                               std::pair{&a.fittedValues, &b.fittedValues}}) {
        ASSERT_EQ(x->size(), y->size());
        for (std::size_t i = 0; i < x->size(); ++i) EXPECT_TRUE(sameBits((*x)[i], (*y)[i])) << i;
    }
    EXPECT_TRUE(sameBits(a.residualSumOfSquares, b.residualSumOfSquares));
    EXPECT_TRUE(sameBits(a.residualStdDev, b.residualStdDev));
    EXPECT_TRUE(sameBits(a.rSquared, b.rSquared));
}

solver::NonlinearFitRequest typed(const std::string& model, std::vector<solver::ParameterStart> parameters,
                                  std::vector<std::vector<double>> columns, std::vector<double> observed) {
    solver::NonlinearFitRequest r;
    formula::CompileResult err;
    r.model = formula::compileFormula(model, err);
    EXPECT_EQ(err.position, 0) << model;
    r.variables = static_cast<int>(columns.size());
    r.parameters = std::move(parameters);
    r.columns = std::move(columns);
    r.observed = std::move(observed);
    return r;
}

// A surface and a volume on a small lattice, with a little deterministic noise.
solver::NonlinearFitRequest surfaceAndVolume(int variables) {
    std::vector<std::vector<double>> c(variables);
    std::vector<double> v;
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j)
            for (int k = 0; k < (variables == 3 ? 4 : 1); ++k) {
                const double x = i * 0.4, y = j * 0.3 - 0.5, z = k * 0.5;
                c[0].push_back(x);
                c[1].push_back(y);
                if (variables == 3) c[2].push_back(z);
                const double noise = 0.01 * (((i * 7 + j * 13 + k * 5) % 11) - 5);
                v.push_back(2.5 * std::exp(-0.7 * x) * std::cos(1.3 * y) + (variables == 3 ? 0.8 * z * z : 0) + noise);
            }
    if (variables == 2) return typed("a*exp(-b*x)*cos(c*y)", {{'a', 1}, {'b', 1}, {'c', 1}}, c, v);
    return typed("a*exp(-b*x)*cos(c*y)+d*z^2", {{'a', 1}, {'b', 1}, {'c', 1}, {'d', 0}}, c, v);
}

}  // namespace

TEST(BackgroundFit, GivesTheSolversResultsBitForBit) {
    std::vector<solver::NonlinearFitRequest> requests;
    for (const char* name : {"Misra1a", "Thurber", "MGH09", "Lanczos3", "BoxBOD", "Gauss1"}) {
        const nist::Problem p = nist::readProblem(nist::dataDirectory() + "/" + name + ".dat");
        for (solver::FitMethod m : {solver::FitMethod::GaussNewton, solver::FitMethod::LevenbergMarquardt})
            requests.push_back(nist::makeRequest(p, p.start1, m, 1e-10, 1000));
    }
    requests.push_back(surfaceAndVolume(2));
    requests.push_back(surfaceAndVolume(3));
    for (std::size_t k = 0; k < requests.size(); ++k) {
        SCOPED_TRACE("request " + std::to_string(k));
        const FitResult direct = solver::fitNonlinear(requests[k]);
        expectSameFit(FitWithProgress(requests[k]), direct);
    }
}

TEST(BackgroundFit, CancelInTheProgressBoxStopsAHeldFitAndOtherWindowsGetNoInput) {
    QPushButton other("Other");
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    int clicks = 0;
    QObject::connect(&other, &QPushButton::clicked, [&clicks] { ++clicks; });
    postClick(&other);  // without a fit, the posted click arrives
    ASSERT_TRUE(QTest::qWaitFor([&] { return clicks == 1; }, 60000));

    const nist::Problem p = nist::readProblem(nist::dataDirectory() + "/Misra1a.dat");
    const solver::NonlinearFitRequest req = nist::makeRequest(p, p.start1, solver::FitMethod::LevenbergMarquardt, 1e-7, 1000);
    HeldFit hold(3);
    bool boxShown = false;
    whenShown<FitProgressBox>(
        [&](FitProgressBox* box) {
            boxShown = true;
            ASSERT_TRUE(QTest::qWaitFor([&] { return hold.held(); }, 60000));
            // Held at iteration 3: iterations 1 and 2 have been reported.
            EXPECT_TRUE(QTest::qWaitFor([&] { return box->Label1->text().startsWith("Iteration 2\n"); }, 60000))
                << box->Label1->text().toStdString();
            EXPECT_TRUE(box->Label1->text().contains("Residual sum of squares: "));
            postClick(&other);
            QTest::qWait(0);
            clickCloseBox(&other);
            box->Command1->click();
            hold.release();
        });
    const FitResult r = FitWithProgress(req);
    EXPECT_TRUE(boxShown);
    EXPECT_EQ(r.status, solver::FitStatus::Cancelled);
    EXPECT_EQ(r.message, "The fit was cancelled.");
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(clicks, 1);  // the click posted during the fit was dropped, not replayed
    EXPECT_TRUE(other.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
