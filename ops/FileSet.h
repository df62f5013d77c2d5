// Which files make up an item of a project folder, and how their names are built.
//
// An application is a template plus data and companion files that share its base name; a
// popup is a template plus two data files; a directory file is a single file. Clear, delete,
// rename and the lock check build every file name through these functions and no other.
// The names built here are literal: they are looked up on disk without regard to letter case
// (platform/PathNames.h), never as patterns.
#pragma once

#include <QList>
#include <QString>

namespace hv::fileset {

// The kinds of item in a project folder.
enum class ItemKind { Unknown, Application, Popup, Directory };

// The operations that touch an item's files.
enum class ItemOperation { ClearData, Delete, Rename };

// The kind named by a file name: its last three characters, upper-cased, "HVT", "HPT" or "DIR".
ItemKind ItemKindOf(const QString &fileName);

// One file of an item's set, as an operation names it.
struct SetMember {
    enum class Form {
        Extension, // the item's base name with `letters` as its extension
        ItemFile,  // the item's own file (the template, or the directory file), as listed
        Numbered,  // a numbered companion file: one per template entry
    };
    Form form = Form::Extension;
    QString letters; // the extension as the operation writes it ("hvd", "HVM"); empty otherwise

    bool operator==(const SetMember &) const = default;
};

// The files that `operation` touches for an item of `kind`, in the order it touches them.
// Each is touched only when it exists. Clearing a directory file is not offered: empty list.
QList<SetMember> FilesTouched(ItemOperation operation, ItemKind kind);

// Stem form (clear and delete). The stem is the item's full path with its last three
// characters cut off, so it ends with the dot: "/p/Line 4.HVT" gives "/p/Line 4.".
QString StemOf(const QString &itemPath);
// A file of the set: the stem followed by the extension letters ("hvd" gives "/p/Line 4.hvd").
QString StemFile(const QString &stem, const QString &letters);
// A numbered companion file: the stem, "v" and the number in decimal ("/p/Line 4.v2").
QString StemNumberedFile(const QString &stem, int number);
// The path of `member` in the stem form; `itemPath` is the item's full path.
QString StemMemberFile(const QString &itemPath, const SetMember &member, int number = 0);

// Base-name form (rename). The base name is the file name without its last four characters
// (the dot and the three-letter extension).
QString BaseNameOf(const QString &fileName);
// A file of the set: folder, base name, "." and the extension letters.
QString BaseNameFile(const QString &folder, const QString &baseName, const QString &letters);
// A numbered companion file: folder, base name, ".V" and the entry's key.
QString BaseNameNumberedFile(const QString &folder, const QString &baseName, const QString &key);

// Data-file form (lock check before opening an application): the folder, the file name up to
// and including its last dot, then "HVD". A name without a dot gets one before "HVD".
QString DataFileOf(const QString &folder, const QString &fileName);

} // namespace hv::fileset
