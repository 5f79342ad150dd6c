#include "nist_file.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace nist {

namespace {

// The models with b1.. as a.., ** as ^ and pi as a literal of full precision.
const std::map<std::string, std::string>& formulas() {
    static const std::map<std::string, std::string> f = {
        {"BoxBOD", "a*(1-exp(-b*x))"},
        {"Chwirut2", "exp(-a*x)/(b+c*x)"},
        {"DanWood", "a*x^b"},
        {"Eckerle4", "(a/b)*exp(-0.5*((x-c)/b)^2)"},
        {"Gauss1", "a*exp(-b*x) + c*exp(-(x-d)^2/e^2) + f*exp(-(x-g)^2/h^2)"},
        {"Hahn1", "(a+b*x+c*x^2+d*x^3)/(1+e*x+f*x^2+g*x^3)"},
        {"Kirby2", "(a + b*x + c*x^2)/(1 + d*x + e*x^2)"},
        {"Lanczos1", "a*exp(-b*x) + c*exp(-d*x) + e*exp(-f*x)"},
        {"Lanczos3", "a*exp(-b*x) + c*exp(-d*x) + e*exp(-f*x)"},
        {"MGH09", "a*(x^2+x*b)/(x^2+x*c+d)"},
        {"MGH17", "a + b*exp(-x*d) + c*exp(-x*e)"},
        {"Misra1a", "a*(1-exp(-b*x))"},
        {"Misra1c", "a*(1-(1+2*b*x)^(-0.5))"},
        {"Rat42", "a/(1+exp(b-c*x))"},
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
    bool inData = false;
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> t = tokens(line);
        if (t.empty()) continue;
        if (inData) {
            if (t.size() != 2) bad(path, lineNo, "expected two numbers");
            p.y.push_back(number(t[0], path, lineNo));
            p.x.push_back(number(t[1], path, lineNo));
            continue;
        }
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
        } else if (t[0] == "Degrees") {
            p.dof = static_cast<int>(number(t.back(), path, lineNo));
        } else if (t[0] == "Data:" && t.size() == 3 && t[1] == "y" && t[2] == "x") {
            inData = true;
        }
    }
    if (p.certified.empty() || p.x.empty()) bad(path, lineNo, "no parameters or no data");
    if (static_cast<int>(p.x.size()) - static_cast<int>(p.certified.size()) != p.dof)
        bad(path, lineNo, "the degrees of freedom do not match the data");
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
