#pragma once
// The start values of the fitting options, written once: the globals at start and
// reset, the main window's load step, the solver's options and the options dialog.

inline constexpr long kDefaultNonLinMethod = 2;         // Levenberg-Marquardt
inline constexpr long kDefaultNonLinCurveColor = 255;   // red, &HBBGGRR
inline constexpr long kDefaultMaxIterations = 200;
inline constexpr double kDefaultTolerance = 1e-7;
// The options dialog's start texts of the two values above, as it shows them.
inline constexpr const char* kDefaultMaxIterationsText = "200";
inline constexpr const char* kDefaultToleranceText = "0.0000001";
