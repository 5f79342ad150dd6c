#pragma once
// The ten two-parameter curve models: each made linear by a transform of x, y
// or both, with its data check, report label, graph title and curve colour.
#include <string>

inline constexpr int kCurveModelCount = 10;

struct CurveModel {
    const char* caption;      // the check box caption
    const char* reportLabel;  // 22 characters: label, colon, blanks
    const char* graphTitle;
    long colour;              // &HBBGGRR
};

// Model by number 1 .. 10 (table order, the order of a run); another number
// throws std::out_of_range.
const CurveModel& curveModel(int number);

// Applies the model's data check to one point and, when it passes, writes the
// transformed point. Returns the check's message when the point fails, else
// nullptr. Linear has no check.
const char* TransformCurvePoint(int number, double x, double y, double& xt, double& yt);

// The model text from the rounded a and b; a negative b is written "+(" B ")".
std::string CurveModelText(int number, double a, double b);
