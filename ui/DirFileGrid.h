// The directory editor's grid (grdFiles): one row per entry with its title, access text and
// file name, over a QStandardItemModel.
//
// - Each row carries as row data (Qt::UserRole of its title cell) the 1-based index of its
//   entry in the directory's DirEntries; the display order is the order written.
// - A row moves by dragging it by its Application Title cell: pressing there selects the
//   row, and releasing over another row moves it to that row's place (rowMoved).
// - The Access Rights cell edits through a drop-down of exactly "R (Read Only)" and
//   "W (Read/Write)", which opens as soon as that cell becomes current. Titles and file
//   names can be typed over (F2, a key, or a double-click on the file name).
// - cellEdited reports a cell whose value a user's edit changed.
#pragma once

#include <QTableView>

class QStandardItemModel;
class QWidget;

namespace hv {

class DirFileGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int kTitleColumn = 0;
    static constexpr int kAccessColumn = 1;
    static constexpr int kFilenameColumn = 2;

    static const QString kReadOnlyText;
    static const QString kReadWriteText;
    static const QString kToolTip;

    // "R (Read Only)" for an access right of exactly "R", "W (Read/Write)" for anything else.
    static QString accessText(const QString &accessRights);
    // "R" for a text beginning with "R", otherwise "W".
    static QString accessRights(const QString &accessText);

    explicit DirFileGrid(QWidget *parent = nullptr);

    QStandardItemModel *gridModel() const { return m_model; }
    int rowCount() const;
    QString text(int row, int column) const;

    // Appends a row for an entry; `found` false colours it red.
    void appendRow(const QString &title, const QString &access, const QString &fileName,
                   int entryIndex, bool found);
    void removeGridRow(int row);
    // Moves a row to the place of another, as a drop does, and makes it current.
    void moveRow(int from, int to);

    int entryIndex(int row) const;
    void setEntryIndex(int row, int index);

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

    QStandardItemModel *m_model;
    int m_dragRow = -1;
    int m_dropRow = -1;
    bool m_dragging = false;
    QPoint m_pressPos;
};

} // namespace hv
