// The user's place in the item list, kept across a refill: the selected item by its key and
// how far the list is scrolled. Everything goes through the view's own model, so a sorting
// or filtering model between the list's rows and the view changes nothing here: a row is a
// row of the view, found by the key it shows.
#pragma once

#include <QStringList>

class QAbstractItemView;

namespace hv::listplace {

struct Place {
    QString key;        // the selected item's key; empty when none
    int row = -1;       // its row in the view
    QStringList others; // the keys of the other rows selected with it
    int vScroll = 0;    // the scroll bars' values
    int hScroll = 0;
};

// The view's row that shows `key`; -1 when none does.
int rowOfKey(const QAbstractItemView &view, const QString &key);
// The keys of the view's rows, in its order.
QStringList keys(const QAbstractItemView &view);
// The selected row of the view; -1 when none.
int selectedRow(const QAbstractItemView &view);
// Selects `row` of the view (clearing the selection when out of range); with `reveal`, it is
// scrolled into sight.
void selectRow(QAbstractItemView &view, int row, bool reveal);
// Adds the rows that show `keys` to the selection, leaving the current row as it is.
void addToSelection(QAbstractItemView &view, const QStringList &keys);

Place capture(const QAbstractItemView &view);
// Scrolls the view back to where `place` was (its rows laid out first).
void restoreScroll(QAbstractItemView &view, const Place &place);

} // namespace hv::listplace
