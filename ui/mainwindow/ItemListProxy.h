// The item list's order and filter, between its model (CategoryListModel) and its views.
//
// Sorting by a column: titles and file names in natural order ("Line 2" before "Line 10",
// letter case aside), record and entry counts as numbers, dates as dates; rows equal there
// follow their titles. Each column's order is worked out once per fill, with one collator,
// the first time the list is sorted by it; later sorts and filters compare integers. No
// sort column (-1) is the model's own order.
//
// The filter keeps the rows whose title or file name contains the filter text, letter case
// and accents aside. The rows are folded for it once per fill, at the first filter.
//
// The create-new row (and a settings row) is no item: it stays on top in either order and is
// never filtered out.
#pragma once

#include <QList>
#include <QSortFilterProxyModel>
#include <QString>

#include <optional>

namespace hv {

class CategoryListModel;

class ItemListProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ItemListProxy(CategoryListModel *source, QObject *parent = nullptr);

    // `text` without accents and letter case, as the filter compares it.
    static QString folded(const QString &text);

    // Shows only the rows matching `text` (all of them when it is empty).
    void setFilterText(const QString &text);
    const QString &filterText() const { return m_filterText; }

    // Whether the source row is the create-new or a settings row rather than an item.
    bool isPinnedRow(int sourceRow) const;

    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    enum class ColumnKind { Text, Number, Date };

    ColumnKind kindOf(int column) const;
    // The sort key of every source row for `column`, worked out on first use after a fill.
    const QList<qint64> &sortKeys(int column) const;
    QList<qint64> textRanks(int column) const;
    const QStringList &haystacks() const;
    void dropCaches();

    CategoryListModel *m_source;
    QString m_filterText;
    QString m_foldedFilter;
    mutable QList<std::optional<QList<qint64>>> m_sortKeys; // per column
    mutable std::optional<QStringList> m_haystacks;         // per row: title '\n' file name
};

} // namespace hv
