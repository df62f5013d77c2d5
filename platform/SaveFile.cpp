#include "platform/SaveFile.h"

#include "platform/FileNames.h"

#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hv {
namespace {

// The folder locks this process holds, by folder. The table's mutex is never held across a
// system call: taking a lock on a share that stopped answering must not keep other threads
// from locking folders elsewhere. Neither is ever destroyed: a worker stuck in the kernel may
// still hold or come back to them after main() has returned.
QMutex &heldMutex()
{
    static auto *mutex = new QMutex;
    return *mutex;
}

QHash<QString, std::shared_ptr<FolderLock::Held>> &heldFolders()
{
    static auto *held = new QHash<QString, std::shared_ptr<FolderLock::Held>>;
    return *held;
}

int lockDescriptor(int fd)
{
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    return rc;
}

} // namespace

bool isReadOnlyFile(const QString &path)
{
    struct stat st {};
    return ::stat(paths::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode) &&
           (st.st_mode & S_IWUSR) == 0;
}

bool saveWhole(const QString &path, QByteArrayView bytes, QString *error)
{
    if (isReadOnlyFile(path)) {
        if (error)
            *error = QStringLiteral("the file is read-only");
        return false;
    }
    // QSaveFile names its files in UTF-8: a name that is not would be written elsewhere.
    if (paths::hasRawBytes(path)) {
        if (error)
            *error = QStringLiteral("the name holds bytes that are not UTF-8");
        return false;
    }
    QSaveFile file(path);
    const auto failed = [&] {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    if (file.write(bytes.data(), bytes.size()) != bytes.size())
        return failed();
    // commit() renames the temporary file over the target even when its buffer could not be
    // written out (a full disk): flush first and give up on failure.
    if (!file.flush())
        return failed();
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

// One folder's lock: its descriptor and how many FolderLocks of this process hold it. Its own
// mutex is held while the descriptor is opened and locked, so a second FolderLock of the
// same folder waits for the first to have the lock, and only that one waits on its share.
struct FolderLock::Held {
    std::mutex mutex;
    int fd = -1;
    int depth = 0;
};

FolderLock::FolderLock(const QString &path) : m_folder(QFileInfo(path).absolutePath())
{
    for (;;) {
        {
            QMutexLocker locker(&heldMutex());
            std::shared_ptr<Held> &slot = heldFolders()[m_folder];
            if (!slot)
                slot = std::make_shared<Held>();
            m_held = slot;
        }
        std::lock_guard<std::mutex> guard(m_held->mutex);
        {
            // The last holder may have let the folder go while this one waited: take the
            // table's current entry instead, or this one's descriptor would be a second lock
            // that a nested FolderLock of this thread would then wait on.
            QMutexLocker locker(&heldMutex());
            if (heldFolders().value(m_folder) != m_held)
                continue;
        }
        if (m_held->depth++ > 0)
            return;
        int fd;
        do {
            fd =
                ::open(paths::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0 && lockDescriptor(fd) != 0) {
            ::close(fd);
            fd = -1;
        }
        m_held->fd = fd;
        return;
    }
}

FolderLock::~FolderLock()
{
    std::lock_guard<std::mutex> guard(m_held->mutex);
    if (--m_held->depth > 0)
        return;
    if (m_held->fd >= 0)
        ::close(m_held->fd); // closing the last descriptor releases the lock
    m_held->fd = -1;
    QMutexLocker locker(&heldMutex());
    if (heldFolders().value(m_folder) == m_held)
        heldFolders().remove(m_folder);
}

DescriptorLock::DescriptorLock(int fd)
{
    if (fd >= 0 && lockDescriptor(fd) == 0)
        m_fd = fd;
}

DescriptorLock::~DescriptorLock()
{
    if (m_fd >= 0)
        ::flock(m_fd, LOCK_UN);
}

} // namespace hv
