#pragma once
// Rounding of the curve fitting results before they are written.

// Rounds to ten decimal places by writing the number with exactly ten decimals
// and reading it back (locale-free). -0 comes back as 0.
double RoundTo10Decimals(double value);
