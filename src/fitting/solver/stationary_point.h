#pragma once
// Whether a fit stands at a stationary point of the sum of squares, and on what evidence. At a
// stationary point the residuals r = f(p) - y are orthogonal to the Jacobian's columns: their
// projection on them, |J step| for the Gauss-Newton step (min |J step + r|), is zero. A computed
// projection is zero within
//  - the tolerance: its cosine with r is at most sqrt(tol) (the relative reduction of the sum of
//    squares that the Gauss-Newton step promises is then at most tol);
//  - the resolution of the numbers: the last bits of the values and the data, and how far the
//    last bit of each parameter moves the model (no point that doubles hold lies nearer);
//  - the rounding of the model's evaluation, measured at the point itself: the residuals along
//    the Gauss-Newton step, against what the Jacobian predicts, show how much of them is noise.
//    The projection is within it where it is no larger than that noise, or where the reduction
//    of the sum of squares it promises is within the rounding of the sum of squares that the
//    noise makes: then no step can lower the sum of squares beyond its rounding. A projection
//    beyond that, or one that steps along it lower the sum of squares by more than the noise
//    allows, is real, however large a worst-case bound of the rounding may be.
#include <Eigen/Core>

#include "fitting/solver/fit_model.h"

namespace solver {

// What a method knows at the point it judges.
struct Linearisation {
    const Eigen::VectorXd& params;
    const Eigen::VectorXd& values;    // the model at params
    const Eigen::VectorXd& observed;  // the data
    const Eigen::MatrixXd& jacobian;  // at params, or at the point one accepted step before
    const Eigen::VectorXd& step;      // the Gauss-Newton step from params
    double change;                    // |J step|, the residuals' projection on the columns
    double length;                    // |f - y|
};

enum class Verdict {
    NotStationary,
    Tolerance,   // the cosine is at most sqrt(tol)
    Resolution,  // the projection is within the resolution of the numbers
    Rounding,    // the projection is within the noise measured at the point
};

// How many times the resolution or the noise the projection may be and still count as none: the
// projection of noise on the columns is at most the noise itself (the noise probe measures the
// difference of two draws of it, about 1.4 times one), and the resolution adds up the worst
// case of every parameter.
inline constexpr double kRoundingFactor = 2;
// How many times the worst case of the rounding the projection may be where the reduction it
// promises is within the rounding of the sum of squares, and how far beyond the noise measured at
// the point that worst case may lie and still count: the probe sees the noise of the points its
// steps re-round, which can be a fraction of all.
inline constexpr double kReductionFactor = 8;
inline constexpr double kConfirmedBound = 16;

// The resolution of the numbers at a point, as one length of the residuals' kind: per point the
// last bits of the value and the datum, eps (|f| + |y|), and half the last bits of the parameters
// times the Jacobian, sum_j |J_ij| ulp(p_j) / 2.
double resolution(const Linearisation& at);

// The noise that rounding puts into the residuals, measured along the Gauss-Newton step: the
// residuals at p + s, for s = step, step / 2, step / 4, ..., against the Jacobian's prediction
// r + J s. Where the prediction holds (the deviation at most a quarter of |J s|), the projection
// is real at that scale: linear. Where the deviation stops shrinking as s halves (as the
// curvature's share does, by four), it is noise, whose size it gives (where the prediction held,
// the last deviation bounds it); infinite where the model had no value at any of these steps.
// lowered: the most that any of these steps lowered the length of the residuals.
struct NoiseProbe {
    bool linear = false;
    double noise = 0;
    double lowered = 0;
};
NoiseProbe probeNoise(FitModel& model, const Linearisation& at);

// The verdict at one point, its parts computed where asked for (the noise costs evaluations of
// the model). The Linearisation must outlive it.
class StationaryTest {
public:
    StationaryTest(FitModel& model, const Linearisation& at, double tol) : model_(model), at_(at), tol_(tol) {}

    // The cosine test alone, or exact zero residuals.
    bool byTolerance() const;
    // Within the resolution of the numbers (no evaluation).
    bool byResolution();
    // A minimum whose curvature the Jacobian does not show, where its columns are nearly
    // dependent and the second derivatives decide (two equal columns): the projection on their
    // span is not small, but the residuals are orthogonal to every column on its own (the cosine
    // of r with each column at most sqrt(tol), a tolerance of its own, or its component along the
    // column within the resolution), and the sum of squares rises both ways along the weakest
    // direction of the Jacobian, each point brought back to the valley floor by a Gauss-Newton
    // step in the other directions. Costs up to twelve evaluations. It shows a minimum only where
    // no step, down to the rounding of the parameters, lowers the sum of squares either.
    bool curvedMinimum(double tol);
    // Whether the residuals are within the resolution and the noise measured at the point: the
    // model fits the data as well as numbers can tell, a minimum no start can better.
    bool exactFit();
    // The whole verdict, computing the noise where the cheaper tests do not decide.
    Verdict verdict();
    bool stationary() { return verdict() != Verdict::NotStationary; }

private:
    // The worst case of the model's rounding at the point, as one length (infinite where the
    // model gives none); the noise probe's result; the noise it measured, never beyond that worst
    // case (an upper bound where the prediction held).
    double resolutionLength();
    double worstRounding();
    const NoiseProbe& probe();
    double noise();
    bool orthogonalToEveryColumn(double tol);
    // Whether the projection is within `confirmed`, or the reduction of the sum of squares that
    // the full step promises, change^2, within the rounding of the sum of squares that a rounding
    // of the residuals makes, 2 |r| rounding + rounding^2 (as lengths over |r|, which keeps the
    // squares in range).
    bool withinRounding(double rounding, double confirmed) const;
    // Whether the sum of squares rises both ways along the weakest direction, as above.
    bool risesAlongTheWeakestDirection();

    FitModel& model_;
    const Linearisation& at_;
    const double tol_;
    double resolution_ = -1, worst_ = -1;  // computed on first use
    bool probed_ = false;
    NoiseProbe probe_;
    bool judged_ = false;
    Verdict verdict_ = Verdict::NotStationary;
};

}  // namespace solver
