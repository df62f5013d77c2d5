#include "lists/DirectorySummary.h"

#include "files/DirFormat.h"
#include "files/IniFormat.h"
#include "platform/PathNames.h"
#include "platform/SmallFile.h"

#include <QByteArray>

#include <cerrno>
#include <optional>

namespace hv {
DirectorySummary summariseDirectory(QByteArrayView bytes)
{
    // The lines are looked at one by one and not kept: the summary costs no memory beyond
    // the file's bytes, whatever they hold.
    DirectorySummary summary;
    bool anyLine = false;
    ini::forEachLine(bytes,
                     [&](const QString &group, const QString &section, const QString &value) {
                         anyLine = true;
                         if (group == u"[DIRECTORY]" && section == u"CAPTION")
                             summary.caption = value;
                         else if (group == u"[FILE]" && section == u"TITLE")
                             ++summary.entryCount;
                     });
    if (!anyLine)
        summary.entryCount = dirformat::countOldFormEntries(bytes);
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
            *error =
                QStringLiteral("%1 - %2").arg(file->error()).arg(qt_error_string(file->error()));
        return {};
    }
    return summariseDirectory(QByteArrayView(buffer.constData(), length));
}

} // namespace hv
