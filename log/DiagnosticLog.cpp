#include "log/DiagnosticLog.h"

#include "log/LogProtocol.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace hv {
namespace {

using Clock = std::chrono::steady_clock;

// Entries on their way to the viewer take at most this many bytes; entries beyond it are
// dropped, and the next entry that gets in says how many.
constexpr qsizetype kMaxPendingBytes = 4 * 1024 * 1024;
// How long the writer waits for a viewer that does not read before it looks again.
constexpr int kWriterPollMs = 50;
// At the end of the process, how long the entries still waiting may take to leave.
constexpr auto kExitDrainTime = std::chrono::milliseconds(500);

enum class LinkState { Untried, Off, Sent };

// Connects to the viewer's socket at `path` without waiting; -1 when no viewer of this user
// listens there (or its backlog is full). Entries, which name the user's folders, go to no
// other user's viewer.
int openConnection(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address{};
    if (native.size() >= qsizetype(sizeof(address.sun_path)))
        return -1;
    struct stat info {};
    if (::stat(native.constData(), &info) != 0 || !S_ISSOCK(info.st_mode) ||
        info.st_uid != ::getuid())
        return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// True when the viewer at the other end has closed the connection.
bool peerClosed(int fd)
{
    pollfd p{fd, POLLOUT, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

// One connection to the viewer, kept open while the viewer runs, and the entries on their
// way to it. WriteLog only appends to the pending bytes; a writer thread sends them, so a
// viewer that stops reading (stopped with Ctrl+Z, or piped into a pager) never holds up the
// caller: it costs at most the bounded buffer, and then entries.
class LogLink {
public:
    ~LogLink()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
            m_exitDeadline = Clock::now() + kExitDrainTime;
        }
        m_wake.notify_all();
        if (m_writer.joinable())
            m_writer.join();
        disconnect();
    }

    void write(const QString &module, const QString &procedure, const QString &message)
    {
        std::lock_guard lock(m_mutex);
        if (m_state == LinkState::Off || m_stopping)
            return;
        if (m_fd >= 0 && peerClosed(m_fd))
            disconnect();
        if (m_fd < 0) {
            m_fd = openConnection(log::socketPath(m_serverName));
            if (m_fd < 0) {
                // Once an entry was sent, a later miss leaves the state as it is, so a viewer
                // that comes back receives the entries from then on.
                if (m_state == LinkState::Untried)
                    m_state = LinkState::Off;
                return;
            }
            if (!m_writer.joinable())
                m_writer = std::thread([this] { run(); });
        }
        // A viewer is attached from here on, whether or not this entry gets through.
        m_state = LinkState::Sent;
        if (m_programName.isEmpty())
            m_programName = log::LogProgramName();
        QString text = message;
        if (m_dropped > 0)
            text += QStringLiteral(" [%1 earlier entries dropped: the viewer did not keep up]")
                        .arg(m_dropped);
        // Stamped here, when written: the viewer may read it much later.
        const QByteArray line = log::encodeEntry(
            {m_programName, module, procedure, text, log::stampTime(), qint64(::getpid())});
        if (m_pending.size() - m_sent + line.size() > kMaxPendingBytes) {
            ++m_dropped;
            return;
        }
        m_dropped = 0;
        m_pending += line;
        m_wake.notify_one();
    }

    void reset(const QString &serverName)
    {
        std::lock_guard lock(m_mutex);
        disconnect();
        m_state = LinkState::Untried;
        m_serverName = serverName;
        m_dropped = 0;
    }

private:
    // Closes the connection; what was on its way to that viewer goes with it. The mutex is
    // held (or the writer has ended).
    void disconnect()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        m_pending.clear();
        m_sent = 0;
    }

    // The writer thread: sends the pending bytes as the viewer takes them.
    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (m_fd < 0 || m_sent == m_pending.size()) {
                if (m_stopping)
                    return;
                m_wake.wait(lock);
                continue;
            }
            const ssize_t n =
                ::send(m_fd, m_pending.constData() + m_sent, size_t(m_pending.size() - m_sent),
                       MSG_DONTWAIT | MSG_NOSIGNAL);
            if (n > 0) {
                m_sent += n;
                if (m_sent == m_pending.size()) {
                    m_pending.clear();
                    m_sent = 0;
                } else if (m_sent >= kMaxPendingBytes / 2) {
                    m_pending.remove(0, m_sent);
                    m_sent = 0;
                }
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
                if (m_stopping && Clock::now() >= m_exitDeadline)
                    return;
                // Wait for room without holding up WriteLog. Should the connection be closed
                // meanwhile, the poll merely ends early.
                pollfd p{m_fd, POLLOUT, 0};
                lock.unlock();
                ::poll(&p, 1, kWriterPollMs);
                lock.lock();
                continue;
            }
            disconnect(); // the viewer went away
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_writer;
    bool m_stopping = false;
    Clock::time_point m_exitDeadline;
    LinkState m_state = LinkState::Untried;
    QString m_serverName = QString::fromLatin1(log::kLogServerName);
    QString m_programName;
    int m_fd = -1;
    QByteArray m_pending; // entries not yet (wholly) sent
    qsizetype m_sent = 0; // bytes at the start of m_pending that have been sent
    qint64 m_dropped = 0; // entries dropped since the last one that got in
};

LogLink &logLink()
{
    static LogLink link;
    return link;
}

} // namespace

void WriteLog(const QString &module, const QString &procedure, const QString &message)
{
    try {
        if (!QCoreApplication::instance())
            return;
        logLink().write(module, procedure, message);
    } catch (...) {
        // Logging never fails its caller.
    }
}

namespace log {

void ResetLogState(const QString &serverName)
{
    logLink().reset(serverName);
}

QString LogProgramName()
{
    if (!QCoreApplication::instance())
        return {};
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace log
} // namespace hv
