#include "fitting/polynomial_math/polynomial_models.h"

#include <stdexcept>

#include "formula/substitution.h"

namespace {

const PolynomialModel kModels[kPolynomialModels] = {
    {"Unary Linear Model", "y=b0+b1*x"},
    {"Unary Quadratic Model", "y=b0+b1*x+b2*x^2"},
    {"Unary Cubic Model", "y=b0+b1*x+b2*x^2+b3*x^3"},
    {"Binary Linear Model", "z=b0+b1*x+b2*y"},
    {"Binary Quadratic Model", "z=b0+b1*x+b2*y+b3*x*y+b4*x^2+b5*y^2"},
    {"Binary Cubic Model", "z=b0+b1*x+b2*y+b3*x*y+b4*x^2+b5*y^2+b6*x*y^2+b7*x^2*y+b8*x^3+b9*y^3"},
    {"Trinary Linear Model", "v=b0+b1*x+b2*y+b3*z"},
    {"Trinary Quadratic Model", "v=b0+b1*x+b2*y+b3*z+b4*x*y+b5*x*z+b6*y*z+b7*x^2+b8*y^2+b9*z^2"},
    {"Trinary Cubic Model",
     "v=b0+b1*x+b2*y+b3*z+b4*x*y+b5*x*z+b6*y*z+b7*x^2+b8*y^2+b9*z^2+b10*x^2*y+b11*x^2*z+b12*x*y^2+b13*y^2*z+"
     "b14*x*z^2+b15*y*z^2+b16*x^3+b17*y^3+b18*z^3"},
};

}  // namespace

const PolynomialModel& polynomialModel(int number) {
    if (number < 1 || number > kPolynomialModels) throw std::out_of_range("Subscript out of range");
    return kModels[number - 1];
}

std::string FittedPolynomialText(int number, const std::vector<double>& coefficients) {
    // b0 .. b18 become the parameter letters A .. S, which the substitution
    // writes in with the brackets a value needs to read back the same.
    const std::string text = polynomialModel(number).text;
    std::string lettered;
    formula::ParamValues values{};
    for (std::size_t i = text.find('=') + 1; i < text.size(); ++i) {
        if (text[i] != 'b') {
            lettered += text[i];
            continue;
        }
        std::size_t k = 0;
        while (i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9') k = k * 10 + (text[++i] - '0');
        values.at(k) = coefficients.at(k);
        lettered += static_cast<char>('A' + k);
    }
    return formula::substituteParameters(lettered, values);
}
