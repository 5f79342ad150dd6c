#include "graph/function_options.h"

#include "app/globals.h"

long FunctionGraphOptions::StepT() const { return gAnimStepCount; }
