// What the item commands (ItemActions) need of the window that shows the item list: the
// items chosen, the category shown, a refill, and room to run a suite program while the
// window is out of the way. The main window implements it; a test can too.
#pragma once

#include "lists/ListRows.h"

#include <QList>
#include <QString>

#include <functional>

class QWidget;

namespace hv {

// One item of the list as the commands see it.
struct ItemRef {
    QString key;   // the row's key: its file name, or "NEW", "UNITS", ...
    QString title; // the row's text
};

class ItemHost {
public:
    virtual ~ItemHost() = default;

    // The widget that the commands' windows and menus open over.
    virtual QWidget *ownerWidget() = 0;
    // The items chosen in the list, in the list's order (empty when none).
    virtual QList<ItemRef> selectedItems() const = 0;
    // The category the list shows.
    virtual Category category() const = 0;
    // The suite's program folder as the window read it at start-up.
    virtual QString suiteFolder() const = 0;
    // Fills the list again from the project folder.
    virtual void refill() = 0;
    // Runs `run` (which starts a program and waits for it) with the window hidden, then shows
    // the window again. With `placeBack`, the window's placement is stored before and
    // restored after, and the list is refilled.
    virtual void runHidden(const std::function<void()> &run, bool placeBack) = 0;
    // Opens the directory editor on the directory file `key` ("NEW": a new one) over the
    // window, and refills the list after it closes.
    virtual void openDirectoryFile(const QString &key) = 0;
};

} // namespace hv
