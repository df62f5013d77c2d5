// The folder tree (hvFolderTree): the file system's folders, from which the administrator
// picks the project folder. It shows and selects a given folder and reports a click (or
// Enter on the keyboard) with the folder's full path.
//
// The tree lists nothing until it has been painted once: listing `/` and each folder down to
// the shown one, and laying those rows out, would otherwise hold up the window's first paint.
// A folder asked for before then is noted and shown as soon as the listing starts.
#pragma once

#include <QTreeView>

class QFileSystemModel;

namespace hv {

class FolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit FolderTree(QWidget *parent = nullptr);

    // Expands the tree down to `path`, selects it and scrolls it into view, once a job has
    // found that it is a folder (never on this thread: its share may have stopped answering)
    // and the model has listed the folders above it. False when Qt cannot name it; a folder
    // that is missing or does not answer is not shown. Before the listing has started the
    // folder is only noted, and checked when the listing starts.
    bool showFolder(const QString &path);

    // The full path of the selected folder (empty when none is selected); before the listing
    // has started, or while showFolder() checks it, the folder to be shown.
    QString selectedFolder() const;

    // Whether the tree has started listing the file system.
    bool isListing() const { return m_model != nullptr; }

    // The model index of a folder's path (for tests that click a folder). Starts the listing.
    QModelIndex indexOfFolder(const QString &path);

    // 0 when `path` is a folder whose contents can be listed, as the project folder must
    // be; otherwise the error number (errno) of the failed listing.
    static int folderListingError(const QString &path);

    // The tree's model; starts the listing.
    QFileSystemModel *fileSystemModel();

Q_SIGNALS:
    // The administrator chose a folder.
    void folderClicked(const QString &path);

protected:
    bool viewportEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Creates the model, which starts listing the file system, and shows the noted folder.
    void startListing();
    void scrollToSelected();
    // Scrolls the selected folder into view once the current changes are laid out, while
    // the tree still follows it.
    void followSelection();
    void expandTo(const QModelIndex &index);
    // The index of `path` when the model has listed every folder above it (`complete`),
    // else that of the deepest folder of the path it has listed (invalid for none).
    QModelIndex listedIndex(const QString &path, bool &complete) const;
    // Expands the tree towards m_pendingFolder as far as the model has listed it.
    void expandToPending();
    void onDirectoryLoaded(const QString &path);

    // The folder that showFolder() asked for while the folders above it are still being
    // listed; cleared when its parent folder has been listed or the user chooses a folder.
    QString m_pendingFolder;
    // True from showFolder() until the user moves in the tree: the shown folder is kept in
    // view while the tree is laid out and resized.
    bool m_followSelection = false;
    bool m_scrollQueued = false;
    bool m_listingQueued = false;
    // The folder asked for before the listing started.
    QString m_folderToShow;
    // The folder whose check runs; a later request or a move of the user's drops it.
    QString m_checkingFolder;

    QFileSystemModel *m_model = nullptr;
};

} // namespace hv
