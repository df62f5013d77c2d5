#include "ops/Trash.h"

#include "platform/FileNames.h"
#include "platform/PathNames.h"

#include <unistd.h>

// GLib's headers use names that Qt's keywords would turn into macros; this file includes no
// Qt header that defines them (the project builds with QT_NO_KEYWORDS).
#include <gio/gio.h>

namespace hv::trash {
namespace {

// Moves one file to the trash of its volume: the home trash, or the volume's own trash
// folder. The trash record percent-encodes the original path, so a name holding '%', a
// line break or any other byte restores to exactly where it came from.
bool moveToTrash(const QString &path)
{
    const QByteArray local = paths::encodeName(path);
    GFile *file = g_file_new_for_path(local.constData());
    GError *error = nullptr;
    const bool trashed = g_file_trash(file, nullptr, &error);
    if (error)
        g_error_free(error);
    g_object_unref(file);
    return trashed;
}

} // namespace

TrashResult RecycleFiles(const QStringList &paths)
{
    TrashResult result;
    for (const QString &path : paths) {
        const QString onDisk = paths::findExisting(path);
        if (!onDisk.isEmpty() && moveToTrash(onDisk))
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
    if (::unlink(paths::encodeName(found).constData()) == 0)
        return RemoveOutcome::DeletedOutright;
    return RemoveOutcome::Failed;
}

} // namespace hv::trash
