#include "platform/MountTable.h"

#include "platform/FileNames.h"

#include <QDir>
#include <QIODevice>

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <poll.h>
#include <unistd.h>

namespace hv {

namespace {

// This process's table, open for the kernel's change notices, and what was last read from it.
// Never destroyed: a job may ask for it while the process ends.
struct SystemTable {
    std::mutex mutex;
    int fd = -1;
    bool read = false;
    MountTable table;
};

SystemTable &systemTable()
{
    static auto *table = new SystemTable;
    return *table;
}

// The table's text, read through `fd` from its start (a file of /proc has no size to go by).
std::optional<QByteArray> readWhole(int fd)
{
    if (::lseek(fd, 0, SEEK_SET) < 0)
        return std::nullopt;
    QByteArray text;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0 || text.size() + got > MountTable::kMaxTableBytes)
            return text;
        text.append(buffer, got);
    }
}

// mountinfo writes space, TAB, LF and backslash in paths as octal escapes (\040 ...).
QString unescapeField(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = false;
            const int value = digits.toInt(&ok, 8);
            if (ok && digits.size() == 3 && value < 256) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(c);
    }
    return paths::decodeName(out);
}

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

bool isUnderFolder(const QString &path, const QString &folder)
{
    if (folder == QLatin1String("/"))
        return path.startsWith(u'/');
    return path == folder || (path.startsWith(folder) && path.at(folder.size()) == u'/');
}

} // namespace

MountTable MountTable::parse(QIODevice &device)
{
    // Read to the end rather than asking atEnd(): procfs files report a size of 0, so a
    // QFile on /proc/self/mountinfo is "at its end" before its first read.
    QByteArray text;
    while (text.size() < kMaxTableBytes) {
        const QByteArray chunk = device.read(qMin<qint64>(64 * 1024, kMaxTableBytes - text.size()));
        if (chunk.isEmpty())
            break;
        text += chunk;
    }
    return parseText(text);
}

MountTable MountTable::parseText(const QByteArray &text)
{
    MountTable table;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArray line = text.sliced(start, end - start).trimmed();
        start = end + 1;
        const QList<QByteArray> fields = line.split(' ');
        // id parent major:minor root mount-point options [optional...] - type source super
        const qsizetype dash = fields.indexOf(QByteArray("-"), 6);
        if (fields.size() < 10 || dash < 0 || dash + 2 >= fields.size())
            continue;
        const QString mountPoint = unescapeField(fields.at(4));
        if (!mountPoint.startsWith(u'/'))
            continue;
        table.m_entries.append(MountEntry{withoutTrailingSlash(QDir::cleanPath(mountPoint)),
                                          unescapeField(fields.at(dash + 1)),
                                          unescapeField(fields.at(dash + 2))});
    }
    return table;
}

MountTable MountTable::fromSystem()
{
    SystemTable &system = systemTable();
    const std::lock_guard lock(system.mutex);
    if (system.fd < 0) {
        system.fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
        if (system.fd < 0)
            return {};
        system.read = false;
    }
    if (system.read) {
        // Polling takes the change notice too: a change after it is seen by the next call.
        pollfd watch{system.fd, POLLPRI, 0};
        if (::poll(&watch, 1, 0) == 0)
            return system.table;
    }
    const std::optional<QByteArray> text = readWhole(system.fd);
    if (!text) {
        ::close(system.fd);
        system.fd = -1;
        system.read = false;
        return {};
    }
    system.table = parseText(*text);
    system.read = true;
    return system.table;
}

const MountEntry *MountTable::mountOf(const QString &absolutePath) const
{
    const QString path = QDir::cleanPath(absolutePath);
    const MountEntry *best = nullptr;
    for (const MountEntry &entry : m_entries) {
        if (isUnderFolder(path, entry.mountPoint) &&
            (!best || entry.mountPoint.size() >= best->mountPoint.size()))
            best = &entry;
    }
    return best;
}

const MountEntry *MountTable::mountOfShare(const QString &uncPath) const
{
    QString path = uncPath;
    path.replace(u'\\', u'/');
    const MountEntry *best = nullptr;
    for (const MountEntry &entry : m_entries) {
        if (!isNetworkType(entry.fsType))
            continue;
        const QString share = shareOf(entry);
        if (share.size() > 2 && isUnderFolder(path, share) &&
            (!best || share.size() > shareOf(*best).size()))
            best = &entry;
    }
    return best;
}

bool MountTable::isNetworkType(const QString &fsType)
{
    static const QStringList kTypes = {
        QStringLiteral("cifs"),           QStringLiteral("smb3"),
        QStringLiteral("smbfs"),          QStringLiteral("nfs"),
        QStringLiteral("nfs4"),           QStringLiteral("fuse.sshfs"),
        QStringLiteral("sshfs"),          QStringLiteral("9p"),
        QStringLiteral("ceph"),           QStringLiteral("glusterfs"),
        QStringLiteral("fuse.glusterfs"), QStringLiteral("afs"),
        QStringLiteral("ncpfs"),          QStringLiteral("davfs"),
        QStringLiteral("fuse.davfs2"),    QStringLiteral("fuse.rclone")};
    return kTypes.contains(fsType);
}

bool MountTable::isLocalPath(const QString &absolutePath) const
{
    const MountEntry *mount = mountOf(absolutePath);
    if (!mount)
        return false;
    const QString &type = mount->fsType;
    return !isNetworkType(type) && type != QLatin1String("fuse") &&
           type != QLatin1String("fuseblk") && !type.startsWith(QLatin1String("fuse."));
}

QString MountTable::shareOf(const MountEntry &mount)
{
    QString source = mount.source;
    source.replace(u'\\', u'/');
    if (source.startsWith(QLatin1String("//")))
        return withoutTrailingSlash(source);
    const qsizetype colon = source.indexOf(u':');
    if (colon <= 0)
        return withoutTrailingSlash(source);
    QString host = source.left(colon);
    host = host.mid(host.lastIndexOf(u'@') + 1);
    QString rest = source.mid(colon + 1);
    while (rest.startsWith(u'/'))
        rest.remove(0, 1);
    return withoutTrailingSlash(QStringLiteral("//") + host + u'/' + rest);
}

} // namespace hv
