#include "graph/function_options.h"

#include "state/globals.h"

long FunctionGraphOptions::StepT() const { return gAnimStepCount; }
