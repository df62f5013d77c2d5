// A share that can stop answering, for tests: the slowfs FUSE file system (bench/fuse_bench)
// showing a folder of the test's at a mount point of its own. stall() holds every request
// from then on without an answer, as a share whose server went away; release() answers them
// again. The destructor releases, unmounts (lazily when a file on it is still open) and ends
// the file system, so a failed test leaves no stalled mount behind.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace hvtest {

class SlowShare {
public:
    SlowShare();
    ~SlowShare();
    SlowShare(const SlowShare &) = delete;
    SlowShare &operator=(const SlowShare &) = delete;

    // Mounts the share with `options` (slowfs -o options, e.g. "delay_us=0,cache_s=0").
    // False, with the reason in skipReason(), where this machine cannot mount FUSE.
    bool mount(const QString &options = QStringLiteral("delay_us=0,cache_s=0"));
    QString skipReason() const { return m_skipReason; }

    // The mount point, where the share's files are seen, and the folder it shows, which the
    // test may read without going through the share.
    QString mountPoint() const { return m_mount.path(); }
    QString source() const { return m_source.path(); }

    void stall();
    void release();

private:
    void takeDown();

    QTemporaryDir m_source;
    QTemporaryDir m_mount;
    QProcess m_fs;
    bool m_mounted = false;
    QString m_skipReason;
};

// A child process that opens `path` for reading on descriptor 3 and keeps it open until it is
// killed (at the latest when the object goes). started() is true once the file is open.
class FileHolder {
public:
    explicit FileHolder(const QString &path);
    ~FileHolder();
    bool started() const { return m_started; }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
    bool m_started = false;
};

} // namespace hvtest
