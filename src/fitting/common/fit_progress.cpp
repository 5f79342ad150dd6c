#include "fitting/common/fit_progress.h"

#include <cmath>

#include "formula/number_text.h"

std::function<bool(int, double)> FitProgress::hook() {
    return [this](int iteration, double ssr) { return report(iteration, ssr); };
}

bool FitProgress::report(int iteration, double ssr) {
    ssr_.store(ssr);
    iteration_.store(iteration);
    return !cancelled();
}

std::string FitProgress::text() const {
    const int iter = iteration();
    const double s = ssr();
    std::string t = "Iteration " + std::to_string(iter);
    if (iter > 0 && std::isfinite(s)) t += "\nResidual sum of squares: " + formula::formatNumberText(s);
    return t;
}
