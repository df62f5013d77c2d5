// File names are bytes: how the console holds them in a QString, shows them and makes paths
// absolute.
//
// A name on disk is any sequence of bytes; most are UTF-8, some are not (a name written under
// another code page). A name is held as a QString decoded reversibly: valid UTF-8 decodes as
// usual, and each byte of a sequence that is not valid UTF-8 becomes the lone surrogate
// U+DC80 + (byte - 0x80) ("surrogate escape"), which no valid UTF-8 name decodes to. So two
// names on disk are two different strings, and encodeName() gives back exactly the bytes that
// were read. Every system call that takes a path encodes it here.
//
// Qt's file classes (QFile, QFileInfo, QDir, QSaveFile, QProcess arguments) encode names as
// UTF-8 and turn such a surrogate into '?', which names another file: a path that
// hasRawBytes() must not go through them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace hv::paths {

// The name or path held by `bytes`, decoded reversibly (see above).
QString decodeName(QByteArrayView bytes);

// The bytes of `name` for a system call: the exact bytes it was decoded from. A string that
// no name decodes to (a lone surrogate outside the escapes, or a NUL character) gives an
// empty result, which names no file, so that nothing else is reached in its place.
QByteArray encodeName(QStringView name);

// encodeName() for one system call, without a heap allocation for the common short ASCII name:
// a list opens thousands of files by name.
class NativeName {
public:
    explicit NativeName(QStringView name);
    NativeName(const NativeName &) = delete;
    NativeName &operator=(const NativeName &) = delete;

    // NUL-terminated; empty when encodeName() gives nothing.
    const char *get() const { return m_long.isNull() ? m_short : m_long.constData(); }

private:
    static constexpr qsizetype kShortBytes = 256;
    char m_short[kShortBytes];
    QByteArray m_long;
};

// True when `name` holds a byte that is not UTF-8 (or any lone surrogate): Qt's file classes
// would reach another file for it.
bool hasRawBytes(QStringView name);

// True when this process may add, rename and remove entries of the folder `path`: it is on
// a file system mounted for writing and grants this user write and search access. A folder
// that does not exist is no folder one may write in.
bool mayWriteIn(const QString &path);

// What is at `path` (its exact bytes), following symbolic links: false when nothing is.
bool isFolder(const QString &path);
bool isRegularFile(const QString &path);
// The size of the file at `path`, or -1 when there is none.
qint64 fileSize(const QString &path);

// The names of the folders directly in `folder` (its exact bytes), in listing order: entries
// that are folders or symbolic links to folders, without "." and "..". Only a link or an
// entry whose type the listing does not give is looked at further (a folder that holds the
// mount point of a share that stopped answering is listed without asking the share). 0 in
// `error` when the folder was listed, else the error number (errno) of the failed listing.
QList<QByteArray> folderNames(const QByteArray &folder, int &error);

// `path` as one spelling: absolute, symbolic links resolved where it exists, otherwise
// cleaned ("." and ".." taken away) without looking at the disk.
QString canonicalPath(const QString &path);

// The exact path of a path that a Qt class decoded from the disk (a folder view's selection):
// Qt turns each byte that is not UTF-8 into U+FFFD, so such a path may stand for several.
// The path when it holds no U+FFFD; otherwise the one path on disk that Qt would decode to
// it, or nullopt when there is none or more than one.
std::optional<QString> exactPathOfQtPath(const QString &qtPath);

// The message of an operation refused because `path` holds such a byte and can only be
// reached through a Qt file class.
QString rawBytesRefusal(QStringView path);

// How the window and the JSON output show a name: valid text as it is, each byte that is not
// UTF-8 as \xHH and a backslash as \\, so that no two names look alike.
QString displayName(QStringView name);
// The same; a name that needs no escape comes back as it is, without a copy.
QString displayName(const QString &name);

// `path` as an absolute path: a relative one is taken from the current folder that the system
// reports (getcwd). When there is none (it was removed, or its path is too long for the
// system to give) a relative path gives nullopt and `error` says why. Nothing is cleaned up:
// "." and ".." stay as given.
std::optional<QString> absolutePath(const QString &path, QString *error = nullptr);

} // namespace hv::paths
