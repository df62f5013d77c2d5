// A share that can stop answering, for tests: the slowfs FUSE file system (bench/fuse_bench)
// showing a temporary folder at a mount point of its own. stall() holds every request from
// then on without an answer, as a share whose server went away; release() answers them again.
// The destructor releases, unmounts (lazily when a file on it is still open) and ends the
// file system, so a failed test leaves no stalled mount behind.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <csignal>
#include <memory>

namespace hvtest {

// Held by every test process while one of its shares is stalled, and taken by a test whose
// tools look at every mount of the machine (the desktop's trash service does): such a test
// waits for the stall to end instead of hanging on it. Shares are mounted outside the
// temporary folder, so tests that list it never meet one.
class StallSection {
public:
    StallSection();
    ~StallSection();
    StallSection(const StallSection &) = delete;
    StallSection &operator=(const StallSection &) = delete;
};

class SlowShare {
public:
    SlowShare();
    ~SlowShare();
    // Mounts the share with slowfs's -o `options`; false, with the reason in skipReason(),
    // where this machine cannot mount FUSE.
    bool mount(const QString &options = QStringLiteral("delay_us=0,cache_s=0"));
    QString skipReason() const { return m_skipReason; }
    QString mountPoint() const { return m_mount.path(); }
    // Holds every request from now on; true once a request there has gone unanswered (within
    // 10 s), false when the share went on answering.
    bool stall();
    void release();

private:
    void signal(int sig);

    QTemporaryDir m_source;
    QTemporaryDir m_mount;
    std::unique_ptr<StallSection> m_stalled;
    QProcess m_fs;
    bool m_mounted = false;
    QString m_skipReason;
};

} // namespace hvtest
