#pragma once
// The fitted values as the result procedures of every fitting dialog take
// them, and the two procedures that present them: the model with the values
// written in, and one report line per parameter.
#include <functional>
#include <string>
#include <vector>

#include "state/bounded_array.h"

// FittedParameters: a two-dimensional array of Doubles with declared bounds;
// the value of parameter k (a = 1 .. t = 20) is the element (1, k). Reading
// an element outside the bounds throws std::out_of_range.
class FittedParameters {
public:
    FittedParameters(Bound rows, Bound columns);
    // One row, (1, 1) .. (1, n), holding values[k - 1] at (1, k).
    static FittedParameters Row(const std::vector<double>& values);

    double& at(long row, long column);
    double at(long row, long column) const;

private:
    std::size_t offset(long row, long column) const;
    Bound rows_, columns_;
    std::vector<double> values_;
};

// Writes the model with the fitted values in place of the parameter letters
// into result: the values of a to the n-th letter from (1, 1) .. (1, n), the
// letters after it 0. n outside 1 .. 20 leaves result as it was, as does a
// missing element (every one is read before anything is written). The text is
// formula text (formula::substituteParameters): "." as the decimal point, no
// exponent form, a value that would run into a neighbour bracketed.
void ApplyFittedParameters(const std::string& model, std::string& result, long n, const FittedParameters& values);

// One report line: TAB, the letter, TAB, the value's number text, CR LF.
std::string ParameterReportLine(long k, double value);

// Appends ParameterReportLine(k, value (1, k)) for k = 1 .. n, one call of
// append per line; n outside 1 .. 20 appends nothing. A missing element throws
// after the lines before it were appended.
void ReportFittedParameters(long n, const FittedParameters& values,
                            const std::function<void(const std::string&)>& append);
