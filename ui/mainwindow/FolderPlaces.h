// Ways to a project folder besides the folder tree: File > Go to Folder... (Ctrl+L), where the
// user types a folder's path, and File > Recent Folders, the project folders opened last
// (kept in the user settings). Both hand the folder to the window, which opens it as if it
// had been clicked in the tree.
#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace hv {

class FolderPlaces : public QObject {
    Q_OBJECT
public:
    // Adds the two items to `fileMenu`, before `before` (with a separator after them).
    FolderPlaces(QMenu *fileMenu, QAction *before, QWidget *owner);

    QAction *goToFolder() const { return m_goTo; }
    QMenu *recentFolders() const { return m_recent; }

    // Asks for a folder's path, starting from `current`; a path given goes to folderChosen().
    void askForFolder(const QString &current);
    // Fills the Recent Folders menu from the user settings.
    void fillRecent();
    // Remembers `folder` as the newest of the recent folders.
    static void remember(const QString &folder);

Q_SIGNALS:
    void folderChosen(const QString &path);

private:
    QWidget *m_owner;
    QAction *m_goTo;
    QMenu *m_recent;
};

} // namespace hv
