// The directory editor's grid (grdFiles): one row per entry with its title, access text and
// file name, over the DirEntriesModel of the directory being edited.
//
// - A row moves by dragging it by its Application Title cell: pressing there selects the
//   row, and releasing over another row moves it to that row's place through the model's
//   moveRows (rowMoved).
// - The Access Rights cell edits through a drop-down of exactly "R (Read Only)" and
//   "W (Read/Write)", which opens as soon as that cell becomes current. Titles and file
//   names can be typed over (F2, a key, or a double-click on the file name).
// - cellEdited reports a cell whose value a user's edit changed.
#pragma once

#include "ui/direditor/DirEntriesModel.h"

#include <QTableView>

class QWidget;

namespace hv {

class DirFileGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int kTitleColumn = DirEntriesModel::kTitleColumn;
    static constexpr int kAccessColumn = DirEntriesModel::kAccessColumn;
    static constexpr int kFilenameColumn = DirEntriesModel::kFilenameColumn;

    explicit DirFileGrid(DirEntriesModel *model, QWidget *parent = nullptr);

    DirEntriesModel *gridModel() const { return m_model; }
    int rowCount() const;
    QString text(int row, int column) const;

    // Moves a row to the place of another, as a drop does, and makes it current.
    void moveRow(int from, int to);

    // White for a row whose template was found, red otherwise.
    void setRowFound(int row, bool found);
    QColor rowColour(int row) const;

    // Columns sized to their contents; the last one stretches to the grid's right edge.
    void sizeColumns();

    // The row being dragged, -1 when none.
    int dragRow() const { return m_dragRow; }

Q_SIGNALS:
    void rowMoved(int from, int to);
    void cellEdited(int row, int column);
    void currentCellChanged(int row, int column);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The row a drop at viewport position `y` lands on.
    int dropRowAt(int y) const;
    void endDrag();

    DirEntriesModel *m_model;
    int m_dragRow = -1;
    int m_dropRow = -1;
    bool m_dragging = false;
    QPoint m_pressPos;
};

} // namespace hv
