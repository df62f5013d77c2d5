#include "ui/mainwindow/CategoryListModel.h"

#include "ui/support/Icons.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace hv {

namespace {

// The list engine's own texts, which it writes in English for the command-line tool too: the
// column titles and the create-new and settings rows.
constexpr const char *kEngineTexts[] = {
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Application Title"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Popup Title"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Directory Title"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Filename"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Records"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Entries"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Date/Time"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Settings"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Create New Application"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Create New Popup"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Create New DIR File"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Edit Units of Measure"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Edit Rules Settings"),
    QT_TRANSLATE_NOOP("hv::CategoryListModel", "Edit Security Settings"),
};

// `text` in the user's language when it is one of the engine's texts, else as it is.
QString shownEngineText(const QString &text)
{
    const QByteArray source = text.toLatin1();
    const auto known = std::find_if(std::begin(kEngineTexts), std::end(kEngineTexts),
                                    [&](const char *each) { return source == each; });
    return known == std::end(kEngineTexts)
               ? text
               : QCoreApplication::translate("hv::CategoryListModel", *known);
}

} // namespace

CategoryListModel::CategoryListModel(QObject *parent) : QAbstractTableModel(parent) {}

void CategoryListModel::setList(const CategoryList &list)
{
    beginResetModel();
    m_list = list;
    // The engine's texts are shown in the user's language; an item's title is shown as the
    // item has it, even where it reads like one of them.
    for (ListColumn &column : m_list.columns)
        column.title = shownEngineText(column.title);
    for (ListRow &row : m_list.rows)
        if (row.icon == kIconNew)
            row.text = shownEngineText(row.text);
    // One icon object per kind of row: thousands of rows share them.
    m_itemIcon = m_iconsHeld ? QIcon() : icons::listRow(list.category, kIconItem);
    m_newIcon = m_iconsHeld ? QIcon() : icons::listRow(list.category, kIconNew);
    endResetModel();
}

void CategoryListModel::showIcons()
{
    if (!m_iconsHeld)
        return;
    m_iconsHeld = false;
    m_itemIcon = icons::listRow(m_list.category, kIconItem);
    m_newIcon = icons::listRow(m_list.category, kIconNew);
    if (!m_list.rows.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

int CategoryListModel::rowOfKey(const QString &key) const
{
    for (int row = 0; row < m_list.rows.size(); ++row) {
        if (m_list.rows.at(row).key == key)
            return row;
    }
    return -1;
}

int CategoryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_list.rows.size());
}

int CategoryListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_list.columns.size());
}

QString CategoryListModel::cellText(const ListRow &row, int column) const
{
    if (column == 0)
        return row.text;
    const int sub = column - 1;
    return sub < row.subItems.size() ? row.subItems.at(sub) : QString();
}

QVariant CategoryListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ListRow &row = m_list.rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return cellText(row, index.column());
    case Qt::DecorationRole:
        if (index.column() == 0)
            return row.icon == kIconNew ? m_newIcon : m_itemIcon;
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() < m_list.columns.size() && m_list.columns.at(index.column()).alignRight)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    case KeyRole:
        return row.key;
    case IconNumberRole:
        return row.icon;
    default:
        return {};
    }
}

QVariant CategoryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_list.columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const ListColumn &column = m_list.columns.at(section);
    if (role == Qt::DisplayRole)
        return column.title;
    if (role == Qt::TextAlignmentRole && column.alignRight)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

Qt::ItemFlags CategoryListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace hv
