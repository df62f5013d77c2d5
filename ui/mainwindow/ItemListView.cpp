#include "ui/mainwindow/ItemListView.h"

#include "app/UserSettings.h"
#include "ui/mainwindow/CategoryListModel.h"
#include "ui/mainwindow/ItemListProxy.h"
#include "ui/support/Twips.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListView>
#include <QStackedLayout>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <utility>

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
    return tr("Right Mouse Click Item for Additional Options");
}

ItemListView::ItemListView(QWidget *parent)
    : QWidget(parent), m_model(new CategoryListModel(this)),
      m_proxy(new ItemListProxy(m_model, this)), m_iconView(new QListView(this)),
      m_detailsView(new QTreeView(this)), m_stack(new QStackedLayout(this))
{
    setObjectName(QStringLiteral("lstHVSETUP"));
    setToolTip(toolTipText());
    m_iconView->setObjectName(QStringLiteral("lstHVSETUPIcons"));
    m_detailsView->setObjectName(QStringLiteral("lstHVSETUPDetails"));
    m_iconView->setAccessibleName(tr("Items"));
    m_detailsView->setAccessibleName(tr("Items"));
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_iconView);
    m_stack->addWidget(m_detailsView);

    m_iconView->setModel(m_proxy);
    m_detailsView->setModel(m_proxy);
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
    m_detailsView->setIconSize(QSize(kSmallIcon, kSmallIcon));
    QHeaderView *header = m_detailsView->header();
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A click on a column's title sorts by it, another reverses the order. The header's
    // indicator drives the sort; only a click is stored as the user's choice.
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    connect(header, &QHeaderView::sortIndicatorChanged, m_proxy,
            [this](int column, Qt::SortOrder order) { m_proxy->sort(column, order); });
    connect(header, &QHeaderView::sectionClicked, this, &ItemListView::onSortClicked);
    // A column the user drags to a width keeps it; a double-click on its edge gives it back
    // to the automatic sizing.
    header->viewport()->installEventFilter(this);
    connect(header, &QHeaderView::sectionResized, this,
            [this](int column, int, int newSize) { onSectionResized(column, newSize); });
    connect(header, &QHeaderView::sectionHandleDoubleClicked, this,
            &ItemListView::forgetColumnWidth);

    setViewMode(ViewDetails);
}

void ItemListView::setCategoryList(const CategoryList &list)
{
    m_category = list.category;
    const auto mode = list.category == Category::Applications ||
                              list.category == Category::Popups ||
                              list.category == Category::Directories
                          ? QAbstractItemView::ExtendedSelection
                          : QAbstractItemView::SingleSelection;
    m_iconView->setSelectionMode(mode);
    m_detailsView->setSelectionMode(mode);
    m_model->setList(list);
    applyStoredSort();
    if (m_mode != 3)
        configureIconView(m_mode);
    selectRow(list.selectedRow);
    Q_EMIT shownRowsChanged();
}

void ItemListView::applyStoredSort()
{
    const bool files = m_model->columnCount() > 1;
    m_detailsView->header()->setSectionsClickable(files);
    if (files && !m_sorts.contains(int(m_category)))
        m_sorts.insert(int(m_category), ReadListSort(m_category));
    const ListSortSetting sort = files ? m_sorts.value(int(m_category)) : ListSortSetting{};
    const int column = sort.column < m_model->columnCount() ? sort.column : -1;
    m_detailsView->header()->setSortIndicator(column, sort.descending ? Qt::DescendingOrder
                                                                      : Qt::AscendingOrder);
    // The indicator may have stood there already, with no signal: the proxy sorts anyway.
    if (m_proxy->sortColumn() != column ||
        m_proxy->sortOrder() != m_detailsView->header()->sortIndicatorOrder())
        m_proxy->sort(column, m_detailsView->header()->sortIndicatorOrder());
}

void ItemListView::onSortClicked()
{
    const QHeaderView *header = m_detailsView->header();
    const ListSortSetting sort{header->sortIndicatorSection(),
                               header->sortIndicatorOrder() == Qt::DescendingOrder};
    m_sorts.insert(int(m_category), sort);
    WriteListSort(m_category, sort);
    const QModelIndex current = m_selection->currentIndex();
    if (current.isValid())
        currentView()->scrollTo(current);
}

bool ItemListView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_detailsView->header()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_headerPressed = true;
            m_userResized = false;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_headerPressed = false;
            if (std::exchange(m_userResized, false))
                storeUserWidths();
        }
    }
    return QWidget::eventFilter(watched, event);
}

