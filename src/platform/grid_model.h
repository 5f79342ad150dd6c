#pragma once
// GridModel: the Qt table model over a SparseGrid. Model row i, column j show
// grid cell (i + 1, j + 1); grid row 0 is the horizontal header (names) and
// grid column 0 the vertical header (row numbers).
#include <QAbstractTableModel>

#include "platform/sparse_grid.h"

namespace platform {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    SparseGrid& grid() { return grid_; }
    const SparseGrid& grid() const { return grid_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setShowRowNumbers(bool on);
    void setHeaderAlignment(long col, long alignment);
    // Runs a change of the whole grid between a model reset's begin and end.
    template <class F>
    void reset(F&& change) {
        beginResetModel();
        change(grid_);
        endResetModel();
    }

private:
    SparseGrid grid_;
    bool showRowNumbers_ = true;
    std::unordered_map<long, long> headerAlignment_;
};

}  // namespace platform
