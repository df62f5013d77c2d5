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
    const QString path = socketPath(name);
    if (m_server->listen(path))
        return true;
    if (m_server->serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // Someone answering under that name is a running viewer; leave it alone.
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.state() == QLocalSocket::ConnectedState || probe.waitForConnected(200)) {
        probe.abort();
        return false;
    }
    QLocalServer::removeServer(path);
    return m_server->listen(path);
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
    return m_server->errorString();
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
