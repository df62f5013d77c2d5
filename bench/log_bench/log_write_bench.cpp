// WriteLog against a viewer that keeps up and against one that has stopped reading.
//
//   log_write_bench [ENTRIES]   (default 10000)
//
// Keeping up: an in-process viewer whose event loop runs while the entries are written in a
// burst; prints the time per entry and whether every entry arrived, in order.
// Stuck: a viewer that takes the connection and never reads (as one stopped with Ctrl+Z);
// prints the time per entry, which must not depend on the viewer.
#include "log/DiagnosticLog.h"
#include "log/LogProtocol.h"
#include "log/LogViewer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QTest>
#include <QUuid>

#include <cstdio>

namespace {

QString uniqueName(const char *what)
{
    return QStringLiteral("hvbench-%1-%2")
        .arg(QLatin1String(what), QUuid::createUuid().toString(QUuid::Id128));
}

// A message of the length the console's entries have: a path and a few words.
QString message(int i)
{
    return QStringLiteral("Loading /home/ann/Halvora/Plant QA/LINE%1.HVT into the list").arg(i);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int entries = argc > 1 ? QByteArray(argv[1]).toInt() : 10000;

    {
        const QString name = uniqueName("running");
        hv::log::LogViewer viewer;
        int received = 0;
        bool inOrder = true;
        QObject::connect(&viewer, &hv::log::LogViewer::entryReceived,
                         [&](const hv::log::LogEntry &e) {
                             inOrder = inOrder && e.message == message(received);
                             ++received;
                         });
        if (!viewer.listen(name))
            return 1;
        hv::log::ResetLogState(name);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < entries; ++i)
            hv::WriteLog(QStringLiteral("mListviewengine"), QStringLiteral("FillList"), message(i));
        const double writeMs = double(timer.nsecsElapsed()) / 1e6;
        [[maybe_unused]] const bool all =
            QTest::qWaitFor([&] { return received >= entries; }, 60000);
        std::printf("running viewer: %d entries written in %.1f ms (%.4f ms per entry); "
                    "%d arrived, %s, after %.1f ms\n",
                    entries, writeMs, writeMs / entries, received,
                    inOrder ? "in order" : "OUT OF ORDER", double(timer.nsecsElapsed()) / 1e6);
    }
    {
        const QString name = uniqueName("stuck");
        QLocalServer stuck;
        if (!stuck.listen(hv::log::socketPath(name)))
            return 1;
        hv::log::ResetLogState(name);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < entries; ++i)
            hv::WriteLog(QStringLiteral("mListviewengine"), QStringLiteral("FillList"), message(i));
        const double writeMs = double(timer.nsecsElapsed()) / 1e6;
        std::printf("stuck viewer:   %d entries written in %.1f ms (%.4f ms per entry)\n", entries,
                    writeMs, writeMs / entries);
        hv::log::ResetLogState(QString::fromLatin1(hv::log::kLogServerName));
    }
    return 0;
}
