// The mounts of this computer as /proc/self/mountinfo lists them, and the questions the
// network-path helpers ask of them: which mount holds a path, and is it a network mount.
#pragma once

#include <QList>
#include <QString>

class QIODevice;

namespace hv {

struct MountEntry {
    QString mountPoint; // absolute, without a trailing '/' (except the root "/")
    QString fsType;     // e.g. "ext4", "cifs", "fuse.sshfs"
    QString source;     // e.g. "/dev/sda1", "//server/share", "server:/export"
};

class MountTable {
public:
    MountTable() = default;

    // Parses mountinfo text. Lines that do not have the expected fields are skipped, so a
    // damaged table gives fewer mounts, never a failure.
    static MountTable parse(QIODevice &device);
    static MountTable parseText(const QByteArray &text);
    // The table of this process (/proc/self/mountinfo); empty when it cannot be read. The
    // table is read again only when the kernel says it changed (a mount or an unmount marks
    // the open file with a priority event): a job's start asks for it, on the window's thread.
    static MountTable fromSystem();

    const QList<MountEntry> &entries() const { return m_entries; }

    // The mount that holds `absolutePath`: the longest mount point that is the path or one
    // of its parent folders; of equal ones the last listed (it covers the earlier).
    // nullptr when no mount point matches (an empty table).
    const MountEntry *mountOf(const QString &absolutePath) const;

    // The network mount whose share (see shareOf) is the UNC path or a parent of it.
    const MountEntry *mountOfShare(const QString &uncPath) const;

    // True for file system types that reach another computer.
    static bool isNetworkType(const QString &fsType);

    // True when every change to a folder on `absolutePath`'s mount passes through this
    // computer's kernel, so change notification (inotify) sees it: not a network mount and
    // not FUSE (whose file system may be changed behind the kernel's back). False when no
    // mount holds the path.
    bool isLocalPath(const QString &absolutePath) const;

    // The share of a network mount in the form //server/share: a cifs source already has
    // it; "server:/export" (nfs) and "user@server:path" (sshfs) become "//server/export"
    // and "//server/path".
    static QString shareOf(const MountEntry &mount);

    // The most of a table that is read; a system with more mounts than fit is not expected.
    static constexpr qint64 kMaxTableBytes = 16 * 1024 * 1024;

private:
    QList<MountEntry> m_entries;
};

} // namespace hv
