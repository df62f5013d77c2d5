#include "log/LogViewer.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>
#include <cstring>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace hv::log {
namespace {

enum class Listener { None, Running, Stale, Refused };

// Who is at the socket `path`: nothing, a viewer that answers, a socket left behind by one
// that died, or something that must not be replaced (`reason` says what). The server's own
// listen would replace the socket file of a running viewer, which then receives nothing.
Listener probeListener(const QString &path, QString &reason)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0)
        return Listener::None;
    if (!S_ISSOCK(info.st_mode)) {
        reason = QStringLiteral("a file that is not a socket is in the way");
        return Listener::Refused;
    }
    sockaddr_un address{};
    if (native.size() >= qsizetype(sizeof(address.sun_path)))
        return Listener::None; // the server reports the name as too long
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        reason = qt_error_string(errno);
        return Listener::Refused;
    }
    int rc;
    do {
        rc = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address));
    } while (rc != 0 && errno == EINTR);
    const int error = rc == 0 ? 0 : errno;
    ::close(fd);
    // A full backlog (EAGAIN) is a viewer too: one that is busy.
    if (rc == 0 || error == EAGAIN || error == EINPROGRESS)
        return Listener::Running;
    if (error == ECONNREFUSED)
        return Listener::Stale;
    reason = qt_error_string(error);
    return Listener::Refused;
}

} // namespace

LogViewer::LogViewer(QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    // Only this user may send entries.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &LogViewer::acceptConnections);
}

LogViewer::~LogViewer()
{
    close();
}

bool LogViewer::listen(const QString &name)
{
    const QString path = socketPath(name);
    m_error.clear();
    switch (probeListener(path, m_error)) {
    case Listener::Running:
        m_error = QStringLiteral("another viewer is already listening on %1").arg(path);
        return false;
    case Listener::Stale:
        QLocalServer::removeServer(path);
        break;
    case Listener::None:
        break;
    case Listener::Refused:
        m_error = QStringLiteral("cannot listen on %1: %2").arg(path, m_error);
        return false;
    }
    if (m_server->listen(path))
        return true;
    m_error = QStringLiteral("cannot listen on %1: %2").arg(path, m_server->errorString());
    return false;
}

void LogViewer::close()
{
    m_server->close();
    const QList<QLocalSocket *> sockets = m_pending.keys();
    m_pending.clear();
    for (QLocalSocket *socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

bool LogViewer::isListening() const
{
    return m_server->isListening();
}

QString LogViewer::errorString() const
{
    return m_error;
}

void LogViewer::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        m_pending.insert(socket, {});
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket] { readFrom(socket, false); });
        connect(socket, &QLocalSocket::disconnected, this,
                [this, socket] { readFrom(socket, true); });
        readFrom(socket, socket->state() == QLocalSocket::UnconnectedState);
    }
}

// The entries are reported after the bookkeeping, so a receiver may close the viewer.
void LogViewer::readFrom(QLocalSocket *socket, bool finished)
{
    const auto found = m_pending.find(socket);
    if (found == m_pending.end())
        return;
    QByteArray &pending = found.value();
    pending += socket->readAll();
    std::vector<LogEntry> entries;
    qsizetype start = 0;
    for (qsizetype end; (end = pending.indexOf('\n', start)) >= 0; start = end + 1)
        entries.push_back(decodeEntry(QByteArrayView(pending).sliced(start, end + 1 - start)));
    pending.remove(0, start);
    while (pending.size() >= kMaxLineBytes) {
        entries.push_back(decodeEntry(QByteArrayView(pending).first(kMaxLineBytes)));
        pending.remove(0, kMaxLineBytes);
    }
    if (finished) {
        if (!pending.isEmpty())
            entries.push_back(decodeEntry(pending));
        m_pending.erase(found);
        socket->disconnect(this);
        socket->deleteLater();
    }
    for (const LogEntry &entry : entries)
        Q_EMIT entryReceived(entry);
}

} // namespace hv::log
