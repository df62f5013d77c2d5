#include "suite/FileLockService.h"

#include "platform/FileNames.h"
#include "platform/PathNames.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <optional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
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

// A file as /proc shows it: the device of its file system, as the mount tables and the locks
// table give it, and its inode.
using FileId = std::pair<dev_t, ino_t>;

// Mount id -> device, as one mount table (a mountinfo file) gives them.
using MountDevices = std::unordered_map<quint64, dev_t>;

// The most read of a mount table or the locks table.
constexpr qsizetype kMaxTable = 16 * 1024 * 1024;

// At most `limit` bytes of a file under /proc, or empty when it cannot be read. The kernel
// writes these files from what it holds in memory: reading one never waits on the file system
// a descriptor refers to, as a stat() of /proc/PID/fd/N would.
QByteArray readProcFile(const QByteArray &path, qsizetype limit)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {};
    QByteArray text;
    qsizetype size = 0;
    while (size < limit) {
        text.resize(std::min(limit, size + 64 * 1024));
        const ssize_t n = ::read(fd, text.data() + size, size_t(text.size() - size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        size += n;
    }
    ::close(fd);
    text.truncate(size);
    return text;
}

// The target of a symbolic link under /proc (a descriptor, a namespace), or empty.
QByteArray readProcLink(const QByteArray &path)
{
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.constData(), target, sizeof target);
    return n > 0 && size_t(n) < sizeof target ? QByteArray(target, n) : QByteArray();
}

// A mountinfo line reads
//   "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue"
// (the mount id first, the device as decimal major:minor third).
MountDevices parseMountDevices(const QByteArray &table)
{
    MountDevices devices;
    for (const QByteArray &line : table.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 3)
            continue;
        const qsizetype colon = fields.at(2).indexOf(':');
        bool okId = false, okMajor = false, okMinor = false;
        const quint64 id = fields.at(0).toULongLong(&okId);
        const uint major = fields.at(2).left(colon).toUInt(&okMajor);
        const uint minor = fields.at(2).mid(colon + 1).toUInt(&okMinor);
        if (okId && okMajor && okMinor && colon > 0)
            devices.emplace(id, makedev(major, minor));
    }
    return devices;
}

// What /proc/PID/fdinfo/N says of a descriptor: "pos:\t0\nflags:\t02\nmnt_id:\t27\nino:\t1234\n"
// (kernels before 5.14 write no inode), read relative to the open fdinfo folder: one of these
// is read for every descriptor of every process, so this costs one open and one read.
struct Descriptor {
    std::optional<quint64> mountId;
    std::optional<quint64> inode;
};

Descriptor readFdInfo(int folder, const char *name)
{
    Descriptor descriptor;
    const int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return descriptor;
    char text[256];
    ssize_t n = 0;
    do {
        n = ::read(fd, text, sizeof text - 1);
    } while (n < 0 && errno == EINTR);
    ::close(fd);
    if (n <= 0)
        return descriptor;
    text[n] = '\0';
    const auto valueOf = [&](const char *key) -> std::optional<quint64> {
        const size_t length = std::strlen(key);
        for (const char *line = text; line && *line;) {
            if (std::strncmp(line, key, length) == 0) {
                char *end = nullptr;
                errno = 0;
                const unsigned long long value = std::strtoull(line + length, &end, 10);
                if (end != line + length && errno == 0)
                    return quint64(value);
            }
            line = std::strchr(line, '\n');
            if (line)
                ++line;
        }
        return std::nullopt;
    };
    descriptor.mountId = valueOf("mnt_id:");
    descriptor.inode = valueOf("ino:");
    return descriptor;
}

