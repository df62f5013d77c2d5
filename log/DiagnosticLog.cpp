#include "log/DiagnosticLog.h"

#include "log/LogProtocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QMutex>
#include <QMutexLocker>

#include <unistd.h>

namespace hv {
namespace {

// How long one entry may hold up its caller, per step.
constexpr int kConnectTimeoutMs = 5;
constexpr int kWriteTimeoutMs = 5;

enum class LinkState { Untried, Off, Sent };

struct LogLink {
    QMutex mutex;
    LinkState state = LinkState::Untried;
    QString serverName = QString::fromLatin1(log::kLogServerName);
    QString programName;
};

LogLink &logLink()
{
    static LogLink link;
    return link;
}

// True when the socket of `serverName` belongs to this user: entries, which name the user's
// folders, go to no other user's viewer.
bool ownedByThisUser(const QString &serverName)
{
    const QString path =
        serverName.startsWith(u'/') ? serverName : QDir::tempPath() + u'/' + serverName;
    const QFileInfo socketFile(path);
    return socketFile.exists() && socketFile.ownerId() == uint(::getuid());
}

// Sends one line on a fresh connection; false when no viewer listens.
bool sendLine(const QString &serverName, const QByteArray &line)
{
    if (!ownedByThisUser(serverName))
        return false;
    QLocalSocket socket;
    socket.connectToServer(serverName, QIODevice::WriteOnly);
    if (socket.state() != QLocalSocket::ConnectedState &&
        !socket.waitForConnected(kConnectTimeoutMs)) {
        socket.abort();
        return false;
    }
    // A viewer is attached from here on, whether or not the line gets through.
    socket.write(line);
    socket.flush();
    if (socket.bytesToWrite() > 0)
        socket.waitForBytesWritten(kWriteTimeoutMs);
    socket.abort();
    return true;
}

} // namespace

void WriteLog(const QString &module, const QString &procedure, const QString &message)
{
    try {
        if (!QCoreApplication::instance())
            return;
        LogLink &link = logLink();
        QMutexLocker lock(&link.mutex);
        if (link.state == LinkState::Off)
            return;
        if (link.programName.isEmpty())
            link.programName = log::LogProgramName();
        const QByteArray line = log::encodeEntry({link.programName, module, procedure, message});
        if (!sendLine(link.serverName, line)) {
            if (link.state == LinkState::Untried)
                link.state = LinkState::Off;
            return;
        }
        link.state = LinkState::Sent;
    } catch (...) {
        // Logging never fails its caller.
    }
}

namespace log {

void ResetLogState(const QString &serverName)
{
    LogLink &link = logLink();
    QMutexLocker lock(&link.mutex);
    link.state = LinkState::Untried;
    link.serverName = serverName;
}

QString LogProgramName()
{
    if (!QCoreApplication::instance())
        return {};
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace log
} // namespace hv
