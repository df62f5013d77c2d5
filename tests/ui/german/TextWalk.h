// Walks a window for the texts a user sees, to find those a translation left in English: the
// same window is built and walked once with the German catalogues and once with none, and a
// text both walks met is one that no catalogue changed.
#pragma once

#include <QModelIndex>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace hvtest {

class TextWalk {
public:
    // Rows of the item view named `viewName` hold the user's data (titles, file names, folder
    // names) rather than the window's texts: a row for which `skip` answers true (every row
    // when `skip` is empty) is not walked. The view's headers still are.
    void skipRows(const QString &viewName, std::function<bool(const QModelIndex &)> skip = {});

    // Adds what `window` shows now: its title, the texts, tool tips and placeholder texts of
    // its visible controls, the menu bar's and every menu's items (the context menus' too, shown
    // or not), the views' headers and rows, and the status bar's message.
    void collect(QWidget &window);

    const QSet<QString> &texts() const { return m_texts; }

private:
    void add(const QString &text);

    QSet<QString> m_texts;
    QHash<QString, std::function<bool(const QModelIndex &)>> m_skippedRows;
};

// The access keys that two visible items of one menu of `window` (its menu bar, or one of its
// menus) share, as "menu: key", one entry per clash.
QStringList clashingAccessKeys(QWidget &window);

// Whether `text` stays as it is in every language: the program's and the suite's names,
// version numbers, paths and file names. The one list of such texts.
bool staysUntranslated(const QString &text);

// Builds and walks a window with `visit` twice, first with the German catalogues (the
// locale's, which the test program set up), then with the English texts alone, and returns
// the texts both walks met that contain letters and do not stay untranslated: the texts left
// in English. The locale's catalogues are installed again before it returns.
QStringList textsLeftInEnglish(const std::function<void(TextWalk &)> &visit);

} // namespace hvtest
