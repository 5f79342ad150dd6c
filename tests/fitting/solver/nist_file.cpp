#include "nist_file.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace nist {

namespace {

// The models with b1.. as a.., ** as ^, x1 and x2 as x and y, and pi as the language's pi
// (ENSO) or as a literal of full precision (Roszman1), which is the same Double. Nelson's
// model is that of log[y]: the reader takes the log of its response.
const std::map<std::string, std::string>& formulas() {
    // Three families share a model over different data.
    static const std::string chwirut = "exp(-a*x)/(b+c*x)";
    static const std::string gauss = "a*exp(-b*x) + c*exp(-(x-d)^2/e^2) + f*exp(-(x-g)^2/h^2)";
    static const std::string lanczos = "a*exp(-b*x) + c*exp(-d*x) + e*exp(-f*x)";
    static const std::map<std::string, std::string> f = {
        {"Bennett5", "a*(b+x)^(-1/c)"},
        {"BoxBOD", "a*(1-exp(-b*x))"},
        {"Chwirut1", chwirut},
        {"Chwirut2", chwirut},
        {"DanWood", "a*x^b"},
        {"ENSO", "a + b*cos(2*pi*x/12) + c*sin(2*pi*x/12) + e*cos(2*pi*x/d) + f*sin(2*pi*x/d)"
                 " + h*cos(2*pi*x/g) + i*sin(2*pi*x/g)"},
        {"Eckerle4", "(a/b)*exp(-0.5*((x-c)/b)^2)"},
        {"Gauss1", gauss},
        {"Gauss2", gauss},
        {"Gauss3", gauss},
        {"Hahn1", "(a+b*x+c*x^2+d*x^3)/(1+e*x+f*x^2+g*x^3)"},
        {"Kirby2", "(a + b*x + c*x^2)/(1 + d*x + e*x^2)"},
        {"Lanczos1", lanczos},
        {"Lanczos2", lanczos},
        {"Lanczos3", lanczos},
        {"MGH09", "a*(x^2+x*b)/(x^2+x*c+d)"},
        {"MGH10", "a*exp(b/(x+c))"},
        {"MGH17", "a + b*exp(-x*d) + c*exp(-x*e)"},
        {"Misra1a", "a*(1-exp(-b*x))"},
        {"Misra1b", "a*(1-(1+b*x/2)^(-2))"},
        {"Misra1c", "a*(1-(1+2*b*x)^(-0.5))"},
        {"Misra1d", "a*b*x*((1+b*x)^(-1))"},
        {"Nelson", "a - b*x*exp(-c*y)"},
        {"Rat42", "a/(1+exp(b-c*x))"},
        {"Rat43", "a/((1+exp(b-c*x))^(1/d))"},
        {"Roszman1", "a - b*x - atan(c/(x-d))/3.14159265358979324"},
        {"Thurber", "(a + b*x + c*x^2 + d*x^3)/(1 + e*x + f*x^2 + g*x^3)"},
    };
    return f;
}

[[noreturn]] void bad(const std::string& path, int line, const std::string& what) {
    throw std::runtime_error(path + ":" + std::to_string(line) + ": " + what);
}

double number(const std::string& token, const std::string& path, int line) {
    char* end = nullptr;
    const double v = std::strtod(token.c_str(), &end);
    if (end == token.c_str() || *end != '\0') bad(path, line, "not a number: " + token);
    return v;
}

std::vector<std::string> tokens(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> t;
    for (std::string w; in >> w;) t.push_back(w);
    return t;
}

bool startsWith(const std::string& s, const std::string& p) { return s.compare(0, p.size(), p) == 0; }

}  // namespace

Problem readProblem(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    Problem p;
    const std::size_t slash = path.find_last_of('/');
    p.name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    p.name = p.name.substr(0, p.name.find('.'));
    std::size_t columns = 0;  // of the data, once its heading is read: y and one or two predictors
    bool logResponse = false;
    int observations = -1;
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> t = tokens(line);
        if (t.empty()) continue;
        if (columns > 0) {
            if (t.size() != columns) bad(path, lineNo, "expected " + std::to_string(columns) + " numbers");
            const double y = number(t[0], path, lineNo);
            if (logResponse && !(y > 0)) bad(path, lineNo, "the model takes the log of y, which is not positive");
            p.y.push_back(logResponse ? std::log(y) : y);
            p.x.push_back(number(t[1], path, lineNo));
            if (columns == 3) p.x2.push_back(number(t[2], path, lineNo));
            continue;
        }
        if (t[0] == "log[y]" && t.size() > 1 && t[1] == "=") logResponse = true;
        if (line.find("Lower Level of Difficulty") != std::string::npos) p.level = Level::Lower;
        if (line.find("Average Level of Difficulty") != std::string::npos) p.level = Level::Average;
        if (line.find("Higher Level of Difficulty") != std::string::npos) p.level = Level::Higher;
        if (t.size() == 6 && t[0].size() >= 2 && t[0][0] == 'b' && t[1] == "=") {
            p.start1.push_back(number(t[2], path, lineNo));
            p.start2.push_back(number(t[3], path, lineNo));
            p.certified.push_back(number(t[4], path, lineNo));
            p.certifiedSd.push_back(number(t[5], path, lineNo));
        } else if (startsWith(t[0], "Residual") && t.size() >= 5 && t[1] == "Sum") {
            p.rss = number(t.back(), path, lineNo);
        } else if (startsWith(t[0], "Residual") && t[1] == "Standard") {
            p.rsd = number(t.back(), path, lineNo);
        } else if (t[0] == "Number" && t.size() == 4 && t[2] == "Observations:") {
            observations = static_cast<int>(number(t.back(), path, lineNo));
        } else if (t[0] == "Data:" && t.size() >= 3 && t[1] == "y") {
            const std::vector<std::string> rest(t.begin() + 2, t.end());
            if (rest == std::vector<std::string>{"x"}) columns = 2;
            if (rest == std::vector<std::string>{"x1", "x2"}) columns = 3;
        }
    }
    if (p.certified.empty() || p.x.empty()) bad(path, lineNo, "no parameters or no data");
    if (static_cast<int>(p.x.size()) != observations)
        bad(path, lineNo, "the data do not have the stated number of observations");
    // Counted rather than read: Rat43 states 9 degrees of freedom for 15 observations and 4
    // parameters, while its certified residual standard deviation divides by 11.
    p.dof = observations - static_cast<int>(p.certified.size());
    const auto f = formulas().find(p.name);
    if (f == formulas().end()) bad(path, lineNo, "no model known for " + p.name);
    p.formula = f->second;
    return p;
}

const std::vector<std::string>& problemNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const auto& [name, formula] : formulas()) n.push_back(name);
        return n;
    }();
    return names;
}

std::string dataDirectory() { return TRELVANE_SOURCE_DIR "/tests/data/nist-nls"; }

double lre(double value, double certified) {
    if (value == certified) return 15;
    const double rel = certified != 0 ? std::abs(value - certified) / std::abs(certified) : std::abs(value);
    return std::min(15.0, -std::log10(rel));
}

}  // namespace nist
