#pragma once
// A model typed in the formula language, compiled for a test; a syntax error fails the test.
#include <string>

#include <gtest/gtest.h>

#include "formula/compiler.h"

inline formula::Program compileModel(const std::string& text) {
    formula::CompileResult err;
    formula::Program p = formula::compileFormula(text, err);
    EXPECT_EQ(err.position, 0) << text << ": " << err.message;
    return p;
}
