#pragma once
// What a fit running on a worker thread shares with the window that waits for
// it: the iteration reached, its residual sum of squares, and the user's
// Cancel. The worker writes through hook(); the window reads and cancels.
#include <atomic>
#include <functional>
#include <limits>
#include <string>

class FitProgress {
public:
    // The solver's progress hook: records the iteration and its sum of squares;
    // false (stop the fit) once cancel() was called.
    std::function<bool(int iteration, double ssr)> hook();
    bool report(int iteration, double ssr);

    void cancel() { cancelled_.store(true); }
    bool cancelled() const { return cancelled_.load(); }

    int iteration() const { return iteration_.load(); }
    double ssr() const { return ssr_.load(); }

    // The text of the progress box: "Iteration 12" and, once known, the line
    // "Residual sum of squares: 1.25E-07" (the program's number text).
    std::string text() const;

private:
    std::atomic<int> iteration_{0};
    std::atomic<double> ssr_{std::numeric_limits<double>::quiet_NaN()};
    std::atomic<bool> cancelled_{false};
};
