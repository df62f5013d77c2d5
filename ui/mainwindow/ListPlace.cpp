#include "ui/mainwindow/ListPlace.h"

#include "ui/mainwindow/CategoryListModel.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QSet>

namespace hv::listplace {

namespace {

QString keyOf(const QAbstractItemModel &model, int row)
{
    return model.index(row, 0).data(CategoryListModel::KeyRole).toString();
}

} // namespace

int rowOfKey(const QAbstractItemView &view, const QString &key)
{
    const QAbstractItemModel *model = view.model();
    if (!model || key.isEmpty())
        return -1;
    const int rows = model->rowCount();
    for (int row = 0; row < rows; ++row) {
        if (keyOf(*model, row) == key)
            return row;
    }
    return -1;
}

QStringList keys(const QAbstractItemView &view)
{
    QStringList result;
    if (const QAbstractItemModel *model = view.model()) {
        const int rows = model->rowCount();
        result.reserve(rows);
        for (int row = 0; row < rows; ++row)
            result.append(keyOf(*model, row));
    }
    return result;
}

int selectedRow(const QAbstractItemView &view)
{
    const QItemSelectionModel *selection = view.selectionModel();
    if (!selection)
        return -1;
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void selectRow(QAbstractItemView &view, int row, bool reveal)
{
    QItemSelectionModel *selection = view.selectionModel();
    const QAbstractItemModel *model = view.model();
    if (!selection || !model)
        return;
    if (row < 0 || row >= model->rowCount()) {
        selection->clear();
        return;
    }
    const QModelIndex index = model->index(row, 0);
    selection->setCurrentIndex(index,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (reveal)
        view.scrollTo(index);
}

void addToSelection(QAbstractItemView &view, const QStringList &keys)
{
    QItemSelectionModel *selection = view.selectionModel();
    const QAbstractItemModel *model = view.model();
    if (!selection || !model || keys.isEmpty())
        return;
    const QSet<QString> wanted(keys.cbegin(), keys.cend());
    QItemSelection rows;
    const int count = model->rowCount();
    for (int row = 0; row < count; ++row) {
        if (wanted.contains(keyOf(*model, row)))
            rows.select(model->index(row, 0), model->index(row, 0));
    }
    selection->select(rows, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

Place capture(const QAbstractItemView &view)
{
    Place place;
    place.row = selectedRow(view);
    if (place.row >= 0 && view.model()) {
        place.key = keyOf(*view.model(), place.row);
        const QModelIndexList rows = view.selectionModel()->selectedRows();
        for (const QModelIndex &index : rows) {
            if (index.row() != place.row)
                place.others.append(keyOf(*view.model(), index.row()));
        }
    }
    place.vScroll = view.verticalScrollBar()->value();
    place.hScroll = view.horizontalScrollBar()->value();
    return place;
}

void restoreScroll(QAbstractItemView &view, const Place &place)
{
    // The scroll ranges follow the new rows only once they are laid out.
    view.doItemsLayout();
    view.verticalScrollBar()->setValue(place.vScroll);
    view.horizontalScrollBar()->setValue(place.hScroll);
}

} // namespace hv::listplace
