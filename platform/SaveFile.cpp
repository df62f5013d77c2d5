#include "platform/SaveFile.h"

#include "platform/FileNames.h"

#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hv {
namespace {

// The folder locks this process holds: folder -> (descriptor, nesting depth).
struct HeldFolder {
    int fd = -1;
    int depth = 0;
};

QMutex &heldMutex()
{
    static QMutex mutex;
    return mutex;
}

QHash<QString, HeldFolder> &heldFolders()
{
    static QHash<QString, HeldFolder> held;
    return held;
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

FolderLock::FolderLock(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    QMutexLocker locker(&heldMutex());
    HeldFolder &held = heldFolders()[folder];
    m_folder = folder;
    if (held.depth++ > 0)
        return;
    int fd;
    do {
        fd = ::open(paths::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd >= 0 && lockDescriptor(fd) != 0) {
        ::close(fd);
        fd = -1;
    }
    held.fd = fd;
}

FolderLock::~FolderLock()
{
    QMutexLocker locker(&heldMutex());
    auto it = heldFolders().find(m_folder);
    if (it == heldFolders().end() || --it->depth > 0)
        return;
    if (it->fd >= 0)
        ::close(it->fd); // closing the last descriptor releases the lock
    heldFolders().erase(it);
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
