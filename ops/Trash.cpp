#include "ops/Trash.h"

#include "platform/PathNames.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace hv::trash {
namespace {

// Makes sure the home trash exists. Without it QFile::moveToTrash would put the file into
// "files/" of the current folder, as if that were the trash; so nothing is sent then.
bool homeTrashReady()
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome))
        return false;
    QDir trash(dataHome + QStringLiteral("/Trash"));
    return trash.mkpath(QStringLiteral("files")) && trash.mkpath(QStringLiteral("info"));
}

} // namespace

TrashResult RecycleFiles(const QStringList &paths)
{
    TrashResult result;
    const bool ready = homeTrashReady();
    for (const QString &path : paths) {
        const QString onDisk = ready ? paths::findExisting(path) : QString();
        QString inTrash;
        if (!onDisk.isEmpty() && QFile::moveToTrash(onDisk, &inTrash))
            result.trashed << onDisk;
        else
            result.failed << path;
    }
    return result;
}

RemoveOutcome RecycleFile(const QString &path, QString *onDisk)
{
    const QString found = paths::findExisting(path);
    if (onDisk)
        *onDisk = found;
    if (found.isEmpty())
        return RemoveOutcome::Failed;
    if (RecycleFiles({found}).ok())
        return RemoveOutcome::Trashed;
    // Only a plain file is deleted outright; a folder of that name is left alone.
    if (QFile::remove(found))
        return RemoveOutcome::DeletedOutright;
    return RemoveOutcome::Failed;
}

} // namespace hv::trash
