#include "ui/mainwindow/FolderTree.h"

#include "app/Jobs.h"
#include "platform/FileNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include <cerrno>
#include <utility>

#include <dirent.h>

namespace hv {

namespace {

// Icons and type names from what the listing already knows (folder or file), never from a
// file's contents. The model asks for them on the user-interface thread for every entry of a
// listed folder, files included, each time the folder changes; the default provider would
// open each file there to guess its type, a wait per file on a slow share and for ever on one
// that stopped answering.
class ListingIconProvider : public QFileIconProvider {
public:
    ListingIconProvider()
        : m_folder(icon(Folder)), m_file(icon(File)),
          m_folderType(QCoreApplication::translate("hv::FolderTree", "Folder")),
          m_fileType(QCoreApplication::translate("hv::FolderTree", "File"))
    {
    }
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override { return info.isDir() ? m_folder : m_file; }
    QString type(const QFileInfo &info) const override
    {
        return info.isDir() ? m_folderType : m_fileType;
    }

private:
    const QIcon m_folder;
    const QIcon m_file;
    const QString m_folderType;
    const QString m_fileType;
};

} // namespace

FolderTree::FolderTree(QWidget *parent) : QTreeView(parent)
{
    setObjectName(QStringLiteral("hvFolderTree"));
    header()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    setAnimated(false);

    connect(this, &QTreeView::clicked, this, [this](const QModelIndex &index) {
        if (index.isValid() && m_model)
            Q_EMIT folderClicked(m_model->filePath(index));
    });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { m_followSelection = false; });
}

void FolderTree::startListing()
{
    if (m_model)
        return;
    m_model = new QFileSystemModel(this);
    // Kept for the process's lifetime: the model may ask it until the model is gone.
    static ListingIconProvider *const icons = new ListingIconProvider;
    m_model->setIconProvider(icons);
    // Folders only: the tree chooses a folder, never a file. Dot-folders stay hidden.
    m_model->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    m_model->setRootPath(QString());
    setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column)
        hideColumn(column);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);

    // The model lists folders in the background; keep the selected folder in view while the
    // folders above it arrive.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, &FolderTree::onDirectoryLoaded);
    // Rows that arrive or are sorted later move the selected folder: follow it until the user
    // moves in the tree.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &FolderTree::followSelection);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &FolderTree::followSelection);
    if (!m_folderToShow.isEmpty())
        showFolder(std::exchange(m_folderToShow, QString()));
}

bool FolderTree::viewportEvent(QEvent *event)
{
    // The listing starts once the first paint is done.
    if (event->type() == QEvent::Paint && !m_model && !m_listingQueued) {
        m_listingQueued = true;
        QMetaObject::invokeMethod(this, &FolderTree::startListing, Qt::QueuedConnection);
    }
    return QTreeView::viewportEvent(event);
}

QFileSystemModel *FolderTree::fileSystemModel()
{
    startListing();
    return m_model;
}

void FolderTree::followSelection()
{
    if (!m_followSelection || m_scrollQueued)
        return;
    m_scrollQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_scrollQueued = false;
            if (m_followSelection)
                scrollToSelected();
        },
        Qt::QueuedConnection);
}

void FolderTree::wheelEvent(QWheelEvent *event)
{
    m_followSelection = false;
    QTreeView::wheelEvent(event);
}

bool FolderTree::showFolder(const QString &path)
{
    // The view names folders through Qt, which cannot name one whose name is not UTF-8.
    const QString clean = QDir::cleanPath(path);
    if (paths::hasRawBytes(clean))
        return false;
    if (!m_model) {
        m_folderToShow = clean;
        return true;
    }
    // A folder on a share that stopped answering is not shown: the model would wait on it.
    m_checkingFolder = clean;
    auto *check = startJob<bool>(clean, [clean](JobControl &) { return paths::isFolder(clean); });
    connect(check, &Job::finished, this, [this, check, clean] {
        if (m_checkingFolder != clean)
            return;
        m_checkingFolder.clear();
        if (check->isCancelled() || !check->result())
            return;
        // It has just answered: the model may look at the folders of its path on this thread.
        const QModelIndex index = m_model->index(clean);
        if (!index.isValid())
            return;
        m_pendingFolder = clean;
        m_followSelection = true;
        expandTo(index);
    });
    return true;
}

