#include "profile_reference.h"

#include <cmath>

namespace reference {

namespace {

struct Sums {
    Real a = 0, ssr = 0, slope = 0;  // the best a, the sum of squares, d ssr / d b
    bool defined = false;
};

Sums sums(const ProfileModel& model, const std::vector<double>& x, const std::vector<double>& y, Real b) {
    Real syg = 0, sgg = 0;
    std::vector<Real> g(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        g[i] = model.g(b, x[i]);
        syg += y[i] * g[i];
        sgg += g[i] * g[i];
    }
    Sums s;
    if (!(sgg > 0) || !std::isfinite(sgg)) return s;
    s.defined = true;
    s.a = syg / sgg;
    Real dot = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const Real r = y[i] - s.a * g[i];
        s.ssr += r * r;
        dot += r * model.gb(b, x[i]);
    }
    // The envelope theorem: a is at its best, so only g's change with b counts.
    s.slope = -2 * s.a * dot;
    return s;
}

}  // namespace

Real profileSsr(const ProfileModel& model, const std::vector<double>& x, const std::vector<double>& y, Real b,
                Real* bestA) {
    const Sums s = sums(model, x, y, b);
    if (bestA) *bestA = s.a;
    return s.defined ? s.ssr : HUGE_VALL;
}

ProfileMinimum profileMinimum(const ProfileModel& model, const std::vector<double>& x,
                              const std::vector<double>& y, Real bLow, Real bHigh, int samples) {
    ProfileMinimum best;
    const Real step = (bHigh - bLow) / samples;
    Sums previous = sums(model, x, y, bLow);
    for (int k = 1; k <= samples; ++k) {
        const Real b = bLow + k * step;
        const Sums here = sums(model, x, y, b);
        if (previous.defined && here.defined && previous.slope < 0 && here.slope >= 0) {
            Real lo = b - step, hi = b;
            for (int i = 0; i < 200 && lo < hi; ++i) {
                const Real mid = (lo + hi) / 2;
                if (mid <= lo || mid >= hi) break;
                (sums(model, x, y, mid).slope < 0 ? lo : hi) = mid;
            }
            const Real bm = (lo + hi) / 2;
            const Sums m = sums(model, x, y, bm);
            if (!best.found || m.ssr < best.ssr) best = {true, m.a, bm, m.ssr};
        }
        previous = here;
    }
    // A minimum is interior only when the ends of the range lie higher.
    if (best.found && (profileSsr(model, x, y, bLow) < best.ssr || profileSsr(model, x, y, bHigh) < best.ssr))
        best.found = false;
    return best;
}

}  // namespace reference
