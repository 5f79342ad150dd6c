#pragma once
// ParameterEntry: one parameter of a fitting dialog's parameter list as text,
// the name, "(", the starting value as typed, ")", such as b(0.5). The
// parameter dialogs write entries; a fit reads them.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "fitting/solver/nonlinear_fit.h"

std::string MakeParameterEntry(std::string_view name, std::string_view value);

// The reading rule: the name is the first character, the starting value the
// text from the third character, three characters shorter than the entry. An
// entry too short for either gives "" for it.
std::string ParameterEntryName(std::string_view entry);
std::string ParameterEntryValue(std::string_view entry);

// Where a new entry goes in a list kept in ascending order without regard to
// case (ASCII letters only): after the entries that compare equal.
std::size_t SortedEntryPosition(const std::vector<std::string>& list, std::string_view entry);

// The parameter dialogs' duplicate test: the whole name typed equals, exactly,
// the first character of an entry of the list.
bool ParameterNameTaken(const std::vector<std::string>& list, std::string_view name);

// A starting value typed: blanks around it aside, an optional sign, digits
// with "." or "," as the decimal point and an optional exponent (E or e).
// False unless the whole text is such a finite number.
bool ReadStartingValue(std::string_view text, double& value);

// The parameters of a fit from the entries of a dialog's list, in list order.
// Returns "" or the message that refuses them: no entry, more than 20, a name
// that is not one letter a..t, a letter twice (a and A), a starting value that
// is not a number, or letters with a gap (a and c without b): the fitted values
// are reported and written by their place among a, b, c, ...
std::string ReadParameterEntries(const std::vector<std::string>& entries,
                                 std::vector<solver::ParameterStart>& parameters);
