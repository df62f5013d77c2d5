#include "platform/NetworkPaths.h"

#include "platform/FileNames.h"

namespace hv {

namespace {

// An absolute, clean form of the path; symbolic links are resolved when it exists so that a
// link into a share counts as on the share.
QString absoluteOf(const QString &path)
{
    return paths::canonicalPath(path);
}

} // namespace

bool NetworkPaths::PathIsUNC(const QString &path)
{
    return path.startsWith(QLatin1String("//")) || path.startsWith(QLatin1String("\\\\"));
}

const MountEntry *NetworkPaths::networkMountOf(const QString &path) const
{
    if (path.isEmpty() || PathIsUNC(path))
        return nullptr;
    const MountEntry *mount = m_mounts.mountOf(absoluteOf(path));
    return mount && MountTable::isNetworkType(mount->fsType) ? mount : nullptr;
}

bool NetworkPaths::PathIsNetworkPath(const QString &path) const
{
    return PathIsUNC(path) || networkMountOf(path) != nullptr;
}

bool NetworkPaths::PathStripToRoot(const QString &path, QString &root) const
{
    const MountEntry *mount = networkMountOf(path);
    if (!mount)
        return false;
    root = mount->mountPoint;
    return true;
}

bool NetworkPaths::NetConnection(const QString &root, QString &share) const
{
    for (qsizetype i = m_mounts.entries().size() - 1; i >= 0; --i) {
        const MountEntry &mount = m_mounts.entries().at(i);
        if (mount.mountPoint == root) {
            if (!MountTable::isNetworkType(mount.fsType))
                return false;
            share = MountTable::shareOf(mount);
            return true;
        }
    }
    return false;
}

QString NetworkPaths::PathRoot(const QString &path) const
{
    QString root;
    return PathStripToRoot(path, root) ? root : path;
}

QString NetworkPaths::MakePathUNC(const QString &path) const
{
    QString root;
    QString share;
    if (!PathStripToRoot(path, root) || !NetConnection(root, share))
        return {};
    // Only the leading mount point is the share; the same text deeper in the path is a
    // folder name and stays as it is.
    const QString absolute = absoluteOf(path);
    if (root == QLatin1String("/"))
        return share + absolute;
    return share + absolute.mid(root.size());
}

QString NetworkPaths::localPathOf(const QString &path) const
{
    if (!PathIsUNC(path))
        return path;
    const MountEntry *mount = m_mounts.mountOfShare(path);
    if (!mount)
        return path;
    QString rest = path.mid(MountTable::shareOf(*mount).size());
    rest.replace(u'\\', u'/');
    return mount->mountPoint == QLatin1String("/") ? rest : mount->mountPoint + rest;
}

} // namespace hv