QModelIndex FolderTree::listedIndex(const QString &path, bool &complete) const
{
    // The model's own index(path) and filePath() look at the disk, on this thread: for ever
    // on a share that stopped answering. This walks the names of the rows the model has
    // listed (the root is looked up as ever: it is local).
    complete = false;
    QModelIndex index = m_model->index(QStringLiteral("/"));
    for (const QString &name : path.split(u'/', Qt::SkipEmptyParts)) {
        QModelIndex child;
        for (int row = 0, rows = m_model->rowCount(index); row < rows && !child.isValid(); ++row) {
            const QModelIndex candidate = m_model->index(row, 0, index);
            if (m_model->fileName(candidate) == name)
                child = candidate;
        }
        if (!child.isValid())
            return index;
        index = child;
    }
    complete = index.isValid();
    return index;
}

void FolderTree::expandToPending()
{
    bool complete = false;
    const QModelIndex index = listedIndex(m_pendingFolder, complete);
    if (complete) {
        expandTo(index);
        return;
    }
    // The folders below the deepest one listed come as the model lists them, off this
    // thread; onDirectoryLoaded() goes on from there.
    if (index.isValid()) {
        expand(index);
        if (m_model->canFetchMore(index))
            m_model->fetchMore(index);
    }
}

void FolderTree::expandTo(const QModelIndex &index)
{
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        expand(parent);
    setCurrentIndex(index);
    scrollToSelected();
}

void FolderTree::onDirectoryLoaded(const QString &path)
{
    // The model lists folders in the background: each folder above the wanted one that
    // arrives is expanded again, until the wanted folder's own parent has been listed.
    if (m_pendingFolder.isEmpty())
        return;
    const QString loaded = QDir::cleanPath(path);
    const QString prefix = loaded.endsWith(QLatin1Char('/')) ? loaded : loaded + QLatin1Char('/');
    if (!m_pendingFolder.startsWith(prefix) && m_pendingFolder != loaded)
        return;
    bool complete = false;
    listedIndex(m_pendingFolder, complete);
    expandToPending();
    // The rows that just arrived are laid out later: scroll once they are.
    QMetaObject::invokeMethod(this, &FolderTree::scrollToSelected, Qt::QueuedConnection);
    if (complete)
        m_pendingFolder.clear();
}

void FolderTree::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    if (m_followSelection)
        scrollToSelected();
}

void FolderTree::mousePressEvent(QMouseEvent *event)
{
    m_pendingFolder.clear();
    m_checkingFolder.clear();
    m_followSelection = false;
    QTreeView::mousePressEvent(event);
}

QString FolderTree::selectedFolder() const
{
    if (!m_model)
        return m_folderToShow;
    if (!m_checkingFolder.isEmpty())
        return m_checkingFolder;
    const QModelIndex index = currentIndex();
    return index.isValid() ? m_model->filePath(index) : QString();
}

QModelIndex FolderTree::indexOfFolder(const QString &path)
{
    startListing();
    return m_model->index(QDir::cleanPath(path));
}

int FolderTree::folderListingError(const QString &path)
{
    const QByteArray native = paths::encodeName(path);
    DIR *dir = ::opendir(native.constData());
    if (!dir)
        return errno != 0 ? errno : EIO;
    ::closedir(dir);
    return 0;
}

void FolderTree::scrollToSelected()
{
    const QModelIndex index = currentIndex();
    if (index.isValid())
        scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void FolderTree::keyPressEvent(QKeyEvent *event)
{
    m_pendingFolder.clear();
    m_checkingFolder.clear();
    m_followSelection = false;
    // Enter (or Space) on the keyboard chooses the folder, as a click does.
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && m_model &&
        currentIndex().isValid()) {
        Q_EMIT folderClicked(m_model->filePath(currentIndex()));
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

} // namespace hv
