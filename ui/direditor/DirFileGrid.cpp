#include "ui/direditor/DirFileGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace hv {

namespace {

// Edits the access cell through its drop-down and the other cells as text; reports the
// cells whose value an edit changed.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(DirFileGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        if (index.column() != DirFileGrid::kAccessColumn)
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto *combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("cboAccess"));
        combo->addItems({DirEntriesModel::readOnlyText(), DirEntriesModel::readWriteText()});
        auto *self = const_cast<CellDelegate *>(this);
        // A choice from the list is the edit: it is written at once.
        connect(combo, &QComboBox::activated, self, [self, combo] {
            Q_EMIT self->commitData(combo);
            Q_EMIT self->closeEditor(combo);
        });
        // The list drops down as soon as the cell becomes current.
        QMetaObject::invokeMethod(
            combo,
            [combo] {
                if (combo->isVisible())
                    combo->showPopup();
            },
            Qt::QueuedConnection);
        return combo;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            const QString rights = DirEntriesModel::accessRights(index.data().toString());
            combo->setCurrentIndex(rights == QStringLiteral("R") ? 0 : 1);
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        const QString before = index.data().toString();
        if (auto *combo = qobject_cast<QComboBox *>(editor))
            model->setData(index, combo->currentText());
        else
            QStyledItemDelegate::setModelData(editor, model, index);
        if (index.data().toString() != before)
            Q_EMIT m_grid->cellEdited(index.row(), index.column());
    }

private:
    DirFileGrid *m_grid;
};

} // namespace

DirFileGrid::DirFileGrid(DirEntriesModel *model, QWidget *parent)
    : QTableView(parent), m_model(model)
{
    setObjectName(QStringLiteral("grdFiles"));
    setModel(m_model);
    setItemDelegate(new CellDelegate(this));
    const QString hint = tr("Note: You can drag/drop files to reorder them");
    setToolTip(hint);
    viewport()->setToolTip(hint);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

int DirFileGrid::rowCount() const
{
    return m_model->rowCount();
}

QString DirFileGrid::text(int row, int column) const
{
    return m_model->index(row, column).data().toString();
}

void DirFileGrid::moveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= rowCount() || to >= rowCount())
        return;
    // The model inserts before its destination row: moving down, that is the row after.
    if (!m_model->moveRow({}, from, {}, to > from ? to + 1 : to))
        return;
    setCurrentIndex(m_model->index(to, kTitleColumn));
    Q_EMIT rowMoved(from, to);
}

void DirFileGrid::setRowFound(int row, bool found)
{
    m_model->setFound(row, found);
}

QColor DirFileGrid::rowColour(int row) const
{
    const QVariant background = m_model->index(row, kTitleColumn).data(Qt::BackgroundRole);
    return background.isValid() ? background.value<QBrush>().color()
                                : palette().color(QPalette::Base);
}

void DirFileGrid::sizeColumns()
{
    resizeColumnsToContents();
    // Sizing to contents sizes the last column too; it stretches to the right edge again.
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setStretchLastSection(true);
}

void DirFileGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    Q_EMIT currentCellChanged(current.row(), current.column());
    if (current.isValid() && current.column() == kAccessColumn && m_dragRow < 0)
        edit(current);
}

void DirFileGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && index.column() == kTitleColumn) {
        // A press on a title selects its row and may start a row drag.
        m_dragRow = index.row();
        m_dropRow = m_dragRow;
        m_dragging = false;
        m_pressPos = event->position().toPoint();
    }
    QTableView::mousePressEvent(event);
}

void DirFileGrid::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragRow < 0 || !(event->buttons() & Qt::LeftButton)) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (!m_dragging && (pos - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!m_dragging) {
        m_dragging = true;
        viewport()->setCursor(Qt::ClosedHandCursor);
    }
    // Near the top or bottom edge the grid scrolls, so a row can go anywhere.
    const int margin = qMax(8, rowHeight(0) / 2);
    if (pos.y() < margin)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    else if (pos.y() > viewport()->height() - margin)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
    m_dropRow = dropRowAt(pos.y());
    viewport()->update();
}

void DirFileGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const bool drop = m_dragging && event->button() == Qt::LeftButton;
    const int from = m_dragRow;
    const int to = drop ? dropRowAt(event->position().toPoint().y()) : -1;
    endDrag();
    QTableView::mouseReleaseEvent(event);
    if (drop && to >= 0 && to != from)
        moveRow(from, to);
}

void DirFileGrid::endDrag()
{
    if (m_dragging)
        viewport()->unsetCursor();
    m_dragRow = -1;
    m_dropRow = -1;
    m_dragging = false;
    viewport()->update();
}

int DirFileGrid::dropRowAt(int y) const
{
    if (rowCount() == 0)
        return -1;
    const int row = rowAt(y);
    if (row >= 0)
        return row;
    // Above the first or below the last visible row.
    return y < 0 ? qMax(0, rowAt(0)) : rowCount() - 1;
}

void DirFileGrid::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    if (!m_dragging || m_dropRow < 0 || m_dropRow == m_dragRow)
        return;
    // A line where the dragged row will go: above the target when moving up, below it
    // when moving down.
    const int top = rowViewportPosition(m_dropRow);
    const int y = m_dropRow < m_dragRow ? top : top + rowHeight(m_dropRow) - 1;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawLine(0, y, viewport()->width(), y);
}

} // namespace hv
