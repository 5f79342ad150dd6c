#pragma once
// The data of a fit: the chosen grid columns as loaded by LoadGridData
// (gGridValues), read by the one rule every fitting dialog follows.
#include <string>
#include <vector>

// The grid column (from 1) of a column name chosen in a dialog: the column it
// was listed under while that column still bears the name, else the last
// column of that name; 0 when no column has it.
long FindGridColumn(const std::string& name, long listed);

// A column as a dialog's slot holds it: the name shown and the grid column
// (from 1) it was listed under, 0 when not known.
struct ChosenColumn {
    std::string name;
    long listed = 0;
};

// The grid columns of the chosen ones, in order. Returns "" or the message for
// a name no column bears any longer.
std::string FindGridColumns(const std::vector<ChosenColumn>& chosen, std::vector<long>& columns);

struct FittingData {
    std::vector<std::vector<double>> columns;  // one per chosen column, in the order asked for
    std::vector<long> rows;                    // the grid row of every point
    long count() const { return static_cast<long>(rows.size()); }
};

// Reads the chosen columns (numbers from 1, at least one) over the rows
// 1 .. gGridRowCount: a row whose chosen cells are all empty is left out; a
// row where a chosen cell is empty or not a number while another is filled
// stops the reading. Returns "" with data filled, or the message naming the
// column and the row ("Column Var2, row 9: no number.").
std::string ReadFittingData(const std::vector<long>& columns, FittingData& data);
