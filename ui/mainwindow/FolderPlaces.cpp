#include "ui/mainwindow/FolderPlaces.h"

#include "app/UserSettings.h"
#include "platform/FileNames.h"

#include <QAction>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>

namespace hv {

namespace {

// A typed path as a folder: "~" is the home folder, a relative path lies in the home folder.
QString typedFolder(const QString &typed)
{
    QString path = typed.trimmed();
    if (path.isEmpty())
        return path;
    if (path == u'~' || path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    else if (!QDir::isAbsolutePath(path))
        path = QDir::homePath() + u'/' + path;
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

} // namespace

FolderPlaces::FolderPlaces(QMenu *fileMenu, QAction *before, QWidget *owner)
    : QObject(owner), m_owner(owner)
{
    m_goTo = new QAction(tr("&Go to Folder..."), owner);
    m_goTo->setObjectName(QStringLiteral("mnuGoToFolder"));
    m_goTo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    m_recent = new QMenu(tr("&Recent Folders"), owner);
    m_recent->setObjectName(QStringLiteral("mnuRecentFolders"));
    m_recent->menuAction()->setObjectName(QStringLiteral("mnuRecentFolders"));
    fileMenu->insertAction(before, m_goTo);
    fileMenu->insertMenu(before, m_recent);
    fileMenu->insertSeparator(before)->setObjectName(QStringLiteral("mnuSeperatorPlaces"));
    owner->addAction(m_goTo);
    connect(m_recent, &QMenu::aboutToShow, this, &FolderPlaces::fillRecent);
}

void FolderPlaces::askForFolder(const QString &current)
{
    QInputDialog dialog(m_owner);
    dialog.setObjectName(QStringLiteral("dlgGoToFolder"));
    dialog.setWindowTitle(tr("Go to Folder"));
    dialog.setLabelText(tr("&Folder:"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(current);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString folder = typedFolder(dialog.textValue());
    if (!folder.isEmpty())
        Q_EMIT folderChosen(folder);
}

void FolderPlaces::fillRecent()
{
    m_recent->clear();
    const QStringList folders = ReadRecentFolders();
    for (int i = 0; i < folders.size(); ++i) {
        // The first nine get a digit as their access key; '&' in a name is shown as it is.
        QString caption = paths::displayName(folders.at(i)).replace(u'&', QStringLiteral("&&"));
        if (i < 9)
            caption = QStringLiteral("&%1 %2").arg(i + 1).arg(caption);
        QAction *action = m_recent->addAction(caption);
        const QString folder = folders.at(i);
        connect(action, &QAction::triggered, this, [this, folder] { Q_EMIT folderChosen(folder); });
    }
    if (folders.isEmpty())
        m_recent->addAction(tr("(none)"))->setEnabled(false);
}

void FolderPlaces::remember(const QString &folder)
{
    RememberRecentFolder(folder);
}

} // namespace hv
