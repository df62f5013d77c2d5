// hvdebug: the diagnostic log viewer. Listens on the local socket "HVDebug.Application" (in
// $XDG_RUNTIME_DIR, or the temporary folder when that is not set) and prints every entry that
// the console (or hvadmin-cli) sends, one per line:
//
//     14:03:07.125  HVAdmin  mMain  Main  HVAdmin Started
//
// Backslashes and control characters inside the fields are printed escaped ("\\", "\n",
// "\x1b"), so each entry is exactly one line.
//
// Runs until stopped (Ctrl+C). Start it before the console: a console that finds no viewer
// at its first entry sends nothing for the rest of its run.
#include "log/LogViewer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTime>

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
    parser.process(app);

    hv::log::LogViewer viewer;
    QObject::connect(&viewer, &hv::log::LogViewer::entryReceived, [](const hv::log::LogEntry &e) {
        const QString time = QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz"));
        using hv::log::printableField;
        printLine(QStringList{time, printableField(e.program), printableField(e.module),
                              printableField(e.procedure), printableField(e.message)}
                      .join(QLatin1String("  ")),
                  stdout);
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
