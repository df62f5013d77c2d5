#include "ui/mainwindow/ItemListProxy.h"

#include "lists/ListRows.h"
#include "ui/mainwindow/CategoryListModel.h"
#include "ui/support/NaturalOrder.h"

#include <QCollator>
#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <limits>
#include <numeric>

namespace hv {

namespace {

// A date the column shows ("yyyy-MM-dd hh:mm", as the list engine writes it) in minutes
// since the start of the Julian calendar; the lowest key for an empty or unreadable one.
qint64 dateKey(const QString &text)
{
    const QStringView view(text);
    const auto number = [&view](qsizetype from, qsizetype length) {
        bool ok = false;
        const int value = view.mid(from, length).toInt(&ok);
        return ok ? value : -1;
    };
    // The engine's form, read by hand: a fill has thousands of them.
    if (view.size() == 16 && view.at(4) == u'-' && view.at(7) == u'-' && view.at(10) == u' ' &&
        view.at(13) == u':') {
        const QDate date(number(0, 4), number(5, 2), number(8, 2));
        const int hour = number(11, 2);
        const int minute = number(14, 2);
        if (date.isValid() && hour >= 0 && hour < 24 && minute >= 0 && minute < 60)
            return date.toJulianDay() * 1440 + hour * 60 + minute;
    }
    const QDateTime when = QDateTime::fromString(text, Qt::ISODate);
    if (!when.isValid())
        return std::numeric_limits<qint64>::min();
    return when.date().toJulianDay() * 1440 + when.time().hour() * 60 + when.time().minute();
}

QString cellText(const ListRow &row, int column)
{
    return column == 0 ? row.text : row.subItems.value(column - 1);
}

} // namespace

ItemListProxy::ItemListProxy(CategoryListModel *source, QObject *parent)
    : QSortFilterProxyModel(parent), m_source(source)
{
    setSourceModel(source);
    // The caches belong to one fill: they go before the views ask for the new rows.
    connect(source, &QAbstractItemModel::modelAboutToBeReset, this, &ItemListProxy::dropCaches);
}

QString ItemListProxy::folded(const QString &text)
{
    const bool ascii =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii)
        return text.toLower();
    // Compatibility decomposition splits a letter from its accents (and "ﬁ" into "fi"); the
    // accents, combining marks, are then left out.
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString kept;
    kept.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            break;
        default:
            kept.append(c);
        }
    }
    return kept.toCaseFolded();
}

void ItemListProxy::setFilterText(const QString &text)
{
    if (text == m_filterText)
        return;
    m_filterText = text;
    m_foldedFilter = folded(text);
    invalidateFilter();
}

bool ItemListProxy::isPinnedRow(int sourceRow) const
{
    const QList<ListRow> &rows = m_source->list().rows;
    return sourceRow >= 0 && sourceRow < rows.size() && rows.at(sourceRow).icon == kIconNew;
}

QVariant ItemListProxy::headerData(int section, Qt::Orientation orientation, int role) const
{
    // A first click on a column sorts it ascending.
    if (role == Qt::InitialSortOrderRole && orientation == Qt::Horizontal)
        return int(Qt::AscendingOrder);
    return QSortFilterProxyModel::headerData(section, orientation, role);
}

bool ItemListProxy::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_foldedFilter.isEmpty() || isPinnedRow(sourceRow))
        return true;
    return haystacks().value(sourceRow).contains(m_foldedFilter);
}

bool ItemListProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const int a = left.row();
    const int b = right.row();
    const bool pinnedA = isPinnedRow(a);
    const bool pinnedB = isPinnedRow(b);
    // A descending sort asks whether the right row is less than the left one.
    if (pinnedA != pinnedB)
        return sortOrder() == Qt::AscendingOrder ? pinnedA : pinnedB;
    const int column = left.column();
    qint64 keyA = sortKeys(column).value(a);
    qint64 keyB = sortKeys(column).value(b);
    if (keyA != keyB)
        return keyA < keyB;
    // Rows equal in the column are in natural order of their titles, in either direction.
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    if (column != 0) {
        keyA = sortKeys(0).value(a);
        keyB = sortKeys(0).value(b);
        if (keyA != keyB)
            return ascending ? keyA < keyB : keyB < keyA;
    }
    return ascending ? a < b : b < a;
}

ItemListProxy::ColumnKind ItemListProxy::kindOf(int column) const
{
    const CategoryList &list = m_source->list();
    if (column < list.columns.size() && list.columns.at(column).alignRight)
        return ColumnKind::Number;
    const bool templates =
        list.category == Category::Applications || list.category == Category::Popups;
    return templates && column == 3 ? ColumnKind::Date : ColumnKind::Text;
}

const QList<qint64> &ItemListProxy::sortKeys(int column) const
{
    const qsizetype columns = std::max<qsizetype>(m_source->list().columns.size(), column + 1);
    if (m_sortKeys.size() < columns)
        m_sortKeys.resize(columns);
    std::optional<QList<qint64>> &keys = m_sortKeys[column];
    if (keys)
        return *keys;
    const QList<ListRow> &rows = m_source->list().rows;
    switch (kindOf(column)) {
    case ColumnKind::Text:
        keys = textRanks(column);
        break;
    case ColumnKind::Number:
        keys.emplace();
        keys->reserve(rows.size());
        for (const ListRow &row : rows)
            keys->append(cellText(row, column).toLongLong());
        break;
    case ColumnKind::Date:
        keys.emplace();
        keys->reserve(rows.size());
        for (const ListRow &row : rows)
            keys->append(dateKey(cellText(row, column)));
        break;
    }
    return *keys;
}

QList<qint64> ItemListProxy::textRanks(int column) const
{
    const QList<ListRow> &rows = m_source->list().rows;
    QStringList texts;
    texts.reserve(rows.size());
    for (const ListRow &row : rows)
        texts.append(cellText(row, column));
    QList<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    const QCollator collator = naturalCollator();
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return collator.compare(texts.at(a), texts.at(b)) < 0; });
    // Texts the collator holds equal share a rank.
    QList<qint64> ranks(rows.size());
    qint64 rank = 0;
    for (qsizetype i = 0; i < order.size(); ++i) {
        if (i > 0 && collator.compare(texts.at(order.at(i - 1)), texts.at(order.at(i))) != 0)
            ++rank;
        ranks[order.at(i)] = rank;
    }
    return ranks;
}

const QStringList &ItemListProxy::haystacks() const
{
    if (m_haystacks)
        return *m_haystacks;
    const QList<ListRow> &rows = m_source->list().rows;
    // The file categories show the file name in their second column.
    const bool fileNames = m_source->list().columns.size() > 1;
    m_haystacks.emplace();
    m_haystacks->reserve(rows.size());
    for (const ListRow &row : rows) {
        QString haystack = folded(row.text);
        if (fileNames && !row.subItems.isEmpty())
            haystack += u'\n' + folded(row.subItems.first());
        m_haystacks->append(haystack);
    }
    return *m_haystacks;
}

void ItemListProxy::dropCaches()
{
    m_sortKeys.clear();
    m_haystacks.reset();
}

} // namespace hv
