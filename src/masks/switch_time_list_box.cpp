#include "masks/switch_time_list_box.h"
#include "masks/fixed_pitch_font.h"

#include <QFont>
#include <QKeyEvent>
#include <QMouseEvent>

namespace veltrano {

SwitchTimeListModel::SwitchTimeListModel(int rows, QObject* parent)
    : QAbstractListModel(parent), rows_(rows) {}

int SwitchTimeListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant SwitchTimeListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_.size()) return {};
    return rows_[index.row()];
}

void SwitchTimeListModel::SetRows(QVector<QString> rows) {
    rows.resize(rows_.size());
    rows_ = std::move(rows);
    if (!rows_.isEmpty()) emit dataChanged(index(0), index(static_cast<int>(rows_.size()) - 1));
}

void SwitchTimeListModel::SetRow(int row, const QString& text) {
    if (row < 0 || row >= rows_.size()) return;
    rows_[row] = text;
    emit dataChanged(index(row), index(row));
}

QString SwitchTimeListModel::Row(int row) const {
    return row >= 0 && row < rows_.size() ? rows_[row] : QString();
}

SwitchTimeListBox::SwitchTimeListBox(const char* name, int rows, QWidget* parent)
    : QListView(parent), model_(new SwitchTimeListModel(rows, this)) {
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

int SwitchTimeListBox::SelectedRow() const {
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isSelected(current)) return current.row();
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void SwitchTimeListBox::SelectRow(int row) {
    if (row < 0 || row >= RowCount()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = model_->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void SwitchTimeListBox::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(static_cast<int>(event->position().x()));
    QListView::mousePressEvent(event);
}

void SwitchTimeListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    emit MouseDown(static_cast<int>(event->position().x()));
    QListView::mouseDoubleClickEvent(event);
}

void SwitchTimeListBox::keyPressEvent(QKeyEvent* event) {
    const QModelIndex before = currentIndex();
    const int selectedBefore = SelectedRow();
    QListView::keyPressEvent(event);
    const QModelIndex after = currentIndex();
    if (after.isValid() && (after != before || SelectedRow() != selectedBefore))
        emit KeyboardSelected();
}

}  // namespace veltrano
