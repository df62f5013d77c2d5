#include "dbase/TableFile.h"

#include "dbase/DbaseError.h"
#include "platform/FileNames.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hv {

TableFile::~TableFile()
{
    close();
}

void TableFile::fail(const char *operation, int error) const
{
    throw DbaseError(
        dbase_errors::kFileSystem,
        QStringLiteral("Cannot %1 '%2': %3")
            .arg(QLatin1String(operation), m_path, QString::fromLocal8Bit(std::strerror(error))),
        error);
}

void TableFile::openExisting(const QString &path, bool readWrite)
{
    close();
    m_path = path;
    const QByteArray name = paths::encodeName(path);
    int fd;
    do {
        // Without blocking: a FIFO must not hold the open up; it is refused below.
        fd = ::open(name.constData(), (readWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        fail("open", errno);
    // Only a regular file is a table: a folder, a FIFO or a device is refused at once.
    struct stat st;
    const bool statted = ::fstat(fd, &st) == 0;
    if (!statted || !S_ISREG(st.st_mode)) {
        const int error = !statted ? errno : (S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        ::close(fd);
        if (error == EINVAL)
            throw DbaseError(dbase_errors::kFileSystem,
                             QStringLiteral("Cannot open '%1': it is not a regular file").arg(path),
                             error);
        fail("open", error);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_fd = fd;
}

bool TableFile::create(const QString &path)
{
    close();
    m_path = path;
    const QByteArray name = paths::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    m_fd = fd;
    m_error = fd >= 0 ? QString() : QString::fromLocal8Bit(std::strerror(errno));
    return fd >= 0;
}

void TableFile::truncate(int64_t length)
{
    int rc;
    do {
        rc = ::ftruncate(m_fd, off_t(length));
    } while (rc != 0 && errno == EINTR);
    if (rc != 0)
        fail("write", errno);
}

void TableFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

int64_t TableFile::size() const
{
    struct stat st;
    if (::fstat(m_fd, &st) != 0)
        fail("read", errno);
    return int64_t(st.st_size);
}

int64_t TableFile::readAt(int64_t offset, char *data, int64_t length) const
{
    if (offset < 0 || length <= 0)
        return 0;
    int64_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(m_fd, data + done, size_t(length - done), off_t(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("read", errno);
        }
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

void TableFile::writeAt(int64_t offset, const char *data, int64_t length)
{
    if (offset < 0)
        fail("write", EINVAL);
    int64_t done = 0;
    while (done < length) {
        const ssize_t n = ::pwrite(m_fd, data + done, size_t(length - done), off_t(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("write", errno);
        }
        done += n;
    }
}

} // namespace hv