// Calls `held` with the file and the process (or a negative number of its own for a lock
// that names none) of each lock in the locks table that is not this process's. The table is
// readable by every user, so it shows the holders whose descriptors are hidden from us. A
// line reads
//   "1: POSIX  ADVISORY  WRITE 1234 08:01:1310722 0 EOF"
// (the device as hex major:minor, the inode in decimal); waiters, marked "->", hold nothing.
// An open-file-description lock names no process (-1); each counts as a holder of its own.
template <typename Held> void forEachLock(const QByteArray &locksFile, qint64 self, Held held)
{
    qint64 unnamed = 0;
    for (const QByteArray &line : readProcFile(locksFile, kMaxTable).split('\n')) {
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

// The files one scan looks for, each with its place in the caller's list. Only these files
// are ever examined directly; every other process's files are known from /proc alone.
class WantedFiles {
public:
    WantedFiles() : m_ownMounts(parseMountDevices(readProcFile("/proc/self/mountinfo", kMaxTable)))
    {
    }

    // Adds the file at `local` (a path on disk); false when it cannot be examined.
    bool add(const QByteArray &local, qsizetype index)
    {
        // The device the kernel shows for the file's mount, which is what other processes'
        // mount tables and the locks table show; stat()'s device differs from it on some file
        // systems (a btrfs subvolume). Where the kernel does not tell the mount, stat's.
        struct statx file {};
        if (statx(AT_FDCWD, local.constData(), 0, STATX_INO | STATX_MNT_ID, &file) != 0)
            return false;
        dev_t device = makedev(file.stx_dev_major, file.stx_dev_minor);
        if (file.stx_mask & STATX_MNT_ID) {
            if (const auto mount = m_ownMounts.find(file.stx_mnt_id); mount != m_ownMounts.end())
                device = mount->second;
        }
        m_ids.emplace(FileId{device, ino_t(file.stx_ino)}, index);
        m_inodes.insert(file.stx_ino);
        m_locals.append({local, index});
        return true;
    }

    bool isEmpty() const { return m_ids.empty(); }
    bool hasInode(quint64 inode) const { return m_inodes.contains(inode); }
    // The index of the file, or -1.
    qsizetype indexOf(const FileId &id) const
    {
        const auto it = m_ids.find(id);
        return it == m_ids.end() ? -1 : it->second;
    }
    // The index of the file whose path with every link resolved is `path`, or -1: for kernels
    // that write no inode into fdinfo, where a descriptor's link is all there is.
    qsizetype indexOfPath(const QByteArray &path)
    {
        if (m_paths.empty()) {
            for (const auto &[local, index] : std::as_const(m_locals)) {
                if (char *real = ::realpath(local.constData(), nullptr)) {
                    m_paths.emplace(QByteArray(real), index);
                    std::free(real);
                }
            }
        }
        const auto it = m_paths.find(path);
        return it == m_paths.end() ? -1 : it->second;
    }

private:
    MountDevices m_ownMounts;
    std::map<FileId, qsizetype> m_ids;
    std::unordered_set<quint64> m_inodes;
    QList<QPair<QByteArray, qsizetype>> m_locals;
    std::map<QByteArray, qsizetype> m_paths; // made on first use
};

// One pass over the open descriptors of every other process, and over the locks table, for
// the wanted files. A descriptor is matched by the inode and mount id in its fdinfo, the
// mount id made a device through the holder's own mount table: a holder in another mount
// namespace, through a bind mount, or of a file since deleted is found as well, and no file
// system but /proc is asked anything. Mount tables are read only for a process that holds a
// wanted inode, once per mount namespace.
class HolderScan {
public:
    HolderScan(QByteArray procRoot, WantedFiles &wanted)
        : m_root(std::move(procRoot)), m_wanted(wanted),
          m_ownNamespace(readProcLink(m_root + "/self/ns/mnt"))
    {
    }

    // Calls `held(pid, index)` for each wanted file that another process holds, once per
    // descriptor or lock. errno value when the process list cannot be read, otherwise 0.
    template <typename Held> int run(Held held)
    {
        DIR *processes = opendir(m_root.constData());
        if (!processes)
            return errno;
        const qint64 self = qint64(getpid());
        const QByteArray selfName = QByteArray::number(self);
        while (const dirent *process = readdir(processes)) {
            if (!isAllDigits(process->d_name) || selfName == process->d_name)
                continue;
            const qint64 pid = QByteArray(process->d_name).toLongLong();
            scanProcess(m_root + '/' + process->d_name, [&](qsizetype index) { held(pid, index); });
        }
        closedir(processes);
        forEachLock(m_root + "/locks", self, [&](const FileId &id, qint64 pid) {
            if (const qsizetype index = m_wanted.indexOf(id); index >= 0)
                held(pid, index);
        });
        return 0;
    }

private:
    template <typename Found> void scanProcess(const QByteArray &folder, Found found)
    {
        DIR *fds = opendir((folder + "/fdinfo").constData());
        if (!fds)
            return; // another user's process, or it has ended: not visible from here
        const int fdsFolder = dirfd(fds);
        const MountDevices *mounts = nullptr;
        bool mountsRead = false;
        std::optional<bool> ownNamespace;
        while (const dirent *fd = readdir(fds)) {
            if (!isAllDigits(fd->d_name))
                continue;
            const Descriptor descriptor = readFdInfo(fdsFolder, fd->d_name);
            if (!descriptor.inode) {
                // An older kernel: the link's text names the file, which means the same file
                // only in this process's own mount namespace.
                if (!ownNamespace)
                    ownNamespace = !m_ownNamespace.isEmpty() &&
                                   readProcLink(folder + "/ns/mnt") == m_ownNamespace;
                if (*ownNamespace) {
                    const QByteArray path = readProcLink(folder + "/fd/" + fd->d_name);
                    if (const qsizetype index = m_wanted.indexOfPath(path); index >= 0)
                        found(index);
                }
                continue;
            }
            if (!descriptor.mountId || !m_wanted.hasInode(*descriptor.inode))
                continue;
            if (!mountsRead) {
                mounts = mountsOf(folder);
                mountsRead = true;
            }
            if (!mounts)
                continue;
            const auto mount = mounts->find(*descriptor.mountId);
            if (mount == mounts->end())
                continue;
            if (const qsizetype index =
                    m_wanted.indexOf(FileId{mount->second, ino_t(*descriptor.inode)});
                index >= 0)
                found(index);
        }
        closedir(fds);
    }

    // The mount table of the process in `folder`, read once for each mount namespace (the
    // processes of one namespace share one table); null when it cannot be read.
    const MountDevices *mountsOf(const QByteArray &folder)
    {
        const QByteArray space = readProcLink(folder + "/ns/mnt");
        if (!space.isEmpty()) {
            if (const auto known = m_byNamespace.find(space); known != m_byNamespace.end())
                return &known->second;
        }
        const QByteArray table = readProcFile(folder + "/mountinfo", kMaxTable);
        if (table.isEmpty())
            return nullptr;
        if (space.isEmpty()) {
            m_unshared = parseMountDevices(table);
            return &m_unshared;
        }
        return &m_byNamespace.emplace(space, parseMountDevices(table)).first->second;
    }

    QByteArray m_root;
    WantedFiles &m_wanted;
    QByteArray m_ownNamespace;
    std::map<QByteArray, MountDevices> m_byNamespace;
    MountDevices m_unshared;
};

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
    WantedFiles wanted;
    if (!wanted.add(paths::encodeName(found), 0))
        return errno;
    QSet<qint64> pids;
    if (const int error =
            HolderScan(paths::encodeName(m_procRoot), wanted).run([&](qint64 pid, qsizetype) {
                pids.insert(pid);
            }))
        return error;
    holders = int(pids.size());
    return 0;
}

QString ProcFileLockService::firstOpen(const QStringList &paths)
{
    // Each file's identity, then one pass over every process's descriptors and the locks.
    WantedFiles wanted;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString local = localPathOf(paths.at(i));
        if (!wanted.add(paths::encodeName(local), i)) {
            const QString found = paths::findExisting(local);
            if (!found.isEmpty())
                wanted.add(paths::encodeName(found), i);
        }
    }
    if (wanted.isEmpty())
        return {};
    qsizetype first = paths.size();
    HolderScan(paths::encodeName(m_procRoot), wanted).run([&](qint64, qsizetype index) {
        first = std::min(first, index);
    });
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
