// F1 and Help > Contents. The suite's help file (HVAdmin.chm in the suite's program folder)
// opens when it is there. Otherwise the console's installed manual opens, as man:HVAdmin(1),
// where the desktop has a program for man: addresses; else a message tells how to read the
// manual (man HVAdmin) and where the README is. Whether the file is there and which program
// the desktop has are found off the user-interface thread.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace hv {

class HelpOpener : public QObject {
    Q_OBJECT
public:
    // Answers the desktop's program for addresses of a scheme ("man"): its desktop file
    // name, or empty when there is none. Called off the user-interface thread.
    using SchemeHandlerQuery = std::function<QString(const QString &scheme)>;
    // Asks xdg-mime (empty when it is not installed or does not answer within 5 s).
    static QString queryXdgMime(const QString &scheme);

    explicit HelpOpener(QWidget *owner, SchemeHandlerQuery query = &HelpOpener::queryXdgMime);

    void setSchemeHandlerQuery(SchemeHandlerQuery query) { m_query = std::move(query); }

    // The manual's address.
    static QUrl manualUrl();
    // The README's place: installed beside the manual's package documentation, or in the
    // source folder of a build tree; empty when neither is there.
    static QString readmePath(const QString &programFolder);
    // The message shown when neither the help file nor a program for the manual is there.
    static QString fallbackText(const QString &helpFile, const QString &readme);

    // Opens the help of the suite's program folder `suiteFolder` (ending in '/').
    void open(const QString &suiteFolder);

Q_SIGNALS:
    // The help was opened, or the message was shown.
    void answered();

private:
    QWidget *m_owner;
    SchemeHandlerQuery m_query;
};

} // namespace hv
