#include "tests/common/SlowShare.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>

#include <csignal>
#include <sys/types.h>

namespace hvtest {
namespace {

// True when this process's mount table lists a mount on `path` (a path without spaces or
// other characters the table escapes).
bool isMountPoint(const QString &path)
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return false;
    const QByteArray wanted = QFile::encodeName(path);
    for (const QByteArray &line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 4 && fields.at(4) == wanted)
            return true;
    }
    return false;
}

// Runs fusermount3 with `args`; true when it ended well within a few seconds.
bool fusermount(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("fusermount3"), args);
    if (p.waitForFinished(5000))
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    p.kill();
    p.waitForFinished(1000);
    return false;
}

} // namespace

SlowShare::SlowShare() = default;

SlowShare::~SlowShare()
{
    takeDown();
}

bool SlowShare::mount(const QString &options)
{
    const QString program = qEnvironmentVariable("HV_SLOWFS");
    if (program.isEmpty())
        m_skipReason = QStringLiteral("slowfs was not built (no libfuse3)");
    else if (!QFile::exists(QStringLiteral("/dev/fuse")))
        m_skipReason = QStringLiteral("no /dev/fuse");
    else if (QStandardPaths::findExecutable(QStringLiteral("fusermount3")).isEmpty())
        m_skipReason = QStringLiteral("no fusermount3");
    else if (!m_source.isValid() || !m_mount.isValid())
        m_skipReason = QStringLiteral("no temporary folder");
    if (!m_skipReason.isEmpty())
        return false;
    m_fs.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_fs.start(program, {m_source.path(), m_mount.path(), QStringLiteral("-f"),
                         QStringLiteral("-o"), options + QStringLiteral(",auto_unmount")});
    const QDeadlineTimer deadline(10000);
    while (m_fs.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        if (isMountPoint(m_mount.path())) {
            m_mounted = true;
            return true;
        }
        m_fs.waitForFinished(20);
    }
    m_skipReason = QStringLiteral("the FUSE file system could not be mounted");
    takeDown();
    return false;
}

void SlowShare::stall()
{
    if (m_fs.state() == QProcess::Running)
        ::kill(pid_t(m_fs.processId()), SIGUSR1);
}

void SlowShare::release()
{
    if (m_fs.state() == QProcess::Running)
        ::kill(pid_t(m_fs.processId()), SIGUSR2);
}

void SlowShare::takeDown()
{
    release();
    if (m_mounted) {
        // Requests answered at last, the unmount may still find a file busy for a moment;
        // then the mount is taken away lazily.
        const QDeadlineTimer deadline(5000);
        bool unmounted = false;
        while (!unmounted && !deadline.hasExpired()) {
            unmounted = fusermount({QStringLiteral("-u"), m_mount.path()});
            if (!unmounted)
                m_fs.waitForFinished(50);
        }
        if (!unmounted)
            fusermount({QStringLiteral("-uz"), m_mount.path()});
        m_mounted = false;
    }
    if (m_fs.state() != QProcess::NotRunning) {
        m_fs.terminate();
        if (!m_fs.waitForFinished(5000)) {
            m_fs.kill();
            m_fs.waitForFinished(5000);
        }
    }
}

FileHolder::FileHolder(const QString &path)
{
    m_process.start(QStringLiteral("sh"),
                    {QStringLiteral("-c"),
                     QStringLiteral("exec 3<\"$1\" && echo open && exec sleep 120"),
                     QStringLiteral("sh"), path});
    const QDeadlineTimer deadline(10000);
    while (!m_started && m_process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        m_process.waitForReadyRead(int(deadline.remainingTime()));
        m_started = m_process.readAllStandardOutput().contains("open");
    }
}

FileHolder::~FileHolder()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

} // namespace hvtest
