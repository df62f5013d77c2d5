// Sending files to the desktop's trash, so an administrator can get them back.
//
// The trash is the freedesktop.org trash, written by GIO (the home trash, or the trash folder
// of the file's own volume). GIO reads the home and data folders once per process, so
// changing HOME or XDG_DATA_HOME later does not move the trash. Names are found on disk
// without regard to letter case (platform/PathNames.h): "Line 4.hvd" trashes "Line 4.HVD".
#pragma once

#include "ops/OpResult.h"

#include <QString>
#include <QStringList>

namespace hv::trash {

// What became of a list of paths sent to the trash: `ok` exactly when every path was
// trashed; the reason is GIO's message for the first path that failed.
struct TrashResult : OpResult {
    QStringList trashed; // the paths on disk that are now in the trash
    QStringList failed;  // the paths as given that could not be trashed (missing or refused)
};

// Sends every path to the trash. A path that names nothing is a failure.
TrashResult RecycleFiles(const QStringList &paths);

// What became of one file sent away by RecycleFile.
enum class RemoveOutcome {
    Trashed,         // the file is in the trash
    DeletedOutright, // the trash refused it and it was deleted permanently, as allowed
    TrashRefused,    // the trash refused it, deleting it permanently was not allowed, and
                     // its folder would let it be deleted: the file is still there
    Failed,          // nothing was found, or the file can be neither trashed nor deleted
};

// `ok` exactly for Trashed and DeletedOutright; the reason is the system's (GIO's message
// when the trash refused, the delete's error when that failed too).
struct RemoveResult : OpResult {
    RemoveOutcome outcome = RemoveOutcome::Failed;
    QString onDisk; // the path found on disk (empty when nothing was found)
};

// Sends one file to the trash. When the trash refuses it, `deletePermanently` deletes it
// outright; otherwise it is left where it is (TrashRefused, or Failed when its folder would
// not let it be deleted either, with the folder's reason).
RemoveResult RecycleFile(const QString &path, bool deletePermanently);

} // namespace hv::trash
