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
    // Adds the window's title, its visible controls' texts, tool tips and placeholders, every
    // item of its menus (context menus too), the views' headers and rows, the status message.
    void collect(QWidget &window);

    QSet<QString> texts;
    // Rows of the user's data, by view name: a row the function answers true for (every row
    // when it is null) is not walked.
    QHash<QString, std::function<bool(const QModelIndex &)>> skippedRows;
};

// The access keys that two visible items of one menu of `window` share, as "menu: key".
QStringList clashingAccessKeys(QWidget &window);

// The texts with letters that `visit` met both under the German catalogues and under the
// English texts alone, less those that stay in every language.
QStringList textsLeftInEnglish(const std::function<void(TextWalk &)> &visit);

} // namespace hvtest
