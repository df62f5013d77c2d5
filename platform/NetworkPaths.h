// Paths on network shares: is a path remote, is it already a //server/share path, and the
// share path of a path under a mounted share (what the file-lock service needs to look up
// remote users). The answers come from a mount table so tests can give their own.
#pragma once

#include "platform/MountTable.h"

#include <QString>

namespace hv {

class NetworkPaths {
public:
    // The mounts of this computer.
    NetworkPaths() : NetworkPaths(MountTable::fromSystem()) {}
    explicit NetworkPaths(MountTable mounts) : m_mounts(std::move(mounts)) {}

    // A //server/share (or \\server\share) path.
    static bool PathIsUNC(const QString &path);
    // A UNC path, or a path on a network mount.
    bool PathIsNetworkPath(const QString &path) const;
    // The mount point of a path on a network mount; false (nothing set) otherwise.
    bool PathStripToRoot(const QString &path, QString &root) const;
    // The share of the network mount at `root`; false when no network mount is there.
    bool NetConnection(const QString &root, QString &share) const;

    bool IsRemotePath(const QString &path) const { return PathIsNetworkPath(path); }
    bool IsValidUNC(const QString &path) const { return PathIsUNC(path); }
    // The root of a path on a network mount (its mount point); any other path unchanged.
    QString PathRoot(const QString &path) const;
    // The path with its mount point replaced by the share; empty when the path is not on a
    // network mount.
    QString MakePathUNC(const QString &path) const;
    // The way back: a //server/share path on a mounted share becomes the path under its
    // mount point; any other path is returned as it is.
    QString localPathOf(const QString &path) const;

private:
    const MountEntry *networkMountOf(const QString &path) const;

    MountTable m_mounts;
};

} // namespace hv
