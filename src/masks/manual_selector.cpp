#include "masks/manual_selector.h"

#include <QKeyEvent>
#include <QSignalBlocker>

namespace veltrano {

ManualSelector::ManualSelector(const char* name, QWidget* parent) : QListWidget(parent) {
    setObjectName(name);
    // Up arrow, stop, down arrow.
    addItems(
        {QString::fromUtf8("\u25B2"), QString::fromUtf8("\u25A0"), QString::fromUtf8("\u25BC")});
    for (int row = 0; row < count(); ++row)
        item(row)->setTextAlignment(Qt::AlignCenter);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { Report(index.row()); });
    // The release after a double-click reports no click: the double-click
    // itself is the second one.
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { Report(index.row()); });
}

void ManualSelector::SetRow(int row) {
    const QSignalBlocker blocker(this);
    setCurrentRow(row);
}

void ManualSelector::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before) Report(currentRow());
}

}  // namespace veltrano
