#include "fitting/common/fitting_data.h"

#include <algorithm>

#include "state/globals.h"

namespace {

const std::string& columnName(long column) { return gGridColumnNames.at(static_cast<std::size_t>(column)); }

}  // namespace

long FindGridColumn(const std::string& name, long listed) {
    const long count = std::min(gGridColumnCount, static_cast<long>(gGridColumnNames.size()) - 1);
    if (listed >= 1 && listed <= count && columnName(listed) == name) return listed;
    long found = 0;
    for (long i = 1; i <= count; ++i)
        if (columnName(i) == name) found = i;
    return found;
}

std::string FindGridColumns(const std::vector<ChosenColumn>& chosen, std::vector<long>& columns) {
    std::vector<long> found;
    for (const ChosenColumn& c : chosen) {
        found.push_back(FindGridColumn(c.name, c.listed));
        if (found.back() == 0) return "The column \"" + c.name + "\" is not in the data.";
    }
    columns = std::move(found);
    return {};
}

std::string ReadFittingData(const std::vector<long>& columns, FittingData& data) {
    FittingData read;
    read.columns.resize(columns.size());
    for (long row = 1; row <= gGridRowCount; ++row) {
        const bool filled = std::any_of(columns.begin(), columns.end(),
                                        [row](long c) { return gGridValues.cell(c, row) != GridCell::Empty; });
        if (!filled) continue;
        for (std::size_t k = 0; k < columns.size(); ++k) {
            if (gGridValues.cell(columns[k], row) != GridCell::Number) {
                const std::string& name = columnName(columns[k]);
                return "Column " + (name.empty() ? std::to_string(columns[k]) : name) + ", row " +
                       std::to_string(row) + ": no number.";
            }
            read.columns[k].push_back(gGridValues.at(columns[k], row));
        }
        read.rows.push_back(row);
    }
    data = std::move(read);
    return {};
}
