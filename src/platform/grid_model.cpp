#include "platform/grid_model.h"

#include <QTimer>

#include "platform/cell_text.h"
#include "platform/msgbox.h"

namespace platform {

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(grid_.Rows() - 1);
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(grid_.Cols() - 1);
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const std::string& t = grid_.Text(index.row() + 1, index.column() + 1);
    if (t.empty()) return role == Qt::EditRole ? QVariant(QString()) : QVariant();
    return QString::fromStdString(t);
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const long row = index.row() + 1, col = index.column() + 1;
    std::string text = value.toString().toStdString();
    if (const CellTextFault fault = CheckCellText(text); fault != CellTextFault::None) {
        // Told once the editor has closed: a box inside its commit would
        // take its focus while it is still being closed.
        QTimer::singleShot(0, this, [row, col, fault] {
            MsgBox(CellTextMessage(fault, row, col) + " The cell keeps its text.", MsgButtons::Ok, MsgIcon::Critical,
                   "Error");
        });
        return false;
    }
    grid_.SetText(row, col, std::move(text));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    long s = section + 1;
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole) return QString::fromStdString(grid_.Text(0, s));
        if (role == Qt::TextAlignmentRole) {
            auto it = headerAlignment_.find(s);
            // Setting 10 centres the name; the rest stay at the left.
            bool centre = it != headerAlignment_.end() && it->second == 10;
            return QVariant::fromValue(centre ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
        }
        return {};
    }
    if (role != Qt::DisplayRole || !showRowNumbers_) return {};
    const std::string& own = grid_.Text(s, 0);
    return own.empty() ? QVariant(QString::number(s)) : QVariant(QString::fromStdString(own));
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void GridModel::setShowRowNumbers(bool on) {
    showRowNumbers_ = on;
    if (grid_.Rows() > 1) emit headerDataChanged(Qt::Vertical, 0, static_cast<int>(grid_.Rows() - 2));
}

void GridModel::setHeaderAlignment(long col, long alignment) {
    headerAlignment_[col] = alignment;
    if (col >= 1 && col < grid_.Cols()) emit headerDataChanged(Qt::Horizontal, static_cast<int>(col - 1), static_cast<int>(col - 1));
}

}  // namespace platform
