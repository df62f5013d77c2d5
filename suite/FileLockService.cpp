#include "suite/FileLockService.h"

#include "platform/FileNames.h"
#include "platform/PathNames.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <map>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <utility>

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

// A file as the system knows it: device and inode.
using FileId = std::pair<dev_t, ino_t>;

// Calls `seen` with the file of each open descriptor of the process in `fdFolder`, until it
// returns true.
template <typename Seen> void forEachOpenFile(const QByteArray &fdFolder, Seen seen)
{
    DIR *fds = opendir(fdFolder.constData());
    if (!fds)
        return; // another user's process, or it has ended: not visible from here
    while (const dirent *fd = readdir(fds)) {
        if (!isAllDigits(fd->d_name))
            continue;
        struct stat target {};
        const QByteArray link = fdFolder + '/' + fd->d_name;
        if (stat(link.constData(), &target) == 0 && seen(FileId{target.st_dev, target.st_ino}))
            break;
    }
    closedir(fds);
}

// True when one of the open descriptors of the process in `fdFolder` refers to the file.
bool processHolds(const QByteArray &fdFolder, dev_t device, ino_t inode)
{
    bool holds = false;
    forEachOpenFile(fdFolder, [&](const FileId &id) {
        holds = id == FileId{device, inode};
        return holds;
    });
    return holds;
}

// Adds the processes that hold a lock on the file, as the locks table lists them, to
// `holders`. The table is readable by every user, so it shows the holders whose
// descriptors are hidden from us. A line reads
//   "1: POSIX  ADVISORY  WRITE 1234 08:01:1310722 0 EOF"
// (the device as hex major:minor, the inode in decimal); waiters, marked "->", hold nothing.
// An open-file-description lock names no process (-1); each counts as a holder of its own.
// Calls `held` with the file and the process (or a negative number of its own for a lock
// that names none) of each lock in the locks table that is not this process's.
template <typename Held> void forEachLock(const QByteArray &locksFile, qint64 self, Held held)
{
    QFile file(QFile::decodeName(locksFile));
    if (!file.open(QIODevice::ReadOnly))
        return;
    qint64 unnamed = 0;
    constexpr qint64 kMaxBytes = 16 * 1024 * 1024;
    qint64 seen = 0;
    while (seen < kMaxBytes) {
        const QByteArray line = file.readLine(4096);
        if (line.isEmpty())
            break;
        seen += line.size();
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 6 || fields.at(1) == "->")
            continue;
        const QList<QByteArray> id = fields.at(5).split(':');
        if (id.size() != 3)
            continue;
        bool okMajor = false, okMinor = false, okInode = false, okPid = false;
        const uint major = id.at(0).toUInt(&okMajor, 16);
        const uint minor = id.at(1).toUInt(&okMinor, 16);
        const qulonglong lockInode = id.at(2).toULongLong(&okInode, 10);
        const qint64 pid = fields.at(4).toLongLong(&okPid, 10);
        if (!okMajor || !okMinor || !okInode || !okPid || pid == self)
            continue;
        held(FileId{makedev(major, minor), ino_t(lockInode)}, pid > 0 ? pid : --unnamed);
    }
}

void addLockHolders(const QByteArray &locksFile, dev_t device, ino_t inode, qint64 self,
                    QSet<qint64> &holders)
{
    forEachLock(locksFile, self, [&](const FileId &id, qint64 pid) {
        if (id == FileId{device, inode})
            holders.insert(pid);
    });
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
    // The name is found without regard to letter case, as every other lookup finds it.
    const QString found = paths::findExisting(localPathOf(path));
    if (found.isEmpty())
        return ENOENT;
    struct stat file {};
    const QByteArray local = paths::encodeName(found);
    if (stat(local.constData(), &file) != 0)
        return errno;
    const QByteArray root = paths::encodeName(m_procRoot);
    DIR *processes = opendir(root.constData());
    if (!processes)
        return errno;
    const qint64 self = qint64(getpid());
    const QByteArray selfName = QByteArray::number(self);
    QSet<qint64> pids;
    while (const dirent *process = readdir(processes)) {
        if (!isAllDigits(process->d_name) || selfName == process->d_name)
            continue;
        if (processHolds(root + '/' + process->d_name + "/fd", file.st_dev, file.st_ino))
            pids.insert(QByteArray(process->d_name).toLongLong());
    }
    closedir(processes);
    addLockHolders(root + "/locks", file.st_dev, file.st_ino, self, pids);
    holders = int(pids.size());
    return 0;
}

QString ProcFileLockService::firstOpen(const QStringList &paths)
{
    // Each file's identity, then one pass over every process's descriptors and the locks.
    std::map<FileId, qsizetype> wanted;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString local = localPathOf(paths.at(i));
        QString found = local;
        struct stat file {};
        if (stat(paths::encodeName(found).constData(), &file) != 0) {
            found = paths::findExisting(local);
            if (found.isEmpty() || stat(paths::encodeName(found).constData(), &file) != 0)
                continue;
        }
        wanted.emplace(FileId{file.st_dev, file.st_ino}, i);
    }
    if (wanted.empty())
        return {};
    qsizetype first = paths.size();
    const auto note = [&](const FileId &id) {
        if (const auto it = wanted.find(id); it != wanted.end())
            first = std::min(first, it->second);
    };
    const QByteArray root = paths::encodeName(m_procRoot);
    const qint64 self = qint64(getpid());
    const QByteArray selfName = QByteArray::number(self);
    if (DIR *processes = opendir(root.constData())) {
        while (const dirent *process = readdir(processes)) {
            if (!isAllDigits(process->d_name) || selfName == process->d_name)
                continue;
            forEachOpenFile(root + '/' + process->d_name + "/fd", [&](const FileId &id) {
                note(id);
                return false;
            });
        }
        closedir(processes);
    }
    forEachLock(root + "/locks", self, [&](const FileId &id, qint64) { note(id); });
    return first < paths.size() ? paths.at(first) : QString();
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
