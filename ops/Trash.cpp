#include "ops/Trash.h"

#include "platform/FileNames.h"
#include "platform/PathNames.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

// GLib's headers use names that Qt's keywords would turn into macros; this file includes no
// Qt header that defines them (the project builds with QT_NO_KEYWORDS).
#include <gio/gio.h>

namespace hv::trash {
namespace {

// Moves one file to the trash of its volume: the home trash, or the volume's own trash
// folder. The trash record percent-encodes the original path, so a name holding '%', a
// line break or any other byte restores to exactly where it came from. False with GIO's
// message in `reason` when the trash refuses the file.
bool moveToTrash(const QString &path, QString &reason)
{
    const QByteArray local = paths::encodeName(path);
    GFile *file = g_file_new_for_path(local.constData());
    GError *error = nullptr;
    const bool trashed = g_file_trash(file, nullptr, &error);
    if (error) {
        reason = QString::fromUtf8(error->message);
        g_error_free(error);
    } else if (!trashed) {
        reason = QStringLiteral("the trash refused the file");
    }
    g_object_unref(file);
    return trashed;
}

// Empty when the folder of `path` lets its files be deleted, otherwise the system's reason.
QString folderRefusesRemoval(const QString &path)
{
    const QString folder = path.left(path.lastIndexOf(u'/') + 1);
    const QByteArray local = paths::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (::access(local.constData(), W_OK | X_OK) == 0)
        return {};
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

TrashResult RecycleFiles(const QStringList &paths)
{
    TrashResult result;
    for (const QString &path : paths) {
        const QString onDisk = paths::findExisting(path);
        QString reason = QStringLiteral("No such file or directory");
        if (!onDisk.isEmpty() && moveToTrash(onDisk, reason)) {
            result.trashed << onDisk;
            result.touched << onDisk;
            continue;
        }
        if (result.failed.isEmpty())
            result.fail(
                UserText::translate("hv::Trash", "The file %1 could not be moved to the trash.")
                    .arg(paths::displayName(path)),
                UserText::translate("hv::Trash", "Trash"), reason);
        result.failed << path;
    }
    if (result.failed.isEmpty())
        result.succeed();
    return result;
}

RemoveResult RecycleFile(const QString &path, bool deletePermanently)
{
    RemoveResult result;
    result.onDisk = paths::findExisting(path);
    if (result.onDisk.isEmpty()) {
        result.fail(UserText::translate("hv::Trash", "The file %1 no longer exists.")
                        .arg(paths::displayName(path)),
                    {}, QStringLiteral("No such file or directory"));
        return result;
    }
    QString refused;
    if (moveToTrash(result.onDisk, refused)) {
        result.outcome = RemoveOutcome::Trashed;
        result.touched << result.onDisk;
        result.succeed();
        return result;
    }
    if (!deletePermanently) {
        // Asking whether to delete permanently makes sense only where a delete could work.
        if (const QString folder = folderRefusesRemoval(result.onDisk); !folder.isEmpty()) {
            result.fail(UserText::translate("hv::Trash", "The file %1 could not be deleted.")
                            .arg(paths::displayName(result.onDisk)),
                        {}, folder);
            return result;
        }
        result.outcome = RemoveOutcome::TrashRefused;
        result.fail(UserText::translate("hv::Trash", "The trash cannot take %1.")
                        .arg(paths::displayName(result.onDisk)),
                    {}, refused);
        return result;
    }
    // Only a plain file is deleted outright; a folder of that name is left alone.
    if (::unlink(paths::encodeName(result.onDisk).constData()) == 0) {
        result.outcome = RemoveOutcome::DeletedOutright;
        result.touched << result.onDisk;
        result.succeed();
        return result;
    }
    result.fail(UserText::translate("hv::Trash", "The file %1 could not be deleted.")
                    .arg(paths::displayName(result.onDisk)),
                {}, QString::fromLocal8Bit(std::strerror(errno)));
    return result;
}

} // namespace hv::trash
