// A list box of a fixed number of text rows in a fixed-pitch font (the
// switching-time lists, the masks' 32-row summary lists): a list view over
// a plain list of texts. Regenerating rows costs one model notification, not
// one relayout per row, and keeps the selected row. The user can move the
// selection but never clear it (Qt would on a ctrl-click).
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QString>
#include <QVector>
#include <string>
#include <vector>

namespace veltrano {

// The rows of a list from its UTF-8 lines.
QVector<QString> ToRows(const std::vector<std::string>& lines);

class FixedRowListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    FixedRowListModel(int rows, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Replaces every row; the row count stays as it is.
    void SetRows(QVector<QString> rows);
    // Rows first, first + 1, ... := rows; rows beyond the last stay out.
    void SetRowRange(int first, const QVector<QString>& rows);
    void SetRow(int row, const QString& text);
    QString Row(int row) const;

  private:
    QVector<QString> rows_;
};

class FixedRowListBox : public QListView {
    Q_OBJECT

  public:
    FixedRowListBox(const char* name, int rows, QWidget* parent);

    int RowCount() const { return model_->rowCount(); }
    QString RowText(int row) const { return model_->Row(row); }
    void SetRows(QVector<QString> rows) { model_->SetRows(std::move(rows)); }
    void SetRowRange(int first, const QVector<QString>& rows) { model_->SetRowRange(first, rows); }
    void SetRow(int row, const QString& text) { model_->SetRow(row, text); }

    // The selected row, or -1 when none is.
    int SelectedRow() const;
    // Selects a row and scrolls it into view; -1 leaves no row selected.
    void SelectRow(int row);

  signals:
    // A mouse press (single or double) at x pixels from the list's left edge.
    void MouseDown(int x);
    // The keyboard moved the selection to another row.
    void KeyboardSelected();

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    FixedRowListModel* model_;
};

}  // namespace veltrano
