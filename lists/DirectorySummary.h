// The caption and the number of entries of a directory file, as the category list shows them.
//
// The current form is INI text: the caption is the last CAPTION key of [DIRECTORY] and each
// TITLE key of a [FILE] section counts one entry. A file in which the INI model finds no
// lines at all is read in the old comma- or tab-separated form: no caption, one entry per
// line of exactly three fields.
#pragma once

#include "platform/PathNames.h"

#include <QByteArrayView>
#include <QString>

namespace hv {

struct DirectorySummary {
    QString caption;
    qint64 entryCount = 0;
};

// The summary of a directory file's bytes; never fails (garbage gives whatever entries the
// rules above find in it, usually none).
DirectorySummary summariseDirectory(QByteArrayView bytes);

// Reads the directory file at `path` (found without regard to letter case, through `index`
// when given). A file that is missing or cannot be read gives an empty summary and, when
// `error` is given, the reason as "number - text" (the system's error number and text).
DirectorySummary readDirectorySummary(const QString &path, QString *error = nullptr,
                                      paths::FolderIndex *index = nullptr);

// The largest directory file read; a bigger file is not a directory file.
inline constexpr qint64 kMaxDirectoryBytes = 16 * 1024 * 1024;

} // namespace hv
