// The listening end of the diagnostic log: accepts the console's connections and turns their
// lines into entries. Used by the `hvdebug` viewer program and by tests.
//
// A sender keeps one connection open and writes its entries on it, one line each; each
// connection has a buffer of its own, so its entries come out in the order written and a
// connection that stalls in the middle of a line holds back no other. A line that grows
// beyond kMaxLineBytes without its LF is reported cut at that length.
#pragma once

#include "log/LogProtocol.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <QHash>

class QLocalServer;
class QLocalSocket;

namespace hv::log {

class LogViewer : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxLineBytes = 16 * 1024 * 1024;

    explicit LogViewer(QObject *parent = nullptr);
    ~LogViewer() override;

    // Starts listening under `name` (at socketPath(name)). The socket is probed first: a viewer
    // that answers there keeps it (false, errorString() "another viewer is already listening
    // on <path>"), a socket left behind by a viewer that died is removed, and a file there
    // that is not a socket is left alone (false).
    bool listen(const QString &name = QString::fromLatin1(kLogServerName));
    // Stops listening and drops the connections that are still open.
    void close();
    bool isListening() const;
    QString errorString() const;

Q_SIGNALS:
    void entryReceived(const hv::log::LogEntry &entry);

private:
    void acceptConnections();
    // Reports the connection's complete lines; when it has ended, its last line without LF
    // too, and the connection goes.
    void readFrom(QLocalSocket *socket, bool finished);

    QLocalServer *m_server;
    QString m_error; // why the last listen failed, when it failed before asking the server
    QHash<QLocalSocket *, QByteArray> m_pending; // per open connection: bytes not yet a line
};

} // namespace hv::log
