#include "platform/FileNames.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hv::paths {
namespace {

constexpr char16_t kEscapeBase = 0xDC00; // an escaped byte b is kEscapeBase + b (b >= 0x80)

// The length of the valid UTF-8 sequence at `at`, or 0 when the byte there starts none.
qsizetype validSequenceLength(const unsigned char *bytes, qsizetype at, qsizetype size)
{
    const unsigned char lead = bytes[at];
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80; // the range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F; // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (at + length > size || bytes[at + 1] < low || bytes[at + 1] > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if (bytes[at + i] < 0x80 || bytes[at + i] > 0xBF)
            return 0;
    }
    return length;
}

bool isEscape(char16_t c)
{
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
}

// True when the code unit at `i` is a surrogate without its partner.
bool isLoneSurrogate(QStringView text, qsizetype i)
{
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

// True when a name is shown as it is: no backslash and no surrogate (a lone one is an escaped
// byte; the rare pair takes the long way).
bool shownAsItIs(QStringView name)
{
    for (const QChar c : name) {
        if (c == u'\\' || c.isSurrogate())
            return false;
    }
    return true;
}

} // namespace

QString decodeName(QByteArrayView bytes)
{
    // Most names are ASCII: the cheapest conversion, and the same text.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; }))
        return QString::fromLatin1(bytes.data(), bytes.size());
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    QString name;
    name.reserve(size);
    qsizetype at = 0;
    while (at < size) {
        const qsizetype length = validSequenceLength(data, at, size);
        if (length == 0) {
            name.append(QChar(char16_t(kEscapeBase + data[at])));
            ++at;
            continue;
        }
        name.append(QString::fromUtf8(bytes.sliced(at, length)));
        at += length;
    }
    return name;
}

QByteArray encodeName(QStringView name)
{
    bool plain = true;
    for (const QChar c : name) {
        if (c.isSurrogate() || c.unicode() == 0) {
            plain = false;
            break;
        }
    }
    if (plain)
        return name.toUtf8();
    QByteArray bytes;
    bytes.reserve(name.size() * 3);
    qsizetype start = 0; // the first code unit not yet encoded
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool lone = isLoneSurrogate(name, i);
        if (!lone && c != 0)
            continue;
        if (c == 0 || !isEscape(c))
            return {};
        bytes.append(name.sliced(start, i - start).toUtf8());
        bytes.append(char(c - kEscapeBase));
        start = i + 1;
    }
    bytes.append(name.sliced(start).toUtf8());
    return bytes;
}

NativeName::NativeName(QStringView name)
{
    if (name.size() < kShortBytes) {
        const char16_t *c = name.utf16();
        char16_t seen = 0;
        for (qsizetype i = 0; i < name.size(); ++i) {
            seen |= c[i];
            m_short[i] = char(c[i]);
        }
        // ASCII without NUL encodes to itself.
        if (seen < 0x80 && !std::memchr(m_short, 0, size_t(name.size()))) {
            m_short[name.size()] = '\0';
            return;
        }
    }
    m_long = encodeName(name);
    if (m_long.isNull())
        m_long = QByteArray(""); // names no file
}

bool hasRawBytes(QStringView name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i].isSurrogate() && isLoneSurrogate(name, i))
            return true;
    }
    return false;
}

namespace {

bool statOf(const QString &path, struct stat &info)
{
    const QByteArray bytes = encodeName(path);
    return !bytes.isEmpty() && ::stat(bytes.constData(), &info) == 0;
}

} // namespace

bool mayWriteIn(const QString &path)
{
    const QByteArray local = encodeName(path);
    return !local.isEmpty() && ::access(local.constData(), W_OK | X_OK) == 0;
}

bool isFolder(const QString &path)
{
    struct stat info {};
    return statOf(path, info) && S_ISDIR(info.st_mode);
}

bool isRegularFile(const QString &path)
{
    struct stat info {};
    return statOf(path, info) && S_ISREG(info.st_mode);
}

