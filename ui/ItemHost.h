// What the item commands (ItemActions) need of the window that shows the item list: the
// items chosen, the category shown, a refill, and room to run a suite program while the
// window is out of the way. The main window implements it; a test can too.
#pragma once

#include "lists/ListRows.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>

class QWidget;

namespace hv {

// One item of the list as the commands see it.
struct ItemRef {
    QString key;        // the row's key: its file name, or "NEW", "UNITS", ...
    QString title;      // the row's text
    qint64 records = 0; // the records the list shows for it
};

class ItemHost {
public:
    virtual ~ItemHost() = default;

    // The widget that the commands' windows and menus open over.
    virtual QWidget *ownerWidget() = 0;
    // The items chosen in the list, in the list's order (empty when none). With several, the
    // create-new row is not among them.
    virtual QList<ItemRef> selectedItems() const = 0;
    // The category the list shows.
    virtual Category category() const = 0;
    // False while the list still shows the rows of a category or folder left (a fill runs):
    // the commands' keys do nothing then.
    virtual bool listIsCurrent() const { return true; }
    // The suite's program folder as the window read it at start-up.
    virtual QString suiteFolder() const = 0;
    // Fills the list again from the project folder. A refill keeps the selected item and the
    // scroll position, unless one of the calls below asked for another item first.
    virtual void refill() = 0;
    // After the next refill, `key` is selected (the new name of a renamed item).
    virtual void selectAfterRefill(const QString &key) { Q_UNUSED(key); }
    // After the next refill, those of `keys` that are there are selected; once all are gone,
    // the row below the last of them, else the row above (items being deleted).
    virtual void selectInPlaceOf(const QStringList &keys) { Q_UNUSED(keys); }
    // After the next refill, the file that is there and was not before is selected (the
    // newest, if several): what a create-new made.
    virtual void selectNewFileAfterRefill() {}
    // Hides the window while a suite program runs; with `placeBack`, its placement is stored
    // first.
    virtual void hideForProgram(bool placeBack) = 0;
    // Shows the window again after the program; with `placeBack`, at the placement stored,
    // and with the list refilled.
    virtual void showAfterProgram(bool placeBack) = 0;
    // Opens the directory editor on the directory file `key` ("NEW": a new one) over the
    // window, and refills the list after it closes; `closed` is called then (also when it
    // did not open).
    virtual void openDirectoryFile(const QString &key, std::function<void()> closed) = 0;
};

} // namespace hv
