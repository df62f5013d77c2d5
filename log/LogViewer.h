// The listening end of the diagnostic log: accepts the console's connections and turns their
// lines into entries. Used by the `hvdebug` viewer program and by tests.
//
// Each entry arrives on a connection of its own. Entries are reported in the order in which
// their connections were accepted, so they come out in the order they were written even when
// the event loop sees several connections at once.
#pragma once

#include "log/LogProtocol.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <deque>

class QLocalServer;
class QLocalSocket;

namespace hv::log {

class LogViewer : public QObject {
    Q_OBJECT
public:
    explicit LogViewer(QObject *parent = nullptr);
    ~LogViewer() override;

    // Starts listening under `name`. A socket left behind by a viewer that died is replaced;
    // a viewer that is still listening under that name is not (false, see errorString()).
    bool listen(const QString &name = QString::fromLatin1(kLogServerName));
    // Stops listening and drops the connections that are still open.
    void close();
    bool isListening() const;
    QString errorString() const;

Q_SIGNALS:
    void entryReceived(const hv::log::LogEntry &entry);

private:
    struct Connection {
        QLocalSocket *socket = nullptr;
        QByteArray pending; // bytes not yet split into lines
        bool finished = false;
    };

    void acceptConnections();
    void readFrom(QLocalSocket *socket);
    void markFinished(QLocalSocket *socket);
    void deliver();
    Connection *find(QLocalSocket *socket);

    QLocalServer *m_server;
    std::deque<Connection> m_connections; // in the order accepted
};

} // namespace hv::log
