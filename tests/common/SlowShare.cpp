#include "tests/common/SlowShare.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>

#include <QDir>
#include <QMutex>
#include <QMutexLocker>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace hvtest {
namespace {

// Runs fusermount3 with `args`; true when it ended well within a few seconds.
bool fusermount(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("fusermount3"), args);
    const bool ended = p.waitForFinished(5000);
    if (!ended)
        p.kill();
    p.waitForFinished(1000);
    return ended && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The device of the file system that holds `path`, or 0.
dev_t deviceOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_dev : 0;
}

// Where shares are mounted: beside the build's other test files when the tests know it, so
// that listing the temporary folder never reaches a stalled share.
QString mountFolder()
{
    const QString build = qEnvironmentVariable("HV_BINARY_DIR");
    const QString folder = (build.isEmpty() ? QDir::tempPath() + QStringLiteral("/hv-test-mounts")
                                            : build + QStringLiteral("/test-mounts"));
    QDir().mkpath(folder);
    return folder;
}

// One lock between the test processes, taken once by a process however many of its shares
// stall at a time (a second flock in the same process would wait for itself).
QMutex stallMutex;
int stallUsers = 0;
int stallFd = -1;

} // namespace

StallSection::StallSection()
{
    QMutexLocker lock(&stallMutex);
    if (stallUsers++ > 0)
        return;
    const QByteArray path = QFile::encodeName(QDir::tempPath() + "/hv-tests-stall.lock");
    stallFd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (stallFd >= 0)
        ::flock(stallFd, LOCK_EX);
}

StallSection::~StallSection()
{
    QMutexLocker lock(&stallMutex);
    if (--stallUsers > 0 || stallFd < 0)
        return;
    ::close(stallFd); // closing lets the lock go
    stallFd = -1;
}

SlowShare::SlowShare() : m_mount(mountFolder() + QStringLiteral("/share-XXXXXX")) {}

bool SlowShare::stall()
{
    if (!m_stalled)
        m_stalled = std::make_unique<StallSection>();
    signal(SIGUSR1);
    // The signal takes effect a moment later: probe with names never asked for before until
    // one gets no answer. A probe left waiting ends when the share is released.
    const QDeadlineTimer deadline(10000);
    for (int i = 0; !deadline.hasExpired(); ++i) {
        const QByteArray probe =
            QFile::encodeName(m_mount.path() + QStringLiteral("/probe%1").arg(i));
        auto answered = std::make_shared<std::atomic<bool>>(false);
        std::thread([probe, answered] {
            struct stat st {};
            ::stat(probe.constData(), &st);
            *answered = true;
        }).detach();
        const QDeadlineTimer wait(100);
        while (!*answered && !wait.hasExpired())
            std::this_thread::yield();
        if (!*answered)
            return true;
    }
    return false;
}

void SlowShare::release()
{
    signal(SIGUSR2);
    m_stalled.reset();
}

bool SlowShare::mount(const QString &options)
{
    const QString program = qEnvironmentVariable("HV_SLOWFS");
    if (program.isEmpty())
        m_skipReason = QStringLiteral("slowfs was not built (no libfuse3)");
    else if (!QFile::exists(QStringLiteral("/dev/fuse")) ||
             QStandardPaths::findExecutable(QStringLiteral("fusermount3")).isEmpty())
        m_skipReason = QStringLiteral("no /dev/fuse or no fusermount3");
    if (!m_skipReason.isEmpty())
        return false;
    const dev_t before = deviceOf(m_mount.path());
    m_fs.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_fs.start(program, {m_source.path(), m_mount.path(), QStringLiteral("-f"),
                         QStringLiteral("-o"), options + QStringLiteral(",auto_unmount")});
    const QDeadlineTimer deadline(10000);
    while (!m_mounted && m_fs.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        m_mounted = deviceOf(m_mount.path()) != before;
        if (!m_mounted)
            m_fs.waitForFinished(20);
    }
    if (!m_mounted)
        m_skipReason = QStringLiteral("the FUSE file system could not be mounted here");
    return m_mounted;
}

void SlowShare::signal(int sig)
{
    if (m_fs.state() == QProcess::Running)
        ::kill(pid_t(m_fs.processId()), sig);
}

SlowShare::~SlowShare()
{
    release();
    // With its requests answered, a file on the share may still be busy for a moment: then
    // the mount is taken away lazily.
    if (m_mounted && !fusermount({QStringLiteral("-u"), m_mount.path()}))
        fusermount({QStringLiteral("-uz"), m_mount.path()});
    m_fs.terminate();
    if (!m_fs.waitForFinished(5000))
        m_fs.kill();
    m_fs.waitForFinished(5000);
}

} // namespace hvtest
