#include "ops/TrashInfo.h"

#include "platform/FileNames.h"
#include "platform/SmallFile.h"
#include "platform/UserFolders.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hv::trash {
namespace {

// A trash record is a few lines; anything larger is not one.
constexpr qint64 kMaxRecordBytes = 64 * 1024;
// GIO numbers a name taken already; more than this many of one name is not looked through.
constexpr int kMaxNumbered = 1000;

bool exists(const QString &path)
{
    struct stat info {};
    return ::lstat(paths::encodeName(path).constData(), &info) == 0;
}

dev_t deviceOf(const QString &path)
{
    struct stat info {};
    if (::stat(paths::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_dev;
}

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

// The top folder of the volume holding `folder`: the last folder upwards on its device.
QString volumeTop(QString folder)
{
    const dev_t device = deviceOf(folder);
    while (folder != u"/") {
        const QString parent = folderOf(folder);
        if (deviceOf(parent) != device)
            break;
        folder = parent;
    }
    return folder;
}

// The volume's top folder for a trash folder of it (TOP/.Trash-UID or TOP/.Trash/UID).
QString topOfVolumeTrash(const QString &trashFolder)
{
    const QString parent = folderOf(trashFolder);
    return parent.endsWith(QStringLiteral("/.Trash")) ? folderOf(parent) : parent;
}

// The record `name` of `trashFolder`, read; nullopt when it is not there or not a record.
std::optional<TrashedFile> readRecord(const QString &trashFolder, const QString &name)
{
    TrashedFile file{{}, trashFolder, name, {}};
    QByteArray bytes;
    QString error;
    if (!readRegularFile(file.infoPath(), kMaxRecordBytes, bytes, error))
        return std::nullopt;
    bool inGroup = false;
    QByteArray path;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('['))
            inGroup = line == "[Trash Info]";
        else if (inGroup && line.startsWith("Path="))
            path = QByteArray::fromPercentEncoding(line.mid(5));
        else if (inGroup && line.startsWith("DeletionDate="))
            file.deletionDate = QString::fromLatin1(line.mid(13));
    }
    if (path.isEmpty())
        return std::nullopt;
    if (!path.startsWith('/')) {
        const QString top = topOfVolumeTrash(trashFolder);
        path.prepend(paths::encodeName(top == u"/" ? QString() : top) + '/');
    }
    file.original = paths::decodeName(path);
    return file;
}

// The names GIO gives a file of `name` in a trash, first to last: the name, then the name
// with ".2", ".3", ... before its first dot.
QString numberedName(const QString &name, int n)
{
    if (n == 1)
        return name;
    const qsizetype dot = name.indexOf(u'.');
    if (dot < 0)
        return name + u'.' + QString::number(n);
    return name.left(dot) + u'.' + QString::number(n) + name.mid(dot);
}

// The names of the records of `trashFolder`.
QStringList recordNames(const QString &trashFolder)
{
    QStringList names;
    DIR *dir = ::opendir(paths::encodeName(trashFolder + QStringLiteral("/info")).constData());
    if (!dir)
        return names;
    static const QByteArray suffix = ".trashinfo";
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.endsWith(suffix) && name.size() > suffix.size())
            names << paths::decodeName(name.chopped(suffix.size()));
    }
    ::closedir(dir);
    return names;
}

// The newer of two records of the same file.
void keepNewer(std::optional<TrashedFile> &best, std::optional<TrashedFile> &&candidate)
{
    if (candidate && (!best || candidate->deletionDate >= best->deletionDate))
        best = std::move(candidate);
}

} // namespace

QStringList TrashFoldersFor(const QString &path)
{
    QStringList folders{paths::userDataFolder() + QStringLiteral("/Trash")};
    const QString top = volumeTop(folderOf(path));
    const QString base = top == u"/" ? QString() : top;
    const QString uid = QString::number(::getuid());
    for (const QString &folder :
         {base + QStringLiteral("/.Trash/") + uid, base + QStringLiteral("/.Trash-") + uid}) {
        if (!folders.contains(folder) && exists(folder))
            folders << folder;
    }
    return folders;
}

std::optional<TrashedFile> FindNewest(const QString &original)
{
    const QString name = original.mid(original.lastIndexOf(u'/') + 1);
    for (const QString &trashFolder : TrashFoldersFor(original)) {
        std::optional<TrashedFile> best;
        for (int n = 1; n <= kMaxNumbered; ++n) {
            const QString candidate = numberedName(name, n);
            if (!exists(trashFolder + QStringLiteral("/info/") + candidate +
                        QStringLiteral(".trashinfo")))
                break;
            std::optional<TrashedFile> record = readRecord(trashFolder, candidate);
            if (record && record->original == original)
                keepNewer(best, std::move(record));
        }
        if (!best) {
            // Named otherwise than GIO names them: every record of this trash is looked at.
            for (const QString &candidate : recordNames(trashFolder)) {
                std::optional<TrashedFile> record = readRecord(trashFolder, candidate);
                if (record && record->original == original)
                    keepNewer(best, std::move(record));
            }
        }
        if (best && exists(best->filePath()))
            return best;
    }
    return std::nullopt;
}

std::optional<TrashedFile> FindAgain(const TrashedFile &recorded)
{
    const auto sameFile = [&](const std::optional<TrashedFile> &record) {
        return record && record->original == recorded.original &&
               record->deletionDate == recorded.deletionDate && exists(record->filePath());
    };
    if (!recorded.name.isEmpty()) {
        if (std::optional<TrashedFile> record = readRecord(recorded.trashFolder, recorded.name);
            sameFile(record))
            return record;
    }
    QStringList folders = TrashFoldersFor(recorded.original);
    if (!recorded.trashFolder.isEmpty()) {
        folders.removeAll(recorded.trashFolder);
        folders.prepend(recorded.trashFolder);
    }
    for (const QString &trashFolder : folders) {
        for (const QString &candidate : recordNames(trashFolder)) {
            if (std::optional<TrashedFile> record = readRecord(trashFolder, candidate);
                sameFile(record))
                return record;
        }
    }
    return std::nullopt;
}

} // namespace hv::trash
