// hvdebug: the diagnostic log viewer. Listens on the local socket "HVDebug.Application" (in
// $XDG_RUNTIME_DIR, or the temporary folder when that is not set) and prints every entry that
// the console (or hvadmin-cli) sends, one per line: the date and time the writer wrote it, the
// writer's process id, program, module, procedure and message:
//
//     2026-12-08 14:03:07.125  4242  HVAdmin  mMain  Main  HVAdmin Started
//
// An entry from a writer that does not stamp its entries shows the time it arrived and "-" for
// the process id. --filter TEXT prints only the entries holding TEXT (letter case aside),
// --output FILE also appends each printed line to FILE, --json prints each entry as one JSON
// object instead.
//
// Backslashes and control characters inside the fields are printed escaped ("\\", "\n",
// "\x1b"), so each entry is exactly one line.
//
// Runs until stopped (Ctrl+C). Start it before the console: a console that finds no viewer
// at its first entry sends nothing for the rest of its run.
#include "log/LogViewer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// Ctrl+C and SIGTERM end the event loop through this pipe, so the viewer removes its socket.
int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, 1);
}

void printLine(const QString &text, FILE *stream)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// The entry's stamp as written, or the present moment for an entry without one.
QDateTime entryTime(const hv::log::LogEntry &entry)
{
    const QDateTime written = QDateTime::fromString(entry.time, Qt::ISODateWithMs);
    return written.isValid() ? written.toLocalTime() : QDateTime::currentDateTime();
}

// The entry as one line of text.
QString textLine(const hv::log::LogEntry &e)
{
    using hv::log::printableField;
    return QStringList{entryTime(e).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")),
                       e.pid > 0 ? QString::number(e.pid) : QStringLiteral("-"),
                       printableField(e.program),
                       printableField(e.module),
                       printableField(e.procedure),
                       printableField(e.message)}
        .join(QLatin1String("  "));
}

// The entry as one JSON object; members in the order a person reads them.
QString jsonLine(const hv::log::LogEntry &e)
{
    const auto text = [](const QString &value) {
        // A one-element array gives the escaped string between its brackets.
        const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
        return QString::fromUtf8(array.mid(1, array.size() - 2));
    };
    const QString time =
        e.time.isEmpty() ? QDateTime::currentDateTime().toString(Qt::ISODateWithMs) : e.time;
    return QStringLiteral("{\"time\":%1,\"pid\":%2,\"program\":%3,\"module\":%4,"
                          "\"procedure\":%5,\"message\":%6}")
        .arg(text(time), e.pid > 0 ? QString::number(e.pid) : QStringLiteral("null"),
             text(e.program), text(e.module), text(e.procedure), text(e.message));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("hvdebug"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(HV_VERSION_MAJOR)
                                                .arg(HV_VERSION_MINOR)
                                                .arg(HV_VERSION_PATCH));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints the entries of the HV Admin diagnostic log until stopped."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption nameOption(
        QStringLiteral("name"), QStringLiteral("Listen under another socket name."),
        QStringLiteral("name"), QString::fromLatin1(hv::log::kLogServerName));
    parser.addOption(nameOption);
    const QCommandLineOption filterOption(
        QStringLiteral("filter"),
        QStringLiteral("Print only the entries that contain the text (letter case aside)."),
        QStringLiteral("text"));
    parser.addOption(filterOption);
    const QCommandLineOption outputOption(
        QStringLiteral("output"), QStringLiteral("Also append every printed line to the file."),
        QStringLiteral("file"));
    parser.addOption(outputOption);
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("Print each entry as a JSON object."));
    parser.addOption(jsonOption);
    parser.process(app);

    QFile output;
    if (parser.isSet(outputOption)) {
        output.setFileName(parser.value(outputOption));
        if (!output.open(QIODevice::WriteOnly | QIODevice::Append)) {
            printLine(QStringLiteral("hvdebug: cannot open %1: %2")
                          .arg(output.fileName(), output.errorString()),
                      stderr);
            return 1;
        }
    }
    const QString filter = parser.value(filterOption);
    const bool json = parser.isSet(jsonOption);

    hv::log::LogViewer viewer;
    QObject::connect(&viewer, &hv::log::LogViewer::entryReceived, [&](const hv::log::LogEntry &e) {
        const QString text = textLine(e);
        if (!filter.isEmpty() && !text.contains(filter, Qt::CaseInsensitive))
            return;
        const QString line = json ? jsonLine(e) : text;
        printLine(line, stdout);
        if (output.isOpen()) {
            output.write(line.toUtf8() + '\n');
            output.flush();
        }
    });
    const QString name = hv::log::socketPath(parser.value(nameOption));
    if (!viewer.listen(name)) {
        printLine(QStringLiteral("hvdebug: ") + viewer.errorString(), stderr);
        return 1;
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        std::signal(SIGINT, onSignal);
        std::signal(SIGTERM, onSignal);
    }
    printLine(QStringLiteral("hvdebug: listening on %1").arg(name), stderr);
    return app.exec();
}
