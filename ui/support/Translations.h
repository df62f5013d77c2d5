// The catalogues of the windows' texts. The program's own catalogues are built into it
// (translations/*.ts, as :/i18n/hvadmin_<language>.qm); Qt's catalogue of its standard dialogs
// and buttons (qtbase) comes from Qt's translations folder. The command-line tool and the
// diagnostic log never use them: they stay English under any locale.
#pragma once

#include <QLocale>

namespace hv {

// Installs into the application the catalogues for `locale`: the English plural forms always
// (the source texts carry "%n" where a count is shown), then the program's and Qt's own
// catalogue of the first of the locale's languages that has one. A language without a
// catalogue keeps the English texts. Called once, after the QApplication exists and before any
// window is built; a second call replaces what the first installed.
void installTranslations(const QLocale &locale = QLocale::system());

} // namespace hv
