// The texts a user sees in a window, to find those a translation left in English: the window
// is built and walked once with the German catalogues and once with the English texts alone,
// and a text both walks met is one that no catalogue changed.
#pragma once

#include <QHash>
#include <QModelIndex>
#include <QSet>
#include <QStringList>

#include <functional>

class QWidget;

namespace hvtest {

struct TextWalk {
    // Adds the title of `window`, the texts, tool tips and placeholders of its visible
    // controls, every item of its menu bar and menus (context menus too, shown or not), the
    // views' headers and rows, and the status bar's message.
    void collect(QWidget &window);

    QSet<QString> texts;
    // Rows holding the user's data (titles, file and folder names), by the view's object
    // name: a row for which the function answers true is not walked (every row if it is null).
    QHash<QString, std::function<bool(const QModelIndex &)>> skippedRows;
};

// The access keys that two visible items of one menu of `window` share, as "menu: key".
QStringList clashingAccessKeys(QWidget &window);

// Walks what `visit` builds under the German catalogues, then under the English texts alone
// (the German ones are installed again after), and returns the texts met both times that
// contain letters and are not among the texts that stay in every language.
QStringList textsLeftInEnglish(const std::function<void(TextWalk &)> &visit);

} // namespace hvtest
