#include "platform/PathNames.h"

#include "platform/FileNames.h"

#include <QMutexLocker>

#include <dirent.h>
#include <sys/stat.h>

namespace hv::paths {
namespace {

// True when something (also a dangling symbolic link) has exactly this path.
bool entryExists(const QString &path)
{
    struct stat info {};
    return ::lstat(encodeName(path).constData(), &info) == 0;
}

bool isDotName(QStringView name)
{
    return name == u"." || name == u"..";
}

// Whether `name` ends in `suffix` without regard to case. An ASCII ending (every extension a
// listing asks for) is compared here; any other is left to Qt.
bool endsWithCaseless(QStringView name, QStringView suffix)
{
    if (name.size() < suffix.size())
        return false;
    const QStringView ending = name.last(suffix.size());
    for (qsizetype i = 0; i < suffix.size(); ++i) {
        char16_t a = ending[i].unicode();
        char16_t b = suffix[i].unicode();
        if (a >= 0x80 || b >= 0x80)
            return ending.compare(suffix, Qt::CaseInsensitive) == 0;
        if (a >= u'A' && a <= u'Z')
            a += 32;
        if (b >= u'A' && b <= u'Z')
            b += 32;
        if (a != b)
            return false;
    }
    return true;
}

// `text` without its trailing '/' (the root stays "/").
QString withoutTrailingSeparator(const QString &text)
{
    return text.size() > 1 && text.endsWith(u'/') ? text.chopped(1) : text;
}

// True when the entry `name` of `folder` is a regular file, following symbolic links.
bool isRegularFile(const QString &folder, const QString &name, unsigned char type)
{
    if (type == DT_REG)
        return true;
    if (type != DT_LNK && type != DT_UNKNOWN)
        return false;
    struct stat info {};
    const QByteArray path = encodeName((folder.isEmpty() ? QStringLiteral("./") : folder) + name);
    return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString nameKey(QStringView name)
{
    // Folds code point by code point, as QString's case-insensitive comparison does.
    QString key;
    key.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t c = name[i].unicode();
        if (c < 0x80) { // the common case: ASCII folds to lower case
            key.append(QChar(char16_t(c >= 'A' && c <= 'Z' ? c + 32 : c)));
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(name[i].unicode(), name[i + 1].unicode());
            ++i;
        }
        const char32_t folded = QChar::toCaseFolded(c);
        if (QChar::requiresSurrogates(folded)) {
            key.append(QChar(QChar::highSurrogate(folded)));
            key.append(QChar(QChar::lowSurrogate(folded)));
        } else {
            key.append(QChar(char16_t(folded)));
        }
    }
    return key;
}

// --- FolderIndex ---

void FolderIndex::Folder::index()
{
    if (indexed)
        return;
    indexed = true;
    exact.reserve(entries.size());
    keyed.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!entries.at(i).removed)
            indexEntry(i);
    }
}

void FolderIndex::Folder::add(const QString &name, unsigned char type)
{
    entries.append({name, type, false, -1});
    if (indexed)
        indexEntry(entries.size() - 1);
}

void FolderIndex::Folder::indexEntry(qsizetype index)
{
    const QString &name = entries.at(index).name;
    exact.insert(name, index);
    QString key = nameKey(name);
    const auto first = keyed.constFind(key);
    if (first == keyed.cend()) {
        keyed.insert(std::move(key), index);
        return;
    }
    qsizetype last = *first;
    while (entries.at(last).nextSameKey >= 0)
        last = entries.at(last).nextSameKey;
    entries[last].nextSameKey = index;
}

FolderIndex::Folder &FolderIndex::listed(const QString &diskFolder,
                                         const std::function<void(const Entry &)> &each)
{
    auto it = m_folders.find(diskFolder);
    if (it != m_folders.end())
        return *it;
    Folder folder;
    const QByteArray encoded = encodeName(diskFolder.isEmpty() ? QStringLiteral(".") : diskFolder);
    if (DIR *dir = ::opendir(encoded.constData())) {
        folder.readable = true;
        while (const dirent *entry = ::readdir(dir)) {
            const char *raw = entry->d_name;
            if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0)))
                continue;
            folder.add(decodeName(raw), entry->d_type);
            if (each)
                each(folder.entries.constLast());
        }
        ::closedir(dir);
    }
    ++m_listings;
    return *m_folders.insert(diskFolder, std::move(folder));
}

std::optional<QString> FolderIndex::resolveFolder(const QString &folder)
{
    if (folder.isEmpty() || folder == u"/")
        return folder;
    if (const auto known = m_resolved.constFind(folder); known != m_resolved.cend())
        return *known;
    std::optional<QString> found;
    const QString bare = withoutTrailingSeparator(folder);
    const qsizetype slash = bare.lastIndexOf(u'/');
    const QString parent = bare.left(slash + 1);
    const QString name = bare.mid(slash + 1);
    if (entryExists(bare)) {
        found = folder;
    } else if (name.isEmpty()) {
        found = resolveFolder(parent); // a doubled separator
    } else if (!isDotName(name)) {
        if (const std::optional<QString> diskParent = resolveFolder(parent)) {
            const QString match = matchIn(*diskParent, name);
            if (!match.isEmpty())
                found = *diskParent + match + u'/';
        }
    }
    m_resolved.insert(folder, found);
    return found;
}