qint64 fileSize(const QString &path)
{
    struct stat info {};
    return statOf(path, info) ? qint64(info.st_size) : -1;
}

QString canonicalPath(const QString &path)
{
    const QByteArray bytes = encodeName(path);
    if (char *real = bytes.isEmpty() ? nullptr : ::realpath(bytes.constData(), nullptr)) {
        const QString canonical = decodeName(real);
        std::free(real);
        return canonical;
    }
    return QDir::cleanPath(absolutePath(path).value_or(path));
}

std::optional<QString> exactPathOfQtPath(const QString &qtPath)
{
    if (!qtPath.contains(QChar::ReplacementCharacter))
        return qtPath;
    const QStringList parts = qtPath.split(u'/');
    QString exact;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        const QString parent = exact;
        if (i > 0)
            exact.append(u'/');
        if (!part.contains(QChar::ReplacementCharacter)) {
            exact.append(part);
            continue;
        }
        const QString folder = i == 0             ? QStringLiteral(".")
                               : parent.isEmpty() ? QStringLiteral("/")
                                                  : parent;
        DIR *dir = ::opendir(encodeName(folder).constData());
        if (!dir)
            return std::nullopt;
        int matches = 0;
        QString match;
        while (const dirent *entry = ::readdir(dir)) {
            if (QString::fromUtf8(entry->d_name) == part && ++matches == 1)
                match = decodeName(entry->d_name);
        }
        ::closedir(dir);
        if (matches != 1)
            return std::nullopt;
        exact.append(match);
    }
    return exact;
}

QList<QByteArray> folderNames(const QByteArray &folder, int &error)
{
    QList<QByteArray> names;
    DIR *dir = ::opendir(folder.constData());
    if (!dir) {
        error = errno != 0 ? errno : EIO;
        return names;
    }
    error = 0;
    const int fd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const char *raw = entry->d_name;
        if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0)))
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            isFolder = ::fstatat(fd, raw, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        if (isFolder)
            names.append(QByteArray(raw));
    }
    ::closedir(dir);
    return names;
}

QString rawBytesRefusal(QStringView path)
{
    return QStringLiteral("The name %1 holds bytes that are not UTF-8; this operation cannot "
                          "reach the file by that name, so nothing was done.")
        .arg(displayName(path));
}

QString displayName(QStringView name)
{
    if (shownAsItIs(name))
        return name.toString();
    QString shown;
    shown.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c == u'\\') {
            shown.append(QStringLiteral("\\\\"));
        } else if (QChar::isSurrogate(c) && isLoneSurrogate(name, i)) {
            if (isEscape(c))
                shown.append(QStringLiteral("\\x%1").arg(unsigned(c - kEscapeBase), 2, 16));
            else
                shown.append(QStringLiteral("\\u%1").arg(unsigned(c), 4, 16));
        } else {
            shown.append(QChar(c));
        }
    }
    return shown;
}

QString displayName(const QString &name)
{
    return shownAsItIs(name) ? name : displayName(QStringView(name));
}

std::optional<QString> absolutePath(const QString &path, QString *error)
{
    if (path.startsWith(u'/'))
        return path;
    // getcwd fails with ENOENT for a folder that was removed; an answer that is not a path
    // (a folder outside the process's root) counts as none either.
    char *current = ::getcwd(nullptr, 0);
    if (!current || current[0] != '/') {
        const int reason = current ? ENOENT : errno;
        std::free(current);
        if (error)
            *error = QStringLiteral("Cannot resolve the relative path %1: there is no current "
                                    "folder (%2)")
                         .arg(displayName(path), QString::fromLocal8Bit(std::strerror(reason)));
        return std::nullopt;
    }
    QString folder = decodeName(current);
    std::free(current);
    if (!folder.endsWith(u'/'))
        folder.append(u'/');
    if (path.isEmpty() || path == u".")
        return folder.size() > 1 ? folder.chopped(1) : folder;
    return folder + path;
}

} // namespace hv::paths
