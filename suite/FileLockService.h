// The file-lock service ("HVFileLockSvc.Application"): who holds a file open.
//
// FileLockService is the interface the lock check talks to; ProcFileLockService is the
// implementation on this computer. A file counts as open when any other process has it
// open: every open descriptor is compared with the file by device and inode, and so is every
// lock in /proc/locks (which also shows the holders of other users, whose descriptors cannot
// be read). A descriptor is known from /proc alone (its fdinfo and its holder's mount table),
// never by following it into its file system, which may be a share that stopped answering:
// only the files asked about are examined directly. Names are found without regard to letter
// case. Such holders are all on
// this computer, so a successful GetFileLockInfo lists no users; holders on other computers
// cannot be seen from here. Error codes are errno values and their text
// is strerror's.
#pragma once

#include "platform/NetworkPaths.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace hv {

// One holder of a file, as the service reports it.
struct LockHolder {
    QString UserName;
    QString ComputerName;
};

// The holders found by the last successful GetFileLockInfo (1-based, as the service's
// collection).
class LockUserList {
public:
    qint32 Count() const { return qint32(m_items.size()); }
    const LockHolder &Item(qint32 index) const { return m_items.at(index - 1); }
    void clear() { m_items.clear(); }
    void append(const LockHolder &holder) { m_items.append(holder); }

private:
    QList<LockHolder> m_items;
};

class FileLockService {
public:
    virtual ~FileLockService() = default;
    // True when the file is held open by another process.
    virtual bool IsFileOpen(const QString &path) = 0;
    // 0 when the holders could be determined (then in LockUsers), otherwise an error code.
    virtual qint32 GetFileLockInfo(const QString &path) = 0;
    virtual const LockUserList &LockUsers() const = 0;
    // The system's text for an error code from GetFileLockInfo.
    virtual QString GetExtendedError(qint32 code) const = 0;
    // The first of `paths` that another process holds open, or empty when none is held.
    // One question for a whole file set: the service may answer it in one pass.
    virtual QString firstOpen(const QStringList &paths)
    {
        for (const QString &path : paths) {
            if (IsFileOpen(path))
                return path;
        }
        return {};
    }
};

class ProcFileLockService : public FileLockService {
public:
    // `procRoot` is the proc file system to scan; `mounts` maps a //server/share path back
    // to the folder it is mounted on, so a path the lock check made UNC can be looked up.
    explicit ProcFileLockService(MountTable mounts = MountTable::fromSystem(),
                                 QString procRoot = QStringLiteral("/proc"));

    bool IsFileOpen(const QString &path) override;
    // One scan of the process table and the locks table for all the paths.
    QString firstOpen(const QStringList &paths) override;
    qint32 GetFileLockInfo(const QString &path) override;
    const LockUserList &LockUsers() const override { return m_users; }
    QString GetExtendedError(qint32 code) const override;

    // The local path of `path`: a UNC path on a mounted share becomes the path under its
    // mount point; any other path is returned as it is.
    QString localPathOf(const QString &path) const { return m_network.localPathOf(path); }

private:
    // Counts the processes other than this one that hold the file; errno value on failure
    // (the file cannot be examined, or the process list cannot be read).
    int countHolders(const QString &path, int &holders) const;

    NetworkPaths m_network;
    QString m_procRoot;
    LockUserList m_users;
};

} // namespace hv
