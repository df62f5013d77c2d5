// Sending files to the desktop's trash, so an administrator can get them back.
//
// The trash is the freedesktop.org trash, written by GIO (the home trash, or the trash folder
// of the file's own volume). GIO reads the home and data folders once per process, so
// changing HOME or XDG_DATA_HOME later does not move the trash. Names are found on disk
// without regard to letter case (platform/PathNames.h): "Line 4.hvd" trashes "Line 4.HVD".
#pragma once

#include <QString>
#include <QStringList>

namespace hv::trash {

// What became of a list of paths sent to the trash.
struct TrashResult {
    QStringList trashed; // the paths on disk that are now in the trash
    QStringList failed;  // the paths as given that could not be trashed (missing or refused)

    // True exactly when every path was trashed.
    bool ok() const { return failed.isEmpty(); }
};

// Sends every path to the trash. A path that names nothing is a failure.
TrashResult RecycleFiles(const QStringList &paths);

// What became of one file sent away by RecycleFile.
enum class RemoveOutcome { Trashed, DeletedOutright, Failed };

// Sends one file to the trash; when the trash refuses it, deletes the file outright.
// `onDisk` receives the path that was found on disk (empty when nothing was found).
RemoveOutcome RecycleFile(const QString &path, QString *onDisk = nullptr);

} // namespace hv::trash
