#include "ui/ItemListView.h"

#include "ui/CategoryListModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListView>
#include <QStackedLayout>
#include <QTreeView>

#include <algorithm>

namespace hv {

namespace {

// Small icons, list and details show 16-pixel pictures; large icons 32-pixel ones.
constexpr int kSmallIcon = 16;
constexpr int kLargeIcon = 32;
// Width of a large-icon cell, and the most a small-icon or list column may take.
constexpr int kLargeCellWidth = 112;
constexpr int kMaxColumnWidth = 320;
// Rows measured to find the widest text; later rows are elided when wider.
constexpr int kMeasuredRows = 2000;

void prepareView(QAbstractItemView *view)
{
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setDragEnabled(false);
    view->setToolTip(ItemListView::toolTipText());
    view->viewport()->setToolTip(ItemListView::toolTipText());
}

} // namespace

QString ItemListView::toolTipText()
{
    return QStringLiteral("Right Mouse Click Item for Additional Options");
}

ItemListView::ItemListView(QWidget *parent)
    : QWidget(parent), m_model(new CategoryListModel(this)), m_iconView(new QListView(this)),
      m_detailsView(new QTreeView(this)), m_stack(new QStackedLayout(this))
{
    setObjectName(QStringLiteral("lstHVSETUP"));
    setToolTip(toolTipText());
    m_iconView->setObjectName(QStringLiteral("lstHVSETUPIcons"));
    m_detailsView->setObjectName(QStringLiteral("lstHVSETUPDetails"));
    m_iconView->setAccessibleName(QStringLiteral("Items"));
    m_detailsView->setAccessibleName(QStringLiteral("Items"));
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_iconView);
    m_stack->addWidget(m_detailsView);

    m_iconView->setModel(m_model);
    m_detailsView->setModel(m_model);
    // One selection for both views, so the selected row survives a change of view mode.
    m_selection = m_detailsView->selectionModel();
    QItemSelectionModel *iconSelection = m_iconView->selectionModel();
    m_iconView->setSelectionModel(m_selection);
    delete iconSelection;

    prepareView(m_iconView);
    prepareView(m_detailsView);
    m_iconView->setMovement(QListView::Static);
    m_iconView->setResizeMode(QListView::Adjust);
    m_iconView->setLayoutMode(QListView::Batched);
    m_iconView->setBatchSize(500);

    m_detailsView->setRootIsDecorated(false);
    m_detailsView->setItemsExpandable(false);
    m_detailsView->setUniformRowHeights(true);
    m_detailsView->setAllColumnsShowFocus(true);
    m_detailsView->setSortingEnabled(false);
    m_detailsView->setIconSize(QSize(kSmallIcon, kSmallIcon));
    m_detailsView->header()->setSectionsMovable(false);
    m_detailsView->header()->setStretchLastSection(false);
    m_detailsView->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    setViewMode(ViewDetails);
}

void ItemListView::setCategoryList(const CategoryList &list)
{
    m_model->setList(list);
    if (m_mode != 3)
        configureIconView(m_mode);
    selectRow(list.selectedRow);
}

QAbstractItemView *ItemListView::currentView() const
{
    return m_mode == ViewDetails ? static_cast<QAbstractItemView *>(m_detailsView)
                                 : static_cast<QAbstractItemView *>(m_iconView);
}

void ItemListView::setViewMode(int mode)
{
    mode = std::clamp<int>(mode, ViewLargeIcons, ViewDetails);
    m_mode = mode;
    if (mode == ViewDetails) {
        m_stack->setCurrentWidget(m_detailsView);
    } else {
        configureIconView(mode);
        m_stack->setCurrentWidget(m_iconView);
    }
    setFocusProxy(currentView());
    const QModelIndex current = m_selection->currentIndex();
    if (current.isValid())
        currentView()->scrollTo(current);
}

int ItemListView::widestText() const
{
    const QFontMetrics metrics = m_iconView->fontMetrics();
    int widest = 0;
    const int rows = std::min(m_model->rowCount(), kMeasuredRows);
    for (int row = 0; row < rows; ++row)
        widest = std::max(widest, metrics.horizontalAdvance(m_model->list().rows.at(row).text));
    return widest;
}

void ItemListView::configureIconView(int mode)
{
    const int lineHeight = m_iconView->fontMetrics().height();
    if (mode == 0) {
        // Large icons: pictures in rows, each name below its picture in up to two lines.
        m_iconView->setViewMode(QListView::IconMode);
        m_iconView->setFlow(QListView::LeftToRight);
        m_iconView->setWrapping(true);
        m_iconView->setWordWrap(true);
        m_iconView->setIconSize(QSize(kLargeIcon, kLargeIcon));
        m_iconView->setGridSize(QSize(kLargeCellWidth, kLargeIcon + 2 * lineHeight + 14));
        m_iconView->setTextElideMode(Qt::ElideRight);
        return;
    }
    // Small icons (rows filled left to right) and list (columns filled top to bottom): a
    // small picture with the name beside it, in cells as wide as the widest name.
    m_iconView->setViewMode(QListView::ListMode);
    m_iconView->setFlow(mode == 1 ? QListView::LeftToRight : QListView::TopToBottom);
    m_iconView->setWrapping(true);
    m_iconView->setWordWrap(false);
    m_iconView->setIconSize(QSize(kSmallIcon, kSmallIcon));
    m_iconView->setTextElideMode(Qt::ElideRight);
    const int cellWidth = std::min(kMaxColumnWidth, kSmallIcon + widestText() + 24);
    m_iconView->setGridSize(QSize(cellWidth, std::max(lineHeight, kSmallIcon) + 6));
}

void ItemListView::AutoSizeColumns()
{
    for (int column = 0; column < m_model->columnCount(); ++column)
        m_detailsView->resizeColumnToContents(column);
}

int ItemListView::selectedRow() const
{
    const QModelIndexList rows = m_selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString ItemListView::selectedKey() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : m_model->index(row, 0).data(CategoryListModel::KeyRole).toString();
}

void ItemListView::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_selection->clear();
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    m_selection->setCurrentIndex(index,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    currentView()->scrollTo(index);
}

} // namespace hv
