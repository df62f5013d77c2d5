// The console's Save As dialog (mComdlg): a QFileDialog in save mode that opens centred
// over its owner (or on the screen), asks before replacing a file, and matches its filter
// patterns without regard to letter case, as the suite's file names are matched.
#pragma once

#include "log/UserText.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace hv {

// The result of ShowSave: the chosen path is fileNames[0] unless the dialog was cancelled.
// `number` and `text` are left at zero and empty.
struct SaveDialogResult {
    qint16 number = 0;
    QStringList fileNames;
    QString text;
    bool cancelled = true;
};

// Qt name filters from a filter of "|"-separated description and pattern pairs, as in
// "Halvora Dir File (*.DIR)|*.DIR". Each pair becomes "description (patterns)", several
// patterns of a pair (separated by ";") joined by spaces. A description without a pattern
// is left out.
QStringList nameFiltersFromPairs(const QString &filter);

// Shows the Save As dialog modally over `owner` with the proposed file name in the name box,
// `title`, `initialFolder` shown first, `filter` as above and `defaultExtension` (without a
// dot; empty: none). Centred over the owner when `centreOverOwner` and there is an owner,
// else on the screen. Choosing an existing file (found without regard to case) asks before
// replacing it; answering No keeps the dialog open. The log names the title in English.
SaveDialogResult ShowSave(QWidget *owner, const QString &proposedName, const UserText &title,
                          const QString &initialFolder, const QString &filter,
                          const QString &defaultExtension, bool centreOverOwner);
inline SaveDialogResult ShowSave(QWidget *owner, const QString &proposedName, const QString &title,
                                 const QString &initialFolder, const QString &filter,
                                 const QString &defaultExtension, bool centreOverOwner)
{
    return ShowSave(owner, proposedName, UserText(title), initialFolder, filter, defaultExtension,
                    centreOverOwner);
}

// The question asked before replacing `fileName`.
QString replaceQuestion(const QString &fileName);

} // namespace hv
