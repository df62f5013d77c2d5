// The item list's model: the columns and rows of one category as the list engine made them.
// Every view mode of the item list shows this one model.
#pragma once

#include "lists/ListRows.h"

#include <QAbstractTableModel>
#include <QIcon>

namespace hv {

class CategoryListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The row's key ("NEW", a file name, "UNITS", ...).
    static constexpr int KeyRole = Qt::UserRole + 1;
    // The row's icon number (1 an item, 2 the create-new or a settings row).
    static constexpr int IconNumberRole = Qt::UserRole + 2;

    explicit CategoryListModel(QObject *parent = nullptr);

    // Replaces the whole contents.
    void setList(const CategoryList &list);

    // Rows show no icon until showIcons(): looking icons up in the icon themes the first time
    // reads the themes' indexes, which a window's first paint need not wait for.
    void holdIcons() { m_iconsHeld = true; }
    void showIcons();
    const CategoryList &list() const { return m_list; }

    // The row whose key is `key` (exact), or -1.
    int rowOfKey(const QString &key) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QString cellText(const ListRow &row, int column) const;

    CategoryList m_list;
    QIcon m_itemIcon;
    QIcon m_newIcon;
    bool m_iconsHeld = false;
};

} // namespace hv
