#include "platform/PathNames.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace hv::paths {
namespace {

// The entry of `folder` whose name equals `name` without regard to case, or empty.
QString matchInFolder(const QString &folder, const QString &name)
{
    QDirIterator it(folder.isEmpty() ? QStringLiteral(".") : folder,
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString candidate = it.fileName();
        if (sameName(candidate, name))
            return candidate;
    }
    return {};
}

bool entryExists(const QString &path)
{
    QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString findExisting(const QString &path)
{
    if (path.isEmpty())
        return {};
    if (entryExists(path))
        return path;

    const bool trailing = path.endsWith(u'/') && path.size() > 1;
    const QStringList parts = path.split(u'/');
    QString current;
    int first = 0;
    if (path.startsWith(u'/')) {
        current = QStringLiteral("/");
        first = 1;
    }
    for (int i = first; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part.isEmpty())
            continue;
        QString candidate =
            current.isEmpty() || current.endsWith(u'/') ? current + part : current + u'/' + part;
        if (!entryExists(candidate)) {
            if (part == u"." || part == u"..")
                return {};
            const QString match = matchInFolder(current, part);
            if (match.isEmpty())
                return {};
            candidate = current.isEmpty() || current.endsWith(u'/') ? current + match
                                                                    : current + u'/' + match;
        }
        current = candidate;
    }
    if (trailing && !current.endsWith(u'/'))
        current += u'/';
    return current;
}

bool exists(const QString &path)
{
    return !findExisting(path).isEmpty();
}

QString resolveForWrite(const QString &path)
{
    const QString found = findExisting(path);
    if (!found.isEmpty())
        return found;
    const int slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return path;
    const QString folder = path.left(slash + 1);
    const QString resolvedFolder = findExisting(folder);
    return (resolvedFolder.isEmpty() ? folder : resolvedFolder) + path.mid(slash + 1);
}

QStringList listFiles(const QString &folder, const QString &suffix)
{
    QStringList names;
    const QString dir = findExisting(folder);
    if (dir.isEmpty())
        return names;
    QDirIterator it(dir, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (name.startsWith(u'.'))
            continue;
        // A symbolic link is listed only when it leads to a regular file: one to a FIFO or a
        // device would hang or flood whoever reads it.
        if (name.size() >= suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive) &&
            (!it.fileInfo().isSymLink() || it.fileInfo().isFile()))
            names.append(name);
    }
    return names;
}

QString withTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

} // namespace hv::paths
