// Reading the suite's small files (templates, data file headers, directory files) with as
// few system calls as possible.
//
// A list fill reads thousands of such files, and each system call counts: a file read whole
// costs an open, one read and a close; its size and time cost one more call, made only when
// asked for. Errors are not raised: a file that cannot be opened or read reports false.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

#include <sys/stat.h>

namespace hv {

class ReadOnlyFile {
public:
    // Opens `path` (exactly as given) for reading, without blocking on a FIFO.
    explicit ReadOnlyFile(const QString &path);
    // Opens the file `name` of the folder open as `folderFd` (see FolderHandles).
    ReadOnlyFile(int folderFd, QStringView name);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // errno of a failed open or of the last failed call, 0 when none failed.
    int error() const { return m_error; }

    // Reads size and modification time; false unless the file is a regular file.
    bool stat();
    // Valid after stat().
    qint64 size() const { return qint64(m_stat.st_size); }
    qint64 modifiedSecs() const { return qint64(m_stat.st_mtim.tv_sec); }

    // Reads up to `length` bytes from `offset` into `data`; `got` is how many were read
    // (fewer at the end of the file). False on a read error (also for a folder).
    bool readAt(qint64 offset, char *data, qint64 length, qint64 &got);

    // Reads the whole file into `buffer` (grown as needed, kept for the next file) and sets
    // `length` to the number of bytes read. A file of more than `maxBytes` bytes, or one
    // that is not a regular file, is refused with false.
    bool readWhole(QByteArray &buffer, qint64 maxBytes, qint64 &length);

    // The size of the first read of readWhole: files up to this size cost one read.
    static constexpr qint64 kFirstReadBytes = 64 * 1024;

private:
    int m_fd = -1;
    int m_error = 0;
    struct stat m_stat {};
};

// Descriptors of folders, kept open so that the files in them are opened by their names
// alone: the system then looks up one name instead of every folder of a long path.
class FolderHandles {
public:
    FolderHandles() = default;
    ~FolderHandles();
    FolderHandles(const FolderHandles &) = delete;
    FolderHandles &operator=(const FolderHandles &) = delete;

    // Opens the file at `path` through the kept descriptor of its folder (opened on first
    // use); a path without a folder, or in a folder that cannot be opened, is opened whole.
    void open(std::optional<ReadOnlyFile> &file, const QString &path);
    // The kept descriptor of `folder` (a path ending in '/'), opened on first use; -1 when it
    // cannot be opened.
    int descriptorOf(const QString &folder);

private:
    QHash<QString, int> m_fds; // folder (ending in '/') -> descriptor, -1 when unopenable
    // The folder opened from last, and its descriptor: a fill opens many files of one folder.
    QString m_lastFolder;
    int m_lastFd = -1;
};

// Reads the whole regular file at `path` (exactly as given) into `bytes`: opened without
// blocking, checked to be a regular file (a FIFO, a device or a folder, also behind a
// symbolic link, is refused at once) and refused when larger than `maxBytes`. On failure
// returns false and sets `error` to a short reason for a message ("it is not a regular
// file", "it is larger than N bytes", or the system's text).
bool readRegularFile(const QString &path, qint64 maxBytes, QByteArray &bytes, QString &error);

// Whether the file at `path` may be handed to a reader that opens it blocking (QSettings):
// true when nothing is there, when it is a regular file, or when opening it fails at once;
// false for a FIFO, a device or a folder, with `reason` set ("it is not a regular file").
// The check opens without blocking, so a FIFO in the file's place holds nothing up.
bool isRegularOrAbsent(const QString &path, QString *reason = nullptr);

// The modification time of the file at `path`, in seconds since the epoch, or -1.
qint64 modifiedSecsOf(const QString &path);

} // namespace hv
