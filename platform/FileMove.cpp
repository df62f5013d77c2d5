#include "platform/FileMove.h"

#include "platform/FileNames.h"

#include <QByteArray>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace hv {
namespace {

MoveResult failed(int error)
{
    return {false, error, QString::fromLocal8Bit(std::strerror(error))};
}

} // namespace

MoveResult moveNoReplace(const QString &from, const QString &to)
{
    const QByteArray source = paths::encodeName(from);
    const QByteArray target = paths::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return {true, 0, {}};
    if (errno != EINVAL && errno != ENOSYS)
        return failed(errno);
    // The file system cannot refuse an existing target in a rename: a link can.
    if (::link(source.constData(), target.constData()) != 0)
        return failed(errno);
    if (::unlink(source.constData()) != 0) {
        const int error = errno;
        // Both names are the one file: taking the new one away leaves things as they were.
        ::unlink(target.constData());
        return failed(error);
    }
    return {true, 0, {}};
}

} // namespace hv