QList<int> &ItemListView::userWidths()
{
    const auto found = m_userWidths.find(int(m_category));
    if (found != m_userWidths.end())
        return *found;
    QList<int> widths;
    const double perPixel = twips::perPixelX(this);
    for (const int stored : ReadListColumnWidths(m_category))
        widths.append(stored > 0 ? std::max(1, int(std::lround(stored / perPixel))) : 0);
    return *m_userWidths.insert(int(m_category), widths);
}

void ItemListView::onSectionResized(int column, int newSize)
{
    // Only a drag on the header is the user's: fills and automatic sizing also resize.
    if (!m_headerPressed || m_model->columnCount() < 2)
        return;
    QList<int> &widths = userWidths();
    if (widths.size() <= column)
        widths.resize(column + 1, 0);
    widths[column] = newSize;
    m_userResized = true;
}

void ItemListView::forgetColumnWidth(int column)
{
    // The double-click's own resizing is not the user's width.
    m_detailsView->resizeColumnToContents(column);
    QList<int> &widths = userWidths();
    if (column < widths.size())
        widths[column] = 0;
    m_userResized = false;
    storeUserWidths();
}

void ItemListView::storeUserWidths()
{
    const double perPixel = twips::perPixelX(this);
    QList<int> stored;
    for (const int width : userWidths())
        stored.append(width > 0 ? int(std::lround(width * perPixel)) : 0);
    WriteListColumnWidths(m_category, stored);
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
    const QList<int> widths = m_model->columnCount() > 1 ? userWidths() : QList<int>();
    for (int column = 0; column < m_model->columnCount(); ++column) {
        if (widths.value(column) > 0)
            m_detailsView->header()->resizeSection(column, widths.at(column));
        else
            m_detailsView->resizeColumnToContents(column);
    }
}

int ItemListView::selectedRow() const
{
    const QModelIndexList rows = m_selection->selectedRows();
    return rows.isEmpty() ? -1 : rowOf(rows.first());
}

QString ItemListView::selectedKey() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : m_model->index(row, 0).data(CategoryListModel::KeyRole).toString();
}

QList<int> ItemListView::selectedRows() const
{
    QModelIndexList shown = m_selection->selectedRows();
    std::sort(shown.begin(), shown.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QList<int> rows;
    rows.reserve(shown.size());
    for (const QModelIndex &index : std::as_const(shown))
        rows.append(rowOf(index));
    return rows;
}

bool ItemListView::isRowSelected(int row) const
{
    const QModelIndex index = viewIndex(row);
    return index.isValid() && m_selection->isRowSelected(index.row(), index.parent());
}

bool ItemListView::allowsSeveral() const
{
    return m_detailsView->selectionMode() == QAbstractItemView::ExtendedSelection;
}

void ItemListView::selectRow(int row)
{
    const QModelIndex index = viewIndex(row);
    if (!index.isValid()) {
        m_selection->clear();
        return;
    }
    m_selection->setCurrentIndex(index,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    currentView()->scrollTo(index);
}

QModelIndex ItemListView::viewIndex(int row) const
{
    if (row < 0 || row >= m_model->rowCount())
        return {};
    return m_proxy->mapFromSource(m_model->index(row, 0));
}

int ItemListView::rowOf(const QModelIndex &viewIndex) const
{
    if (!viewIndex.isValid() || viewIndex.model() != m_proxy)
        return -1;
    return m_proxy->mapToSource(viewIndex).row();
}

void ItemListView::setFilterText(const QString &text)
{
    if (text == m_proxy->filterText())
        return;
    m_proxy->setFilterText(text);
    Q_EMIT shownRowsChanged();
}

ShownCounts ItemListView::shownCounts() const
{
    ShownCounts counts;
    const QList<ListRow> &rows = m_model->list().rows;
    const bool templates = m_category == Category::Applications || m_category == Category::Popups;
    for (int viewRow = 0; viewRow < m_proxy->rowCount(); ++viewRow) {
        const int row = m_proxy->mapToSource(m_proxy->index(viewRow, 0)).row();
        if (row < 0 || m_proxy->isPinnedRow(row))
            continue;
        ++counts.items;
        if (templates)
            counts.records += rows.at(row).subItems.value(1).toLongLong();
    }
    return counts;
}

void ItemListView::enterFromFilter()
{
    // The create-new row stays selected only when no item is shown.
    const int selected = selectedRow();
    if (selected < 0 || m_proxy->isPinnedRow(selected)) {
        for (int viewRow = 0; viewRow < m_proxy->rowCount(); ++viewRow) {
            const int row = rowOf(m_proxy->index(viewRow, 0));
            if (!m_proxy->isPinnedRow(row)) {
                selectRow(row);
                break;
            }
        }
        if (selectedRow() < 0)
            selectRow(rowOf(m_proxy->index(0, 0)));
    }
    currentView()->setFocus(Qt::TabFocusReason);
}

} // namespace hv
