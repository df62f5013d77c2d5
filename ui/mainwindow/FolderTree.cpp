#include "ui/mainwindow/FolderTree.h"

#include "platform/FileNames.h"
#include "ui/mainwindow/FolderModel.h"
#include "ui/mainwindow/FolderWatch.h"

#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include <cerrno>
#include <utility>

#include <dirent.h>

namespace hv {

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
        if (m_model && !m_model->filePath(index).isEmpty())
            Q_EMIT folderClicked(m_model->filePath(index));
    });
    connect(this, &QTreeView::expanded, this, &FolderTree::onExpanded);
    connect(this, &QTreeView::collapsed, this, &FolderTree::onCollapsed);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { m_followSelection = false; });
}

void FolderTree::startListing()
{
    if (m_model)
        return;
    m_model = new FolderModel(this);
    setModel(m_model);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);

    // Folders are listed by jobs: the tree goes on towards the folder to show as each arrives,
    // and keeps the selected folder in view while rows come in.
    connect(m_model, &FolderModel::folderListed, this, &FolderTree::onFolderListed);
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

FolderModel *FolderTree::folderModel()
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
    if (!path.startsWith(u'/'))
        return false;
    const QString clean = QDir::cleanPath(path);
    if (!m_model) {
        m_folderToShow = clean;
        return true;
    }
    m_pendingFolder = clean;
    m_relisted.clear();
    m_followSelection = true;
    expandToPending();
    return true;
}

void FolderTree::expandToPending()
{
    bool complete = false;
    const QModelIndex index = m_model->deepestIndex(m_pendingFolder, complete);
    if (complete) {
        m_pendingFolder.clear();
        expandTo(index);
        return;
    }
    if (!index.isValid()) {
        dropPending();
        return;
    }
    // The next folder on the way is not among the rows of `index`: either `index` has not
    // been listed yet, or the folder came after its listing, or it is not there.
    expand(index);
    if (m_model->isListing(index))
        return; // onFolderListed() goes on
    if (m_model->canFetchMore(index)) {
        m_model->fetchMore(index);
        return;
    }
    const QString folder = m_model->filePath(index);
    if (m_relisted == folder) {
        dropPending(); // it is not there
        return;
    }
    m_relisted = folder;
    m_model->refresh(index);
}

void FolderTree::dropPending()
{
    m_pendingFolder.clear();
    m_relisted.clear();
}

void FolderTree::expandTo(const QModelIndex &index)
{
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        expand(parent);
    setCurrentIndex(index);
    scrollToSelected();
}

void FolderTree::onFolderListed(const QModelIndex &folder)
{
    if (m_pendingFolder.isEmpty())
        return;
    const QString listed = m_model->filePath(folder);
    const QString prefix = listed.endsWith(u'/') ? listed : listed + u'/';
    if (!m_pendingFolder.startsWith(prefix) && m_pendingFolder != listed)
        return;
    expandToPending();
    // The rows that just arrived are laid out later: scroll once they are.
    QMetaObject::invokeMethod(this, &FolderTree::scrollToSelected, Qt::QueuedConnection);
}

void FolderTree::onExpanded(const QModelIndex &index)
{
    const QString folder = m_model->filePath(index);
    if (folder.isEmpty())
        return;
    // A folder expanded again may have changed while it was closed.
    if (m_model->isListed(index))
        m_model->refresh(index);
    else if (m_model->canFetchMore(index))
        m_model->fetchMore(index);
    // Qt's watcher names folders as UTF-8 only.
    if (paths::hasRawBytes(folder))
        return;
    for (FolderWatch *watch : std::as_const(m_watches)) {
        if (watch->folder() == folder)
            return;
    }
    if (m_watches.size() >= kWatchedFolders)
        delete m_watches.takeFirst();
    auto *watch = new FolderWatch(this);
    m_watches.append(watch);
    connect(watch, &FolderWatch::changed, this, [this, watch] {
        bool complete = false;
        const QModelIndex index = m_model->deepestIndex(watch->folder(), complete);
        if (complete)
            m_model->refresh(index);
    });
    watch->setFolder(folder);
}

void FolderTree::onCollapsed(const QModelIndex &index)
{
    const QString folder = m_model->filePath(index);
    for (qsizetype i = 0; i < m_watches.size(); ++i) {
        if (m_watches.at(i)->folder() == folder) {
            delete m_watches.takeAt(i);
            return;
        }
    }
}

void FolderTree::refresh()
{
    if (!m_model)
        return;
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    m_model->refresh(current.parent());
    m_model->refresh(current);
}

void FolderTree::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    if (m_followSelection)
        scrollToSelected();
}

void FolderTree::mousePressEvent(QMouseEvent *event)
{
    dropPending();
    m_followSelection = false;
    QTreeView::mousePressEvent(event);
}

QString FolderTree::selectedFolder() const
{
    if (!m_model)
        return m_folderToShow;
    if (!m_pendingFolder.isEmpty())
        return m_pendingFolder;
    return m_model->filePath(currentIndex());
}

QModelIndex FolderTree::indexOfFolder(const QString &path)
{
    startListing();
    bool complete = false;
    const QModelIndex index = m_model->deepestIndex(QDir::cleanPath(path), complete);
    return complete ? index : QModelIndex();
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
    dropPending();
    m_followSelection = false;
    // Enter (or Space) on the keyboard chooses the folder, as a click does.
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && m_model &&
        !m_model->filePath(currentIndex()).isEmpty()) {
        Q_EMIT folderClicked(m_model->filePath(currentIndex()));
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

} // namespace hv
