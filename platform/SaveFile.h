// Saving a whole file safely, and advisory locks over a read-modify-write.
//
// Every save of a small file the console writes (INI files, directory files, launcher
// entries, desktop shortcuts) goes through saveWhole: the new bytes go to a temporary file
// beside the target, and only when every byte has reached the file system does the temporary
// file replace the target by a rename. A full disk or a write error leaves the old file as
// it was and is reported.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

namespace hv {

// True when `path` names an existing file marked read-only (its owner may not write it),
// the mark that saves respect even for a user whom the system would let write.
bool isReadOnlyFile(const QString &path);

// Writes `bytes` as the whole content of `path` (the target of a symbolic link is replaced,
// as a save through the link would). False with `error` set (the system's text, without
// the path) when anything fails; the old file is then untouched. A file marked read-only
// is not replaced, nor is a path holding bytes that are not UTF-8 written (paths::hasRawBytes).
bool saveWhole(const QString &path, QByteArrayView bytes, QString *error = nullptr);

// An exclusive advisory lock (flock) held for the life of the object, so that two of our
// own processes changing the same file one after the other lose none of each other's
// changes. Other programs take no such locks and are not held up.
//
// Files replaced by a rename (INI and directory files) cannot be locked themselves: the lock
// would stay on the old file. FolderLock locks the folder that holds `path` instead; locks
// of the same folder in one process nest. Where the file system offers no locks the object
// holds none and nothing fails.
class FolderLock {
public:
    explicit FolderLock(const QString &path);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    struct Held;

private:
    QString m_folder;
    std::shared_ptr<Held> m_held;
};

// Takes an exclusive flock on the open descriptor `fd` (waiting for another holder) and
// releases it when destroyed. A file system without locks gives no lock and no failure.
class DescriptorLock {
public:
    explicit DescriptorLock(int fd);
    ~DescriptorLock();
    DescriptorLock(const DescriptorLock &) = delete;
    DescriptorLock &operator=(const DescriptorLock &) = delete;

private:
    int m_fd = -1;
};

} // namespace hv
