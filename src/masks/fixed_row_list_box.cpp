#include "masks/fixed_row_list_box.h"
#include "masks/fixed_pitch_font.h"

#include <QFont>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace veltrano {

QVector<QString> ToRows(const std::vector<std::string>& lines) {
    QVector<QString> rows;
    rows.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        rows.push_back(QString::fromStdString(line));
    return rows;
}

FixedRowListModel::FixedRowListModel(int rows, QObject* parent)
    : QAbstractListModel(parent), rows_(rows) {}

int FixedRowListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant FixedRowListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_.size()) return {};
    return rows_[index.row()];
}

void FixedRowListModel::SetRows(QVector<QString> rows) {
    rows.resize(rows_.size());
    // Only the rows that changed are repainted (a received block changes one).
    int first = 0;
    int last = static_cast<int>(rows_.size()) - 1;
    while (first <= last && rows[first] == rows_[first])
        ++first;
    while (last >= first && rows[last] == rows_[last])
        --last;
    rows_ = std::move(rows);
    if (first <= last) emit dataChanged(index(first), index(last));
}

void FixedRowListModel::SetRowRange(int first, const QVector<QString>& rows) {
    const int last =
        std::min(first + static_cast<int>(rows.size()), static_cast<int>(rows_.size())) - 1;
    if (first < 0 || last < first) return;
    for (int row = first; row <= last; ++row)
        rows_[row] = rows[row - first];
    emit dataChanged(index(first), index(last));
}

void FixedRowListModel::SetRow(int row, const QString& text) {
    if (row < 0 || row >= rows_.size()) return;
    rows_[row] = text;
    emit dataChanged(index(row), index(row));
}

QString FixedRowListModel::Row(int row) const {
    return row >= 0 && row < rows_.size() ? rows_[row] : QString();
}

FixedRowListBox::FixedRowListBox(const char* name, int rows, QWidget* parent)
    : QListView(parent), model_(new FixedRowListModel(rows, this)) {
    setObjectName(name);
    setFont(FixedPitchListFont());
    setModel(model_);
    setUniformItemSizes(true);
    // A line wider than the list is cut at the edge, not shortened with "...".
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

int FixedRowListBox::SelectedRow() const {
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isSelected(current)) return current.row();
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void FixedRowListBox::SelectRow(int row) {
    if (row < 0 || row >= RowCount()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = model_->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

QItemSelectionModel::SelectionFlags FixedRowListBox::selectionCommand(const QModelIndex& index,
                                                                      const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags flags = QListView::selectionCommand(index, event);
    // A ctrl-click (or ctrl-space) on the selected row would clear the selection.
    if (flags.testFlag(QItemSelectionModel::Deselect) ||
        flags.testFlag(QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return flags;
}

void FixedRowListBox::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(static_cast<int>(event->position().x()));
    QListView::mousePressEvent(event);
}

void FixedRowListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    emit MouseDown(static_cast<int>(event->position().x()));
    QListView::mouseDoubleClickEvent(event);
}

void FixedRowListBox::keyPressEvent(QKeyEvent* event) {
    const QModelIndex before = currentIndex();
    const int selectedBefore = SelectedRow();
    QListView::keyPressEvent(event);
    const QModelIndex after = currentIndex();
    if (after.isValid() && (after != before || SelectedRow() != selectedBefore))
        emit KeyboardSelected();
}

}  // namespace veltrano
