#include "lists/DirectorySummary.h"

#include "files/DirFormat.h"
#include "files/IniFormat.h"
#include "files/IniLines.h"
#include "platform/PathNames.h"
#include "suite/SmallFile.h"

#include <QByteArray>

#include <cerrno>
#include <optional>

namespace hv {
namespace {

// The number of entries of an old-form directory file, by the directory model's own rules.
qint64 countOldFormEntries(QByteArrayView bytes)
{
    return qint64(dirformat::parseOldForm(bytes, QString()).entries.size());
}

} // namespace

DirectorySummary summariseDirectory(QByteArrayView bytes)
{
    DirectorySummary summary;
    INIlines lines;
    ini::parseLines(bytes, lines);
    if (lines.Count() == 0) {
        summary.entryCount = countOldFormEntries(bytes);
        return summary;
    }
    for (const INIline &line : lines) {
        if (line.Group() == u"[DIRECTORY]" && line.Section() == u"CAPTION")
            summary.caption = line.Value();
        else if (line.Group() == u"[FILE]" && line.Section() == u"TITLE")
            ++summary.entryCount;
    }
    return summary;
}

DirectorySummary readDirectorySummary(const QString &path, QString *error,
                                      paths::FolderIndex *index)
{
    // The exact name first (the fill passes names as listed), then without regard to case.
    std::optional<ReadOnlyFile> file;
    file.emplace(path);
    if (!file->isOpen() && file->error() == ENOENT) {
        const QString onDisk = index ? index->findExisting(path) : paths::findExisting(path);
        if (!onDisk.isEmpty() && onDisk != path)
            file.emplace(onDisk);
    }
    QByteArray buffer;
    qint64 length = 0;
    if (!file->isOpen() || !file->readWhole(buffer, kMaxDirectoryBytes, length)) {
        if (error)
            *error = qt_error_string(file->error());
        return {};
    }
    return summariseDirectory(QByteArrayView(buffer.constData(), length));
}

} // namespace hv
