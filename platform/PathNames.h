// File names as the suite sees them: matched without regard to letter case.
//
// The suite's files come from a platform whose file system ignores letter case, so
// "Line 4.hvd" must find "Line 4.HVD" on disk. Every existence test, open, delete and
// rename of a suite file goes through these helpers. An exact match always wins over a
// case-insensitive one. Names are literal: '?' and '*' are ordinary characters.
#pragma once

#include <QString>
#include <QStringList>

namespace hv::paths {

// True when the two file names are equal without regard to letter case.
bool sameName(const QString &a, const QString &b);

// The path on disk of the file or folder that `path` names, each component matched without
// regard to case; empty when nothing matches. A trailing separator is kept.
QString findExisting(const QString &path);

// True when findExisting() finds something.
bool exists(const QString &path);

// The path to use when writing `path`: the existing match when there is one, otherwise
// `path` with its folder resolved and its last component as given (for a new file).
QString resolveForWrite(const QString &path);

// The names of the regular files directly in `folder` whose names end with `suffix`
// (e.g. ".HVT") in any letter case, in the order the listing returns them. Dot-files and
// folders are left out. A folder that is missing or unreadable gives an empty list.
QStringList listFiles(const QString &folder, const QString &suffix);

// `folder` with a trailing '/' appended when it has none (empty stays empty).
QString withTrailingSeparator(const QString &folder);

} // namespace hv::paths
