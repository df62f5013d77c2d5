// libFuzzer target for the mount table: any text parses without fault into mounts whose
// points are clean absolute paths, and the lookups answer within what was parsed.
#include "fuzz/FuzzCheck.h"
#include "platform/MountTable.h"

#include <QDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

bool isUnder(const QString &path, const QString &folder)
{
    return folder == u"/" ? path.startsWith(u'/')
                          : path == folder || path.startsWith(folder + u'/');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const hv::MountTable table = hv::MountTable::parseText(input);
    check(table.entries().size() <= input.count('\n') + 1, "more mounts than lines");
    for (const hv::MountEntry &entry : table.entries()) {
        check(entry.mountPoint.startsWith(u'/'), "a mount point that is not absolute");
        check(entry.mountPoint == u"/" || !entry.mountPoint.endsWith(u'/'),
              "a mount point with a trailing separator");
        check(QDir::cleanPath(entry.mountPoint) == entry.mountPoint, "an unclean mount point");

        // Every mount point is found as its own mount (or one listed later at the same place).
        const hv::MountEntry *own = table.mountOf(entry.mountPoint);
        check(own && own->mountPoint == entry.mountPoint, "a mount point not found as itself");
        const QString inside = QDir::cleanPath(entry.mountPoint + QStringLiteral("/x/y"));
        const hv::MountEntry *below = table.mountOf(inside);
        check(below && isUnder(inside, below->mountPoint) &&
                  below->mountPoint.size() >= entry.mountPoint.size(),
              "a path below a mount point found in a shorter mount");

        if (hv::MountTable::isNetworkType(entry.fsType)) {
            const QString share = hv::MountTable::shareOf(entry);
            if (share.size() > 2 && share.startsWith(QLatin1String("//"))) {
                const hv::MountEntry *mount = table.mountOfShare(share + QStringLiteral("/f"));
                check(mount && hv::MountTable::isNetworkType(mount->fsType),
                      "a share not found among the network mounts");
            }
        }
    }
    // Lines of the input used as paths: whatever the table, the answer is a listed mount.
    for (const QByteArray &line : input.left(4096).split('\n')) {
        const QString path = QString::fromUtf8(line);
        if (const hv::MountEntry *mount = table.mountOf(path))
            check(isUnder(QDir::cleanPath(path), mount->mountPoint), "mountOf outside its mount");
        if (const hv::MountEntry *mount = table.mountOfShare(path))
            check(hv::MountTable::isNetworkType(mount->fsType), "a share on a local mount");
    }
    return 0;
}
