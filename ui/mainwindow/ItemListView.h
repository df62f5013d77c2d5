// The item list (lstHVSETUP): the rows of the selected category in one of four view modes,
// all over one model. Large icons, small icons and list are a QListView in its icon and
// list modes; details is a QTreeView with the category's columns. Both views share the model
// and the selection, so switching modes keeps the selected row.
//
// The views show the model through ItemListProxy: sorted by the column header the user
// clicked (remembered per category, as are the column widths the user dragged) and narrowed
// by the filter text. Rows in this interface are the model's rows; viewIndex() and rowOf()
// translate to and from the views' indexes.
#pragma once

#include "app/UserSettings.h"
#include "lists/ListRows.h"
#include "lists/ViewMode.h"

#include <QHash>
#include <QList>
#include <QWidget>

class QAbstractItemView;
class QItemSelectionModel;
class QListView;
class QStackedLayout;
class QTreeView;

namespace hv {

class CategoryListModel;
class ItemListProxy;

// The items the list shows (the create-new and settings rows aside) and their records.
struct ShownCounts {
    int items = 0;
    qint64 records = 0;
};

class ItemListView : public QWidget {
    Q_OBJECT
public:
    // The list's tooltip.
    static QString toolTipText();

    explicit ItemListView(QWidget *parent = nullptr);

    // Shows a filled list: replaces the rows and columns and selects the list's selected row
    // (none when it is negative or out of range). The file categories let several rows be
    // selected at once; the settings categories one.
    void setCategoryList(const CategoryList &list);

    // The view mode: 0 large icons, 1 small icons, 2 list, 3 details.
    void setViewMode(int mode);
    int viewMode() const { return m_mode; }

    // Sizes every column of the details view that the user has not sized to the wider of its
    // longest text and its title; a column the user sized gets the width the user gave it.
    void AutoSizeColumns();

    // The selected row (-1 when none) and its key.
    int selectedRow() const;
    QString selectedKey() const;
    // Every selected row, in the order the list shows them.
    QList<int> selectedRows() const;
    bool isRowSelected(int row) const;
    // Whether the category shown lets several rows be selected.
    bool allowsSeveral() const;
    // Selects a row; none when it is out of range or filtered out.
    void selectRow(int row);

    // The views' index of a row (invalid when the filter hides it), and the row of a views'
    // index (-1 for an invalid one).
    QModelIndex viewIndex(int row) const;
    int rowOf(const QModelIndex &viewIndex) const;

    // Shows only the rows whose title or file name contains `text`, letter case and accents
    // aside; the create-new row stays.
    void setFilterText(const QString &text);
    ShownCounts shownCounts() const;
    // Moves the keyboard focus into the list, keeping a selected row that is shown, else
    // selecting the first item shown (the create-new row when there is none).
    void enterFromFilter();

    CategoryListModel *model() const { return m_model; }
    ItemListProxy *proxy() const { return m_proxy; }
    QListView *iconView() const { return m_iconView; }
    QTreeView *detailsView() const { return m_detailsView; }
    // The view that shows the current mode.
    QAbstractItemView *currentView() const;

Q_SIGNALS:
    // The rows shown changed: a new list, or another filter.
    void shownRowsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void configureIconView(int mode);
    int widestText() const;
    void applyStoredSort();
    void onSortClicked();
    void onSectionResized(int column, int newSize);
    void forgetColumnWidth(int column);
    QList<int> &userWidths();
    void storeUserWidths();

    CategoryListModel *m_model;
    ItemListProxy *m_proxy;
    QListView *m_iconView;
    QTreeView *m_detailsView;
    QItemSelectionModel *m_selection;
    QStackedLayout *m_stack;
    int m_mode = -1;
    Category m_category = Category::Applications;
    // The widths in pixels the user gave the columns of each category, 0 for a column not
    // sized; read from the settings the first time the category shows.
    QHash<int, QList<int>> m_userWidths; // by category
    // The sort the user chose for each category, read like the widths.
    QHash<int, ListSortSetting> m_sorts;
    bool m_headerPressed = false; // a mouse button is down on the header
    bool m_userResized = false;   // the user resized a column since it went down
};

} // namespace hv
