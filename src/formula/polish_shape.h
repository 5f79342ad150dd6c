#pragma once
// The limits of the symbolic routines (token lists, printing, derivatives) and
// the one walk that checks a token list against them and finds its operands.
//
// Every routine that walks a list works with explicit stacks, never recursion,
// so no input can exhaust the call stack; the limits bound time and memory:
// what passes them is converted, differentiated and printed in well under a
// second.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formula/polish.h"

namespace formula {

inline constexpr std::size_t kMaxFormulaLength = 100000;      // characters of a formula text
inline constexpr long kMaxFormulaDepth = 10000;               // levels of a formula's tree
inline constexpr std::size_t kMaxPolishTokens = 1000000;      // tokens of any list, a derivative included
inline constexpr std::size_t kMaxPrintedLength = 32000000;    // characters of a printed formula
static_assert(kMaxPolishTokens < (1u << 31) && kMaxPrintedLength < (1u << 31));

// The refusals when a limit is passed.
std::string formulaTooLongMessage();   // a formula text
std::string formulaTooDeepMessage();   // a tree deeper than kMaxFormulaDepth
std::string formulaTooLargeMessage();  // a list, or a derivative, of more tokens
std::string printedTooLongMessage();   // the text a list would print as

// A list's items are malformed: a rank outside 1..5, an operator without its
// operands, or more than one formula left at the end.
inline constexpr const char* kIllegalExpression = "Expression is illegal.";

// What the walk finds out about a well-formed list.
struct PolishShape {
    // start[i]: the index of the first item of the operand (subtree) that
    // ends at item i. An operand's item i has start[i] == i; a function's
    // argument ends at i - 1; a binary operator's right operand ends at
    // i - 1 and its left operand at start[i - 1] - 1.
    std::vector<std::int32_t> start;
    long depth = 0;  // levels of the tree: 1 for a single operand
};

// Checks that `list` is one well-formed postfix formula (ranks 1 to 5 only;
// every operator and function finds its operands; one formula at the end)
// within kMaxPolishTokens and kMaxFormulaDepth. False, with the refusal in
// errorText, when it is not; an empty list is malformed.
bool analysePolish(const clsPolish& list, PolishShape& shape, std::string& errorText);

}  // namespace formula
