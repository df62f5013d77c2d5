#include "platform/SmallFile.h"

#include "platform/FileNames.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace hv {

namespace {

// Files are read without updating their access times: a list or a look at a template is no
// use of the file, and the check costs each open. The system allows it only to the file's
// owner; once it refuses, files are opened as usual.
std::atomic<bool> g_noAccessTime{true};

int openReadOnly(int folderFd, const char *name)
{
    constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    int fd;
    if (g_noAccessTime.load(std::memory_order_relaxed)) {
        do {
            fd = ::openat(folderFd, name, kFlags | O_NOATIME);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0 || errno != EPERM)
            return fd;
        g_noAccessTime.store(false, std::memory_order_relaxed);
    }
    do {
        fd = ::openat(folderFd, name, kFlags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

ReadOnlyFile::ReadOnlyFile(const QString &path)
{
    const paths::NativeName native(path);
    m_fd = openReadOnly(AT_FDCWD, native.get());
    if (m_fd < 0)
        m_error = errno;
}

ReadOnlyFile::ReadOnlyFile(int folderFd, QStringView name)
{
    const paths::NativeName native(name);
    m_fd = openReadOnly(folderFd, native.get());
    if (m_fd < 0)
        m_error = errno;
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool ReadOnlyFile::stat()
{
    if (::fstat(m_fd, &m_stat) != 0) {
        m_error = errno;
        return false;
    }
    if (!S_ISREG(m_stat.st_mode)) {
        m_error = S_ISDIR(m_stat.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    return true;
}

bool ReadOnlyFile::readAt(qint64 offset, char *data, qint64 length, qint64 &got)
{
    // One call: a short read of a regular file is its end, so no second call is needed to
    // confirm it (a fill reads thousands of files, and each call counts).
    ssize_t n;
    do {
        n = ::pread(m_fd, data, size_t(length), off_t(offset));
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        m_error = errno;
        got = 0;
        return false;
    }
    got = n;
    return true;
}

bool ReadOnlyFile::readWhole(QByteArray &buffer, qint64 maxBytes, qint64 &length)
{
    length = 0;
    const qint64 first = std::min(kFirstReadBytes, maxBytes + 1);
    if (buffer.size() < first)
        buffer.resize(first);
    if (!readAt(0, buffer.data(), first, length))
        return false;
    if (length < first)
        return true;
    // Larger than the first read: ask for the size and read the rest.
    if (!stat())
        return false;
    if (size() > maxBytes) {
        m_error = EFBIG;
        return false;
    }
    if (buffer.size() < size())
        buffer.resize(size());
    qint64 more = 0;
    if (!readAt(length, buffer.data() + length, buffer.size() - length, more))
        return false;
    length += more;
    return true;
}

FolderHandles::~FolderHandles()
{
    for (const int fd : std::as_const(m_fds)) {
        if (fd >= 0)
            ::close(fd);
    }
}

int FolderHandles::descriptorOf(const QString &folder)
{
    // A fill asks for the same folder, often the same string, thousands of times.
    if (m_lastFolder.isEmpty() ||
        (folder.constData() != m_lastFolder.constData() && folder != m_lastFolder)) {
        m_lastFolder = folder;
        auto known = m_fds.find(m_lastFolder);
        if (known == m_fds.end()) {
            int fd;
            do {
                fd = ::open(paths::encodeName(m_lastFolder).constData(),
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            } while (fd < 0 && errno == EINTR);
            known = m_fds.insert(m_lastFolder, fd);
        }
        m_lastFd = *known;
    }
    return m_lastFd;
}

void FolderHandles::open(std::optional<ReadOnlyFile> &file, const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0 || slash == path.size() - 1) {
        file.emplace(path);
        return;
    }
    const QStringView folder = QStringView(path).first(slash + 1);
    if (m_lastFolder.isEmpty() || folder != m_lastFolder)
        descriptorOf(folder.toString());
    if (m_lastFd < 0)
        file.emplace(path);
    else
        file.emplace(m_lastFd, QStringView(path).sliced(slash + 1));
}

bool readRegularFile(const QString &path, qint64 maxBytes, QByteArray &bytes, QString &error)
{
    bytes.clear();
    ReadOnlyFile file(path);
    if (!file.isOpen() || !file.stat()) {
        if (file.error() == EISDIR)
            error = QStringLiteral("it is a folder");
        else if (file.error() == EINVAL)
            error = QStringLiteral("it is not a regular file");
        else
            error = qt_error_string(file.error());
        return false;
    }
    if (file.size() > maxBytes) {
        error = QStringLiteral("it is larger than %1 bytes").arg(maxBytes);
        return false;
    }
    qint64 length = 0;
    if (!file.readWhole(bytes, maxBytes, length)) {
        error = file.error() == EFBIG ? QStringLiteral("it is larger than %1 bytes").arg(maxBytes)
                                      : qt_error_string(file.error());
        bytes.clear();
        return false;
    }
    bytes.truncate(length);
    return true;
}

bool isRegularOrAbsent(const QString &path, QString *reason)
{
    ReadOnlyFile file(path);
    if (!file.isOpen() || file.stat())
        return true;
    if (reason)
        *reason = file.error() == EISDIR   ? QStringLiteral("it is a folder")
                  : file.error() == EINVAL ? QStringLiteral("it is not a regular file")
                                           : qt_error_string(file.error());
    return false;
}

qint64 modifiedSecsOf(const QString &path)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(paths::encodeName(path).constData(), &st) != 0)
        return -1;
    return qint64(st.st_mtim.tv_sec);
}

} // namespace hv
