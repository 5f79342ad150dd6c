#include "platform/grid_control.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/cel_format.h"
#include "platform/cell_text.h"
#include "platform/grid_model.h"
#include "platform/msgbox.h"

namespace platform {
namespace {
int toButton(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
}
int toShift(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

// The cell editor takes more than a cell may hold (a line edit would cut the
// text at 32,767 silently), so an overlong text reaches the model's check and
// is refused with a message instead of being cut.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setMaxLength(2 * kMaxCellChars + 2);
        return editor;
    }
};
}  // namespace

GridControl::GridControl(QWidget* parent) : QTableView(parent), model_(new GridModel(this)) {
    setModel(model_);
    setItemDelegate(new CellDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    // Fixed section sizes keep a grid of 65536 rows or columns cheap.
    for (QHeaderView* h : {horizontalHeader(), verticalHeader()}) {
        h->setSectionResizeMode(QHeaderView::Fixed);
        h->setHighlightSections(true);
        h->viewport()->installEventFilter(this);
    }
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultSectionSize(72);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setMinimumWidth(40);
    viewport()->installEventFilter(this);
    QFont f = font();
    f.setPointSizeF(8.25);
    setFont(f);
    setStyleSheet(QStringLiteral("QTableView { gridline-color: #c0c0c0; }"));
    setCurrentIndex(model_->index(0, 0));
    SetUnmodified();
}

GridControl::~GridControl() = default;

SparseGrid& GridControl::Store() { return model_->grid(); }
const SparseGrid& GridControl::Store() const { return model_->grid(); }

long GridControl::Rows() const { return Store().Rows(); }
long GridControl::Cols() const { return Store().Cols(); }

template <class F>
void GridControl::resetKeepingActive(F&& change) {
    const long r = ActiveCellRow(), c = ActiveCellCol();
    model_->reset(std::forward<F>(change));
    SetActiveCell(r, c);
}

void GridControl::SetRows(long rows) {
    resetKeepingActive([rows](SparseGrid& g) { g.SetRows(rows); });
}

void GridControl::SetCols(long cols) {
    resetKeepingActive([cols](SparseGrid& g) { g.SetCols(cols); });
}

std::string GridControl::CellText(long row, long col) const { return Store().Text(row, col); }

void GridControl::SetCellText(long row, long col, const std::string& text) {
    Store().SetText(row, col, text);
    if (row == 0 && col > 0)
        emit model_->headerDataChanged(Qt::Horizontal, static_cast<int>(col - 1), static_cast<int>(col - 1));
    else if (col == 0 && row > 0)
        emit model_->headerDataChanged(Qt::Vertical, static_cast<int>(row - 1), static_cast<int>(row - 1));
    else if (row > 0 && col > 0) {
        QModelIndex i = model_->index(static_cast<int>(row - 1), static_cast<int>(col - 1));
        emit model_->dataChanged(i, i);
    }
}

void GridControl::SetCellAlignment(long row, long col, long alignment) {
    Store().Text(row, col);  // index check
    if (row == 0) model_->setHeaderAlignment(col, alignment);
}

long GridControl::ActiveCellRow() const {
    QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 1;
}

long GridControl::ActiveCellCol() const {
    QModelIndex i = currentIndex();
    return i.isValid() ? i.column() + 1 : 1;
}

void GridControl::SetActiveCell(long row, long col) {
    row = std::clamp(row, 1L, std::max(1L, Rows() - 1));
    col = std::clamp(col, 1L, std::max(1L, Cols() - 1));
    setCurrentIndex(model_->index(static_cast<int>(row - 1), static_cast<int>(col - 1)));
}

long GridControl::ColumnWidth(long col) const {
    if (col == 0) return verticalHeader()->isVisible() ? verticalHeader()->width() : 0;
    return columnWidth(static_cast<int>(col - 1));
}

long GridControl::RowHeight(long row) const {
    if (row == 0) return horizontalHeader()->isVisible() ? horizontalHeader()->height() : 0;
    return rowHeight(static_cast<int>(row - 1));
}

CellRange GridControl::Selection() const {
    const QItemSelection sel = selectionModel()->selection();
    if (sel.isEmpty()) return CellRange{ActiveCellRow(), ActiveCellCol(), ActiveCellRow(), ActiveCellCol()};
    CellRange r{Rows(), Cols(), 0, 0};
    for (const QItemSelectionRange& s : sel) {
        r.row1 = std::min<long>(r.row1, s.top() + 1);
        r.col1 = std::min<long>(r.col1, s.left() + 1);
        r.row2 = std::max<long>(r.row2, s.bottom() + 1);
        r.col2 = std::max<long>(r.col2, s.right() + 1);
    }
    return r;
}

void GridControl::SetSelection(const CellRange& range) {
    long r1 = std::clamp(range.row1, 1L, Rows() - 1), r2 = std::clamp(range.row2, r1, Rows() - 1);
    long c1 = std::clamp(range.col1, 1L, Cols() - 1), c2 = std::clamp(range.col2, c1, Cols() - 1);
    if (Rows() < 2 || Cols() < 2) return;
    QModelIndex tl = model_->index(static_cast<int>(r1 - 1), static_cast<int>(c1 - 1));
    QModelIndex br = model_->index(static_cast<int>(r2 - 1), static_cast<int>(c2 - 1));
    selectionModel()->setCurrentIndex(tl, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(tl, br), QItemSelectionModel::ClearAndSelect);
}

void GridControl::SelectionCopy() { QApplication::clipboard()->setText(QString::fromStdString(Store().CopyText(Selection()))); }

void GridControl::SelectionCut() {
    SelectionCopy();
    SelectionDeleteContents();
}

void GridControl::SelectionPaste() {
    const std::string text = QApplication::clipboard()->text().toStdString();
    if (text.empty()) return;
    const CellRange at = Selection();
    PasteResult result;
    model_->reset([&](SparseGrid& g) { result = g.PasteText(at.row1, at.col1, text); });
    if (result.written.row2 >= result.written.row1) SetSelection(result.written);
    else SetSelection(at);
    const std::string message = PasteMessage(result);
    if (message.empty()) return;
    if (result.refusal.empty()) MsgBox(message, MsgButtons::Ok, MsgIcon::Exclamation, "Note");
    else MsgBox(message, MsgButtons::Ok, MsgIcon::Critical, "Error");
}

void GridControl::SelectionDeleteContents() {
    CellRange r = Selection();
    Store().ClearRange(r);
    if (Rows() < 2 || Cols() < 2) return;
    emit model_->dataChanged(model_->index(static_cast<int>(r.row1 - 1), static_cast<int>(r.col1 - 1)),
                             model_->index(static_cast<int>(r.row2 - 1), static_cast<int>(r.col2 - 1)));
}

void GridControl::SelectionInsertRow() {
    CellRange r = Selection();
    model_->reset([&](SparseGrid& g) { g.InsertRows(r.row1, r.row2 - r.row1 + 1); });
    SetSelection(r);
}

void GridControl::SelectionInsertCol() {
    CellRange r = Selection();
    model_->reset([&](SparseGrid& g) { g.InsertCols(r.col1, r.col2 - r.col1 + 1); });
    SetSelection(r);
}

void GridControl::SelectionDeleteRow() {
    CellRange r = Selection();
    model_->reset([&](SparseGrid& g) { g.DeleteRows(r.row1, r.row2 - r.row1 + 1); });
    SetActiveCell(r.row1, r.col1);
}

void GridControl::SelectionDeleteCol() {
    CellRange r = Selection();
    model_->reset([&](SparseGrid& g) { g.DeleteCols(r.col1, r.col2 - r.col1 + 1); });
    SetActiveCell(r.row1, r.col1);
}

void GridControl::SetAutoRedraw(bool on) {
    setUpdatesEnabled(on);
    if (on) viewport()->update();
}

void GridControl::SetShowRowNumbers(bool on) {
    showRowNumbers_ = on;
    model_->setShowRowNumbers(on);
}

void GridControl::SetShowGridLines(bool on) { setShowGrid(on); }

void GridControl::Clear() { resetKeepingActive([](SparseGrid& g) { g.Clear(); }); }

void GridControl::Refresh() {
    resetKeepingActive([](SparseGrid&) {});
}

bool GridControl::LoadFile(const std::string& path) {
    std::string error;
    // The file is read beside the grid, the window answering between its
    // pieces (user input waits, so nothing can change the grid meanwhile);
    // the grid takes the result at once.
    SparseGrid loaded(1, 1);
    const bool ok = ReadCelFile(path, loaded, error,
                                [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    if (ok) model_->reset([&](SparseGrid& g) { g = std::move(loaded); });
    SetActiveCell(1, 1);
    if (!ok) MsgBox(error, MsgButtons::Ok, MsgIcon::Critical, "Error");
    else SetUnmodified();
    return ok;
}

bool GridControl::SaveFile(const std::string& path) {
    std::string error;
    // The text is made and written in pieces, the window answering between
    // them as it does while a file loads; user input waits, so nothing can
    // change the grid meanwhile.
    if (WriteCelFile(path, Store(), error,
                     [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); })) {
        SetUnmodified();
        return true;
    }
    MsgBox(error, MsgButtons::Ok, MsgIcon::Critical, "Error");
    return false;
}

bool GridControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        auto* me = static_cast<QMouseEvent*>(event);
        if (w == viewport() && me->button() == Qt::RightButton) {
            // A right press makes its cell current (unless it is inside the
            // selection), so the popup's commands act where the user pointed.
            QModelIndex at = indexAt(me->position().toPoint());
            if (at.isValid() && !selectionModel()->isSelected(at)) setCurrentIndex(at);
        }
        if (w) {
            QPoint p = w->mapTo(this, me->position().toPoint()) - QPoint(frameWidth(), frameWidth());
            emit MouseDown(toButton(me->button()), toShift(me->modifiers()), p.x(), p.y());
        }
    }
    return QTableView::eventFilter(watched, event);
}

void GridControl::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) return SelectionCopy();
    if (event->matches(QKeySequence::Cut)) return SelectionCut();
    if (event->matches(QKeySequence::Paste)) return SelectionPaste();
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState)
        return SelectionDeleteContents();
    QTableView::keyPressEvent(event);
}

}  // namespace platform
