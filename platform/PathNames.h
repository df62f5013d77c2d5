// File names as the suite sees them: matched without regard to letter case.
//
// The suite's files come from a platform whose file system ignores letter case, so
// "Line 4.hvd" must find "Line 4.HVD" on disk. Every existence test, open, delete and
// rename of a suite file goes through this resolver. An exact match always wins over a
// case-insensitive one; among several case-insensitive matches the first in the folder's
// listing order wins. Letters match by their Unicode case folding (so "ΟΔΟΣ" and "οδος" are
// one name). Names are literal: '?' and '*' are ordinary characters. Names read from disk are
// decoded, and paths encoded for the system, as platform/FileNames.h says, so a name that is
// not UTF-8 matches only itself.
#pragma once

#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace hv::paths {

// True when the two file names are equal without regard to letter case.
bool sameName(const QString &a, const QString &b);

// The key under which sameName() files a name: equal keys, same name.
QString nameKey(QStringView name);

// The resolver with its memory of the folders it has looked in, for the length of one
// operation (a list fill, a directory load, a delete, a rename, a lock check): each folder is
// listed at most once, on the first name that is not found exactly, and every later lookup in
// it is answered from that listing. The operation tells the index about the files it removes
// or creates itself; changes made by others meanwhile are not seen. Safe to share between
// threads.
class FolderIndex {
public:
    FolderIndex() = default;
    FolderIndex(const FolderIndex &) = delete;
    FolderIndex &operator=(const FolderIndex &) = delete;

    // The path on disk of the file or folder that `path` names, each component matched
    // without regard to case; empty when nothing matches. A trailing separator is kept.
    QString findExisting(const QString &path);
    bool exists(const QString &path) { return !findExisting(path).isEmpty(); }
    // The path to use when writing `path`: the existing match when there is one, otherwise
    // `path` with its folder resolved and its last component as given (for a new file).
    QString resolveForWrite(const QString &path);

    // The names of the regular files directly in `folder` whose names end with `suffix` in
    // any letter case, in listing order; dot-files and folders left out. A folder that is
    // missing or unreadable gives an empty list.
    QStringList listFiles(const QString &folder, const QString &suffix);
    // The same, also handing each name to `found` as the listing finds it (with this index
    // locked: `found` must not use it).
    QStringList listFiles(const QString &folder, const QString &suffix,
                          const std::function<void(const QString &name)> &found);

    // The operation removed the entry at `diskPath` (a path this index gave).
    void noteRemoved(const QString &diskPath);
    // The operation created the entry at `diskPath` (by a write or a rename).
    void noteCreated(const QString &diskPath);

    // How many folders this index has listed (each at most once).
    int listingCount() const;

private:
    struct Entry {
        QString name;
        unsigned char type = 0; // the listing's d_type
        bool removed = false;
        qsizetype nextSameKey = -1; // the next entry of the same nameKey, in listing order
    };
    struct Folder {
        bool readable = false;
        QList<Entry> entries; // listing order
        // Made on the first lookup (a list fill that looks nothing up needs neither).
        bool indexed = false;
        QHash<QString, qsizetype> exact; // name -> entry
        QHash<QString, qsizetype> keyed; // nameKey -> its first entry
        void index();
        void indexEntry(qsizetype entry);
        // Appends an entry to the listing.
        void add(const QString &name, unsigned char type);
    };

    // The listing of `diskFolder`, made on first use; `each`, when given, is called for each
    // entry of a listing made by this call as the entry is read.
    Folder &listed(const QString &diskFolder,
                   const std::function<void(const Entry &)> &each = nullptr);
    // `folder` (ending in '/', or empty) as found on disk; nullopt when it does not exist.
    std::optional<QString> resolveFolder(const QString &folder);
    // The listed folder of `folder` as asked, or nullptr when it has not been listed yet.
    const Folder *listedFolderOf(const QString &folder) const;
    // The listed folder on disk of `path`'s folder, or nullptr; `name` is its last component.
    Folder *listedFolderOfPath(const QString &path, QString &name);
    // The entry of `diskFolder` that `name` means, or empty.
    QString matchIn(const QString &diskFolder, const QString &name);

    mutable QMutex m_mutex;
    int m_listings = 0;
    // Folder on disk (ending in '/', or empty for the current folder) -> its listing.
    QHash<QString, Folder> m_folders;
    // Folder as asked -> folder on disk; nullopt when it does not exist.
    QHash<QString, std::optional<QString>> m_resolved;
};

// One-off lookups, each with an index of its own: for a single name outside an operation.
QString findExisting(const QString &path);
// True when findExisting() finds something.
bool exists(const QString &path);
QString resolveForWrite(const QString &path);
QStringList listFiles(const QString &folder, const QString &suffix);

// `folder` with a trailing '/' appended when it has none (empty stays empty).
QString withTrailingSeparator(const QString &folder);

} // namespace hv::paths
