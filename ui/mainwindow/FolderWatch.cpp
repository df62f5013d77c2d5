#include "ui/mainwindow/FolderWatch.h"

#include "app/Jobs.h"
#include "platform/FileNames.h"
#include "platform/MountTable.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace hv {

FolderWatch::FolderWatch(QObject *parent)
    : QObject(parent), m_quiet(new QTimer(this)), m_poll(new QTimer(this))
{
    m_quiet->setSingleShot(true);
    m_quiet->setInterval(kQuietMs);
    connect(m_quiet, &QTimer::timeout, this, &FolderWatch::onQuiet);
    m_poll->setInterval(kPollMs);
    connect(m_poll, &QTimer::timeout, this, &FolderWatch::poll);
}

FolderWatch::~FolderWatch()
{
    if (m_pollJob)
        m_pollJob->cancel();
}

void FolderWatch::setFolder(const QString &folder)
{
    if (folder == m_folder)
        return;
    m_folder = folder;
    delete m_watcher;
    m_watcher = nullptr;
    m_quiet->stop();
    m_poll->stop();
    if (m_pollJob) {
        m_pollJob->disconnect(this);
        m_pollJob->cancel();
        m_pollJob = nullptr;
    }
    m_last.reset();
    m_polling = false;
    setMissing(false);
    if (folder.isEmpty())
        return;
    // Where the folder really is (its links followed) and on what kind of mount is found
    // off the user-interface thread: a link may lead onto a share that does not answer.
    auto *job = startJob<Placement>(folder, [folder](JobControl &) {
        Placement placement;
        placement.path = paths::canonicalPath(QDir::cleanPath(folder));
        placement.local = MountTable::fromSystem().isLocalPath(placement.path);
        return placement;
    });
    m_pollJob = job;
    connect(job, &Job::finished, this, [this, job] {
        m_pollJob = nullptr;
        if (job->isCancelled() || job->folder() != m_folder)
            return;
        m_local = job->result().local;
        m_path = job->result().path;
        if (m_local)
            watchLocally();
        else
            startPolling();
    });
}

void FolderWatch::watchLocally()
{
    m_polling = false;
    m_poll->stop();
    delete m_watcher;
    m_watcher = new QFileSystemWatcher(this);
    const QString path = m_path;
    // The folder's own events do not include its being moved away: the folder that holds it
    // is watched for that, and only for that.
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
            [this, path](const QString &changed) {
                if (changed == path || !QFileInfo(path).isDir())
                    onNotified();
            });
    if (!m_watcher->addPath(path)) {
        // Not there (or not watchable): read it at intervals instead.
        startPolling();
        return;
    }
    const QString parent = QFileInfo(path).path();
    if (parent != path)
        m_watcher->addPath(parent);
}

void FolderWatch::startPolling()
{
    m_polling = true;
    m_poll->start();
    poll();
}

void FolderWatch::onNotified()
{
    m_quiet->start();
}

void FolderWatch::onQuiet()
{
    // A local folder: asking whether it is still there cannot block.
    if (!QFileInfo(m_path).isDir()) {
        setMissing(true);
        delete m_watcher;
        m_watcher = nullptr;
        m_last = Reading{};
        startPolling();
        return;
    }
    Q_EMIT changed();
}

FolderWatch::Reading FolderWatch::read(const QString &folder)
{
    Reading reading;
    const QFileInfo info(folder);
    reading.exists = info.isDir();
    if (!reading.exists)
        return reading;
    reading.modified = info.lastModified();
    reading.names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    reading.names.sort();
    return reading;
}

void FolderWatch::poll()
{
    // One reading at a time: a share that does not answer gets no second one queued.
    if (m_pollJob)
        return;
    const QString folder = m_folder;
    auto *job = startJob<Reading>(folder, [folder](JobControl &control) {
        return control.isCancelled() ? Reading{} : read(folder);
    });
    m_pollJob = job;
    connect(job, &Job::finished, this, [this, job] {
        m_pollJob = nullptr;
        if (!job->isCancelled() && job->folder() == m_folder)
            onReading(job->result());
    });
}

void FolderWatch::onReading(const Reading &reading)
{
    const std::optional<Reading> last = std::exchange(m_last, reading);
    if (!reading.exists) {
        setMissing(true);
        return;
    }
    if (m_missing) {
        setMissing(false);
        if (m_local)
            watchLocally(); // told again from now on
        Q_EMIT changed();
        return;
    }
    if (last && !(*last == reading))
        Q_EMIT changed();
}

void FolderWatch::setMissing(bool missing)
{
    if (missing == m_missing)
        return;
    m_missing = missing;
    Q_EMIT missingChanged(missing);
}

} // namespace hv
