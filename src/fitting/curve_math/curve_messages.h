#pragma once
// Message texts of the curve fitting dialog and run.

inline constexpr const char* kMsgSelectVariables = "Please select variables first.";
inline constexpr const char* kMsgTooFewPoints = "The number of data points must be >=3.";
inline constexpr const char* kMsgXEqualZero = "At lease one of independent variable values is equal to 0.";
inline constexpr const char* kMsgYEqualZero = "At lease one of dependent variable values is equal to 0.";
inline constexpr const char* kMsgXNotPositive = "At lease one of independent variable values is <= 0.";
inline constexpr const char* kMsgYNotPositive = "At lease one of dependent variable values is <= 0.";
inline constexpr const char* kMsgXYNotPositive = "At lease one of variable values is <= 0.";
inline constexpr const char* kMsgXNegative = "At lease one of independent variable values is < 0.";
inline constexpr const char* kMsgYNegative = "At lease one of dependent variable values is < 0.";
inline constexpr const char* kMsgXYNegative = "At lease one of variable values is < 0.";
