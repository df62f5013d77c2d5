#include "suite/FileLockService.h"

#include "platform/PathNames.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hv {

namespace {

bool isAllDigits(const char *name)
{
    if (!*name)
        return false;
    for (; *name; ++name) {
        if (*name < '0' || *name > '9')
            return false;
    }
    return true;
}

// True when one of the open descriptors of the process in `fdFolder` refers to the file.
bool processHolds(const QByteArray &fdFolder, dev_t device, ino_t inode)
{
    DIR *fds = opendir(fdFolder.constData());
    if (!fds)
        return false; // another user's process, or it has ended: not visible from here
    bool holds = false;
    while (const dirent *fd = readdir(fds)) {
        if (!isAllDigits(fd->d_name))
            continue;
        struct stat target {};
        const QByteArray link = fdFolder + '/' + fd->d_name;
        if (stat(link.constData(), &target) == 0 && target.st_dev == device &&
            target.st_ino == inode) {
            holds = true;
            break;
        }
    }
    closedir(fds);
    return holds;
}

} // namespace

ProcFileLockService::ProcFileLockService(MountTable mounts, QString procRoot)
    : m_network(std::move(mounts)), m_procRoot(std::move(procRoot))
{
}

int ProcFileLockService::countHolders(const QString &path, int &holders) const
{
    holders = 0;
    if (path.isEmpty())
        return ENOENT;
    struct stat file {};
    // The file meant, found without regard to letter case as every other lookup finds it.
    const QString asked = localPathOf(path);
    const QString onDisk = paths::findExisting(asked);
    const QByteArray local = QFile::encodeName(onDisk.isEmpty() ? asked : onDisk);
    if (stat(local.constData(), &file) != 0)
        return errno;
    const QByteArray root = QFile::encodeName(m_procRoot);
    DIR *processes = opendir(root.constData());
    if (!processes)
        return errno;
    const QByteArray self = QByteArray::number(qint64(getpid()));
    while (const dirent *process = readdir(processes)) {
        if (!isAllDigits(process->d_name) || self == process->d_name)
            continue;
        if (processHolds(root + '/' + process->d_name + "/fd", file.st_dev, file.st_ino))
            ++holders;
    }
    closedir(processes);
    return 0;
}

bool ProcFileLockService::IsFileOpen(const QString &path)
{
    int holders = 0;
    return countHolders(path, holders) == 0 && holders > 0;
}

qint32 ProcFileLockService::GetFileLockInfo(const QString &path)
{
    m_users.clear();
    int holders = 0;
    // Every holder that can be seen is a process on this computer, and such holders are
    // reported as a success without user entries.
    return countHolders(path, holders);
}

QString ProcFileLockService::GetExtendedError(qint32 code) const
{
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace hv
