#pragma once
// Reader of the certified nonlinear-regression reference files (tests/data/nist-nls) and
// the table of their models typed in the formula language.
#include <string>
#include <vector>

namespace nist {

enum class Level { Lower, Average, Higher };

struct Problem {
    std::string name;
    Level level = Level::Lower;
    std::vector<double> start1, start2;
    std::vector<double> certified, certifiedSd;
    double rss = 0, rsd = 0;
    int dof = 0;  // observations less parameters
    std::vector<double> x, y;
    std::vector<double> x2;  // a second predictor (typed y in the model), or empty
    std::string formula;     // the model in the formula language, parameters a, b, ...
};

// Reads a file; throws std::runtime_error naming the file and line when it is not as expected.
// y is the response as the model fits it: its logarithm where the model is log[y] (Nelson).
Problem readProblem(const std::string& path);

// The problems shipped, by name, and their directory.
const std::vector<std::string>& problemNames();
std::string dataDirectory();  // TRELVANE_SOURCE_DIR "/tests/data/nist-nls"

// Log relative error: the number of correct significant digits of value against certified.
double lre(double value, double certified);

}  // namespace nist
