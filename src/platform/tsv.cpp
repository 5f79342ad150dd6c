#include "platform/tsv.h"

namespace platform {

std::string FormatTsv(const TextTable& table) {
    std::string out;
    for (const auto& row : table) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i) out += '\t';
            const std::string& cell = row[i];
            if (cell.find_first_of("\t\r\n\"") == std::string::npos) {
                out += cell;
                continue;
            }
            out += '"';
            for (char ch : cell) {
                if (ch == '"') out += '"';
                out += ch;
            }
            out += '"';
        }
        out += '\n';
    }
    return out;
}

TextTable ParseTsv(std::string_view text) {
    TextTable table;
    std::vector<std::string> row;
    std::string cell;
    bool rowOpen = false;
    std::size_t i = 0, n = text.size();
    auto endCell = [&] { row.push_back(std::move(cell)); cell.clear(); };
    auto endRow = [&] { endCell(); table.push_back(std::move(row)); row.clear(); rowOpen = false; };
    while (i < n) {
        rowOpen = true;
        // A quote opens a quoted cell only at the start of the cell.
        if (text[i] == '"' && cell.empty()) {
            std::size_t j = i + 1;
            std::string quoted;
            bool closed = false;
            while (j < n) {
                if (text[j] == '"') {
                    if (j + 1 < n && text[j + 1] == '"') { quoted += '"'; j += 2; continue; }
                    closed = true;
                    ++j;
                    break;
                }
                quoted += text[j++];
            }
            if (closed && (j == n || text[j] == '\t' || text[j] == '\n' || text[j] == '\r')) {
                cell = std::move(quoted);
                i = j;
                continue;
            }
            // Not a well-formed quoted cell: take the quote literally.
        }
        char ch = text[i++];
        if (ch == '\t') {
            endCell();
        } else if (ch == '\n' || ch == '\r') {
            if (ch == '\r' && i < n && text[i] == '\n') ++i;
            endRow();
        } else {
            cell += ch;
        }
    }
    if (rowOpen) endRow();
    return table;
}

}  // namespace platform
