#include "log/LogViewer.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <vector>

namespace hv::log {

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
    if (m_server->listen(name))
        return true;
    if (m_server->serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // Someone answering under that name is a running viewer; leave it alone.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.state() == QLocalSocket::ConnectedState || probe.waitForConnected(200)) {
        probe.abort();
        return false;
    }
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

void LogViewer::close()
{
    m_server->close();
    for (Connection &c : m_connections) {
        c.socket->disconnect(this);
        c.socket->abort();
        c.socket->deleteLater();
    }
    m_connections.clear();
}

bool LogViewer::isListening() const
{
    return m_server->isListening();
}

QString LogViewer::errorString() const
{
    return m_server->errorString();
}

void LogViewer::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        m_connections.push_back({socket, {}, false});
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, this,
                [this, socket] { markFinished(socket); });
        readFrom(socket);
        if (socket->state() == QLocalSocket::UnconnectedState)
            markFinished(socket);
    }
}

LogViewer::Connection *LogViewer::find(QLocalSocket *socket)
{
    for (Connection &c : m_connections) {
        if (c.socket == socket)
            return &c;
    }
    return nullptr;
}

void LogViewer::readFrom(QLocalSocket *socket)
{
    if (Connection *c = find(socket)) {
        c->pending += socket->readAll();
        deliver();
    }
}

void LogViewer::markFinished(QLocalSocket *socket)
{
    if (Connection *c = find(socket)) {
        c->pending += socket->readAll();
        c->finished = true;
        deliver();
    }
}

// Reports the complete lines of the oldest connection; once it has ended (and any last line
// without LF has been reported) the next connection's lines follow. The entries are reported
// after the bookkeeping, so a receiver may close the viewer.
void LogViewer::deliver()
{
    std::vector<LogEntry> entries;
    while (!m_connections.empty()) {
        Connection &head = m_connections.front();
        qsizetype lineEnd;
        while ((lineEnd = head.pending.indexOf('\n')) >= 0) {
            entries.push_back(decodeEntry(QByteArrayView(head.pending).first(lineEnd + 1)));
            head.pending.remove(0, lineEnd + 1);
        }
        if (!head.finished)
            break;
        if (!head.pending.isEmpty())
            entries.push_back(decodeEntry(head.pending));
        QLocalSocket *socket = head.socket;
        m_connections.pop_front();
        socket->disconnect(this);
        socket->deleteLater();
    }
    for (const LogEntry &entry : entries)
        Q_EMIT entryReceived(entry);
}

} // namespace hv::log
