// The open file of a dBase table: positioned reads and writes on one file descriptor.
//
// A table is opened without share restrictions or locks (other programs may read and write
// it at the same time), so nothing is cached here: every read and write goes to the file.
// Failures raise a DbaseError (kFileSystem) naming the operation, the path and the
// operating system's error text.
#pragma once

#include <QString>

#include <cstdint>

namespace hv {

class TableFile {
public:
    TableFile() = default;
    ~TableFile();
    TableFile(const TableFile &) = delete;
    TableFile &operator=(const TableFile &) = delete;

    // Opens an existing file, read-only or read/write. A folder is refused.
    void openExisting(const QString &path, bool readWrite);
    // Creates (or truncates) the file and opens it read/write; false when that fails, with
    // error() set.
    bool create(const QString &path);
    // The system's text for the last failed create.
    QString error() const { return m_error; }
    void close();

    bool isOpen() const { return m_fd >= 0; }
    QString path() const { return m_path; }

    // The file's current size in bytes.
    int64_t size() const;

    // Reads up to `length` bytes at `offset`; returns how many were read (fewer at the end
    // of the file, 0 for an offset at or past the end or below 0).
    int64_t readAt(int64_t offset, char *data, int64_t length) const;

    // Writes `length` bytes at `offset` (which must not be negative).
    void writeAt(int64_t offset, const char *data, int64_t length);

    // Cuts the file to `length` bytes.
    void truncate(int64_t length);

    // The open descriptor, -1 when closed (for an advisory lock).
    int descriptor() const { return m_fd; }

private:
    [[noreturn]] void fail(const char *operation, int error) const;

    int m_fd = -1;
    QString m_path;
    QString m_error;
};

} // namespace hv
