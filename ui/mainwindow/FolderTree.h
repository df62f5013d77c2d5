// The folder tree (hvFolderTree): the file system's folders, from which the administrator
// picks the project folder. It shows and selects a given folder and reports a click (or
// Enter on the keyboard) with the folder's full path.
//
// The tree lists nothing until it has been painted once: listing `/` and each folder down to
// the shown one, and laying those rows out, would otherwise hold up the window's first paint.
// A folder asked for before then is noted and shown as soon as the listing starts.
//
// Folders are listed by jobs (FolderModel), never on this thread. An expanded folder is
// watched for folders that come and go (FolderWatch; the most recently expanded ones only), and
// listed again when it is expanded again and on refresh().
#pragma once

#include <QTreeView>

namespace hv {

class FolderModel;
class FolderWatch;

class FolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit FolderTree(QWidget *parent = nullptr);

    // Expands the tree down to `path`, selects it and scrolls it into view, as the folders
    // above it are listed (never waiting: a share may have stopped answering). False when
    // `path` is not absolute; a folder that is missing or does not answer is not shown. Before
    // the listing has started the folder is only noted, and shown when the listing starts.
    bool showFolder(const QString &path);

    // The full path of the selected folder (empty when none is selected); before the listing
    // has started, or while showFolder() waits for the folders above it, the folder to show.
    QString selectedFolder() const;

    // Whether the tree has started listing the file system.
    bool isListing() const { return m_model != nullptr; }

    // The model index of a folder's path once the folders down to it are listed, else an
    // invalid index (for tests that click a folder). Starts the listing.
    QModelIndex indexOfFolder(const QString &path);

    // Lists the selected folder and the folder above it again.
    void refresh();

    // 0 when `path` is a folder whose contents can be listed, as the project folder must
    // be; otherwise the error number (errno) of the failed listing.
    static int folderListingError(const QString &path);

    // The tree's model; starts the listing.
    FolderModel *folderModel();

    // How many expanded folders are watched at most.
    static constexpr int kWatchedFolders = 8;

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
    // Expands the tree towards m_pendingFolder as far as the model has listed it, and has the
    // next folder on the way listed.
    void expandToPending();
    void onFolderListed(const QModelIndex &folder);
    void onExpanded(const QModelIndex &index);
    void onCollapsed(const QModelIndex &index);
    void dropPending();

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
    // The folder listed again on the way to m_pendingFolder because its listing lacked the
    // next name (it may have come since); a second miss there means the folder is missing.
    QString m_relisted;

    FolderModel *m_model = nullptr;
    // The watched expanded folders, the most recently expanded last.
    QList<FolderWatch *> m_watches;
};

} // namespace hv
