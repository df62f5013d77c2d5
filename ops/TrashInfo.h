// Finding a file again in the trash that holds it, by its freedesktop.org trash record: each
// trashed file `files/NAME` has a record `info/NAME.trashinfo` giving its original path
// (Path=, percent-encoded bytes, relative to the volume's top folder in a volume's trash) and
// when it was deleted (DeletionDate=, local time to the second). The trash that holds a file
// is the home trash ($XDG_DATA_HOME/Trash) or the trash of the file's volume
// (TOP/.Trash/UID or TOP/.Trash-UID).
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace hv::trash {

// One file in a trash.
struct TrashedFile {
    QString original;     // the path it was sent away from
    QString trashFolder;  // the trash folder, holding files/ and info/ (no trailing separator)
    QString name;         // its name in files/
    QString deletionDate; // DeletionDate= as written in its record

    QString filePath() const { return trashFolder + QStringLiteral("/files/") + name; }
    QString infoPath() const
    {
        return trashFolder + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo");
    }
};

// The trash folders that may hold a file sent away from `path`: the home trash, then the
// trash folders of the volume that holds the folder of `path`, those that exist.
QStringList TrashFoldersFor(const QString &path);

// The newest record of a file sent to the trash from `original` (looked up right after it was
// sent); nullopt when no trash holds one.
std::optional<TrashedFile> FindNewest(const QString &original);

// `recorded` as it is in its trash now: found by its name there, else by its original path
// and deletion date among the trash's records; nullopt when its record or its file is gone.
std::optional<TrashedFile> FindAgain(const TrashedFile &recorded);

} // namespace hv::trash