const FolderIndex::Folder *FolderIndex::listedFolderOf(const QString &folder) const
{
    if (const auto it = m_folders.constFind(folder); it != m_folders.cend())
        return &*it;
    const auto known = m_resolved.constFind(folder);
    if (known == m_resolved.cend() || !known->has_value())
        return nullptr;
    const auto it = m_folders.constFind(**known);
    return it == m_folders.cend() ? nullptr : &*it;
}

QString FolderIndex::matchIn(const QString &diskFolder, const QString &name)
{
    Folder &folder = listed(diskFolder);
    folder.index();
    if (folder.exact.contains(name))
        return name;
    for (qsizetype index = folder.keyed.value(nameKey(name), -1); index >= 0;
         index = folder.entries.at(index).nextSameKey) {
        if (!folder.entries.at(index).removed)
            return folder.entries.at(index).name;
    }
    return {};
}

QString FolderIndex::findExisting(const QString &path)
{
    if (path.isEmpty())
        return {};
    if (path.endsWith(u'/')) {
        QMutexLocker lock(&m_mutex);
        return resolveFolder(path).value_or(QString());
    }
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    if (isDotName(name))
        return entryExists(path) ? path : QString();
    {
        QMutexLocker lock(&m_mutex);
        if (listedFolderOf(folder)) {
            const std::optional<QString> diskFolder = resolveFolder(folder);
            const QString match = matchIn(*diskFolder, name);
            if (match.isEmpty())
                return {};
            return *diskFolder == folder && match == name ? path : *diskFolder + match;
        }
    }
    // Until its folder is listed, a name is first tried as it is: one call, no lock held.
    if (entryExists(path))
        return path;
    QMutexLocker lock(&m_mutex);
    const std::optional<QString> diskFolder = resolveFolder(folder);
    if (!diskFolder)
        return {};
    const QString match = matchIn(*diskFolder, name);
    return match.isEmpty() ? QString() : *diskFolder + match;
}

QString FolderIndex::resolveForWrite(const QString &path)
{
    const QString found = findExisting(path);
    if (!found.isEmpty())
        return found;
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return path;
    const QString folder = path.left(slash + 1);
    const QString resolvedFolder = findExisting(folder);
    return (resolvedFolder.isEmpty() ? folder : resolvedFolder) + path.mid(slash + 1);
}

QStringList FolderIndex::listFiles(const QString &folder, const QString &suffix)
{
    return listFiles(folder, suffix, nullptr);
}

QStringList FolderIndex::listFiles(const QString &folder, const QString &suffix,
                                   const std::function<void(const QString &name)> &found)
{
    QStringList names;
    if (folder.isEmpty())
        return names;
    QMutexLocker lock(&m_mutex);
    const std::optional<QString> diskFolder = resolveFolder(withTrailingSeparator(folder));
    if (!diskFolder)
        return names;
    const auto take = [&](const Entry &entry) {
        if (entry.removed || entry.name.startsWith(u'.') || !endsWithCaseless(entry.name, suffix) ||
            !isRegularFile(*diskFolder, entry.name, entry.type))
            return;
        names.append(entry.name);
        if (found)
            found(entry.name);
    };
    // A folder listed before gives its names at once; one listed now, as they are read.
    bool taken = false;
    const Folder &listing = listed(*diskFolder, [&](const Entry &entry) {
        taken = true;
        take(entry);
    });
    if (!taken) {
        for (const Entry &entry : listing.entries)
            take(entry);
    }
    return names;
}

FolderIndex::Folder *FolderIndex::listedFolderOfPath(const QString &path, QString &name)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    name = path.mid(slash + 1);
    return const_cast<Folder *>(listedFolderOf(path.left(slash + 1)));
}

void FolderIndex::noteRemoved(const QString &diskPath)
{
    QMutexLocker lock(&m_mutex);
    QString name;
    Folder *folder = listedFolderOfPath(diskPath, name);
    if (!folder)
        return;
    folder->index();
    const auto exact = folder->exact.find(name);
    if (exact == folder->exact.end())
        return;
    folder->entries[*exact].removed = true;
    folder->exact.erase(exact);
}

void FolderIndex::noteCreated(const QString &diskPath)
{
    QMutexLocker lock(&m_mutex);
    QString name;
    Folder *folder = listedFolderOfPath(diskPath, name);
    if (!folder)
        return;
    folder->index();
    if (name.isEmpty() || folder->exact.contains(name))
        return;
    folder->add(name, DT_UNKNOWN);
}

int FolderIndex::listingCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_listings;
}

// --- one-off lookups ---

QString findExisting(const QString &path)
{
    return FolderIndex().findExisting(path);
}

bool exists(const QString &path)
{
    return !findExisting(path).isEmpty();
}

QString resolveForWrite(const QString &path)
{
    return FolderIndex().resolveForWrite(path);
}

QStringList listFiles(const QString &folder, const QString &suffix)
{
    return FolderIndex().listFiles(folder, suffix);
}

QString withTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

} // namespace hv::paths
