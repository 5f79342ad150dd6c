#pragma once
// GridControl: the data grid widget (the main window's Grid1), a table view
// over a SparseGrid. Row 0 shows as the column header (the variable names),
// column 0 as the row header (the row numbers); data cells are (1.., 1..).
#include <QTableView>
#include <string>

#include "platform/sparse_grid.h"

namespace platform {

class GridModel;

class GridControl : public QTableView {
    Q_OBJECT
public:
    explicit GridControl(QWidget* parent = nullptr);
    ~GridControl() override;

    // Row and column counts, row 0 and column 0 included (1..65536 each).
    long Rows() const;
    long Cols() const;
    void SetRows(long rows);
    void SetCols(long cols);

    // Cell text (UTF-8), "" when empty; (0, c) is the name of column c.
    // Indexes outside the grid throw std::out_of_range("Subscript out of range").
    std::string CellText(long row, long col) const;
    void SetCellText(long row, long col, const std::string& text);
    // Display setting of a cell; on the header row 10 centres the name.
    void SetCellAlignment(long row, long col, long alignment);

    // The active (current) cell; (1, 1) when none is current.
    long ActiveCellRow() const;
    long ActiveCellCol() const;
    void SetActiveCell(long row, long col);

    // Width of a column and height of a row in pixels, the units of
    // MouseDown; column 0 is the row-number header, row 0 the name header.
    long ColumnWidth(long col) const;
    long RowHeight(long row) const;

    // The selected rectangle of data cells (the active cell when nothing is
    // selected), and the operations on it.
    CellRange Selection() const;
    void SetSelection(const CellRange& range);
    void SelectionCopy();            // tab-separated text to the clipboard
    void SelectionCut();             // copy, then empty the cells
    void SelectionPaste();           // tab-separated text from the clipboard
    void SelectionDeleteContents();
    void SelectionInsertRow();       // empty rows before the selection
    void SelectionInsertCol();       // empty, unnamed columns before it
    void SelectionDeleteRow();
    void SelectionDeleteCol();

    // Redraw switch: no repainting while false.
    void SetAutoRedraw(bool on);
    // The two display switches: row numbers in column 0, and grid lines.
    void SetShowRowNumbers(bool on);
    void SetShowGridLines(bool on);
    bool ShowRowNumbers() const { return showRowNumbers_; }
    bool ShowGridLines() const { return showGrid(); }

    void Clear();                    // empties every cell, names included
    void Refresh();                  // shows changed cells

    // *.cel files. A file that cannot be read or written gets a message box
    // naming it and the result false; a failed load leaves the grid unchanged.
    bool LoadFile(const std::string& path);
    bool SaveFile(const std::string& path);

    // True when cells or the size changed since the grid was last loaded,
    // saved or marked unmodified (New Data marks it after clearing).
    bool Modified() const { return Store().Stamp() != savedStamp_; }
    void SetUnmodified() { savedStamp_ = Store().Stamp(); }

    // The cells themselves, for the grid loader and for bulk work. Call
    // Refresh() after changing them directly.
    SparseGrid& Store();
    const SparseGrid& Store() const;

signals:
    // A mouse press over the grid: button 1 left, 2 right, 4 middle; shift
    // 1 Shift, 2 Ctrl, 4 Alt; x, y in pixels from the grid's top-left corner
    // (the row-number column and the name row included).
    void MouseDown(int button, int shift, int x, int y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    template <class F>
    void resetKeepingActive(F&& change);

    GridModel* model_;
    bool showRowNumbers_ = true;
    std::uint64_t savedStamp_ = 0;
};

}  // namespace platform
