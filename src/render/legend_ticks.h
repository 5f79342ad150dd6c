#pragma once
// The numbers of a colour legend: a "nice" step of 0.2, 0.5 or 1 times a power
// of ten over a span, the ticks of a range, and the text of a tick label.
// Plain C++; the contour tracer takes its automatic level step from here too.
#include <string>

// Ticks first, first + step, .. first + count * step; count -1 when there are none.
struct LegendTicks {
    double step = 0, first = 0, last = 0;
    long count = -1;
};

// The step for a span: with e the whole part below ln(span) / ln(10) (the
// natural-log ratio, so a span of 1000 gives e 2) and r = span / 10^e, e is
// moved until r lies in 1..10; then 0.2 x 10^e for r below 2, 0.5 x 10^e
// below 5, else 10^e. 0 for a span that is not positive and finite.
double LegendStep(double span);

// x itself when it lies less than 1e-7 above a whole number, else the next
// whole number up.
double CeilTolerant(double x);

// The ticks of min..max. A span of 0 sets min to 0 (the caller's variable) and
// works on max alone. The last tick is the largest multiple of the step not
// above max, counting a quotient a hair below a whole number as that number.
LegendTicks ComputeLegendTicks(double& min, double max);

// The fewest decimals, 0..4, that put 10^d x v within 0.00001 of a whole number.
int LabelDecimals(double v);

// v with LabelDecimals(v) decimals: "." as the separator, no grouping, a
// leading zero, "-" for negatives and never "-0".
std::string LegendLabel(double v);
