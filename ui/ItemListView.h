// The item list (lstHVSETUP): the rows of the selected category in one of four view modes,
// all over one model. Large icons, small icons and list are a QListView in its icon and
// list modes; details is a QTreeView with the category's columns. Both views share the model
// and the selection, so switching modes keeps the selected row.
#pragma once

#include "lists/ListRows.h"
#include "lists/ViewMode.h"

#include <QWidget>

class QAbstractItemView;
class QItemSelectionModel;
class QListView;
class QStackedLayout;
class QTreeView;

namespace hv {

class CategoryListModel;

class ItemListView : public QWidget {
    Q_OBJECT
public:
    // The list's tooltip.
    static QString toolTipText();

    explicit ItemListView(QWidget *parent = nullptr);

    // Shows a filled list: replaces the rows and columns and selects the list's selected row
    // (none when it is negative or out of range).
    void setCategoryList(const CategoryList &list);

    // The view mode: 0 large icons, 1 small icons, 2 list, 3 details.
    void setViewMode(int mode);
    int viewMode() const { return m_mode; }

    // Sizes every column of the details view to the wider of its longest text and its title.
    void AutoSizeColumns();

    // The selected row (-1 when none) and its key.
    int selectedRow() const;
    QString selectedKey() const;
    void selectRow(int row);

    CategoryListModel *model() const { return m_model; }
    QListView *iconView() const { return m_iconView; }
    QTreeView *detailsView() const { return m_detailsView; }
    // The view that shows the current mode.
    QAbstractItemView *currentView() const;

private:
    void configureIconView(int mode);
    int widestText() const;

    CategoryListModel *m_model;
    QListView *m_iconView;
    QTreeView *m_detailsView;
    QItemSelectionModel *m_selection;
    QStackedLayout *m_stack;
    int m_mode = -1;
};

} // namespace hv
