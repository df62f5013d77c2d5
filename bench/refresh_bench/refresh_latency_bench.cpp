// How long a template that another process writes into the shown project folder takes to
// appear in the main window's list, with nobody pressing F5.
//
//     refresh_latency_bench FOLDER ROUNDS [LABEL]
//
// The real main window (offscreen, details view) shows the applications of FOLDER, which must
// be writable. Each round, a child process (sh and cp) writes a new template and its data
// file into FOLDER; the span runs from just before the child starts until the list has been
// refilled with the new row in it and painted. The two files are then removed again, and the
// round ends once the refill that drops the row has arrived, so every round starts from the
// same folder. On a folder that is read at intervals (a network or FUSE mount) each round
// first waits a random part of the interval, so the writes fall at every phase of it.
// Prints one line: LABEL, the rows shown, how the folder is watched, and the median, least
// and longest span, with the writer's own time for comparison.
#include "app/AppState.h"
#include "ui/mainwindow/CategoryListModel.h"
#include "ui/mainwindow/FolderWatch.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "window_bench/BenchHome.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

constexpr int kTimeoutMs = 120000;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Handles events until `done` holds; false after `timeoutMs`.
bool waitFor(const std::function<bool()> &done, int timeoutMs = kTimeoutMs)
{
    QTimer wake; // wakes the loop so `done` is asked again
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(2);
    QElapsedTimer timer;
    timer.start();
    QEventLoop loop;
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// A dBase III table of two character fields and `records` records, as the suite writes its
// data files.
QByteArray dataTable(int records)
{
    const struct {
        const char *name;
        int length;
    } fields[] = {{"NAME", 20}, {"VALUE", 10}};
    const int recordLength = 1 + 20 + 10;
    const int headerLength = 32 * 2 + 33;
    QByteArray out(32, '\0');
    out[0] = 3;
    out[1] = char(126);
    out[2] = 12;
    out[3] = 8;
    for (int i = 0; i < 4; ++i)
        out[4 + i] = char((records >> (8 * i)) & 0xff);
    out[8] = char(headerLength & 0xff);
    out[9] = char(headerLength >> 8);
    out[10] = char(recordLength);
    out[29] = 2;
    int position = 1;
    for (const auto &field : fields) {
        QByteArray descriptor(32, '\0');
        descriptor.replace(0, int(qstrlen(field.name)), field.name);
        descriptor[11] = 'C';
        descriptor[12] = char(position + 1);
        descriptor[16] = char(field.length);
        out += descriptor;
        position += field.length;
    }
    out += '\r';
    for (int i = 0; i < records; ++i)
        out += ' ' + QByteArray("Record ").append(QByteArray::number(i)).leftJustified(20, ' ') +
               QByteArray::number(i * 7).leftJustified(10, ' ');
    out += '\x1a';
    return out;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Starts a process that copies `sources` to `targets` in turn: the template first, then its
// data file, as a colleague's program would create them.
pid_t startWriter(const QStringList &sources, const QStringList &targets)
{
    QList<QByteArray> args{"sh", "-c", "cp -- \"$1\" \"$3\" && cp -- \"$2\" \"$4\"", "sh"};
    for (const QString &path : sources + targets)
        args.append(QFile::encodeName(path));
    std::vector<char *> argv;
    for (QByteArray &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv.data(), environ) != 0) {
        std::perror("/bin/sh");
        std::exit(1);
    }
    return pid;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: refresh_latency_bench FOLDER ROUNDS [LABEL]\n");
        return 2;
    }
    QTemporaryDir home;
    useOwnHome(home);
    QApplication app(argc, argv);
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int rounds = std::max(1, std::atoi(argv[2]));
    const char *label = argc == 4 ? argv[3] : argv[1];

    // What the writer copies, prepared outside the watched folder.
    const QString templateSource = home.path() + QStringLiteral("/new.HVT");
    const QString dataSource = home.path() + QStringLiteral("/new.hvd");

    hv::AppState::instance().SetProjectFolder(folder + u'/');
    hv::AppState::instance().SetListViewMode(hv::ViewDetails);
    hv::frmHVSetup window;
    window.resize(1000, 700);
    window.Load();
    window.show();
    hv::FolderWatch *watch = window.folderWatch();
    if (!waitFor([&] { return !window.isFilling() && watch->isWatching(); })) {
        std::fprintf(stderr, "%s: the folder was not shown or not watched in time\n", label);
        return 1;
    }
    const hv::CategoryListModel *model = window.lstHVSETUP()->model();
    const qsizetype rows = model->list().rows.size();
    int fills = 0;
    QObject::connect(&window, &hv::frmHVSetup::listFilled, [&] { ++fills; });

    std::vector<double> shown, written;
    for (int round = 0; round < rounds; ++round) {
        const QString name = QStringLiteral("REFRESH%1").arg(round, 3, 10, QChar(u'0'));
        const QString key = name + QStringLiteral(".HVT");
        const QStringList targets{folder + u'/' + key, folder + u'/' + name + ".hvd"};
        if (!writeFile(templateSource, QStringLiteral("[TEMPLATE]\r\nTitle=Refresh round %1\r\n"
                                                      "[ENTRY]\r\nKey=1\r\n")
                                           .arg(round)
                                           .toLatin1()) ||
            !writeFile(dataSource, dataTable(3))) {
            std::fprintf(stderr, "cannot write into %s\n", qPrintable(home.path()));
            return 1;
        }
        // Whatever the last removal set going has settled; on a folder read at intervals the
        // write falls at a random point of the interval.
        const int pauseMs = watch->isPolling()
                                ? int(QRandomGenerator::global()->bounded(hv::FolderWatch::kPollMs))
                                : hv::FolderWatch::kQuietMs + 100;
        QElapsedTimer pause;
        pause.start();
        waitFor([&] { return pause.elapsed() >= pauseMs; });

        const int fillsBefore = fills;
        bool reaped = false;
        double writtenMs = 0;
        QElapsedTimer timer;
        timer.start();
        const pid_t writer = startWriter({templateSource, dataSource}, targets);
        const bool appeared = waitFor([&] {
            if (!reaped) {
                int status = 0;
                if (waitpid(writer, &status, WNOHANG) == writer) {
                    reaped = true;
                    writtenMs = timer.nsecsElapsed() / 1e6;
                    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                        std::fprintf(stderr, "%s: the writer failed\n", label);
                        std::exit(1);
                    }
                }
            }
            return fills > fillsBefore && model->rowOfKey(key) >= 0;
        });
        if (!appeared) {
            std::fprintf(stderr, "%s: round %d: %s did not appear within %d s\n", label, round,
                         qPrintable(key), kTimeoutMs / 1000);
            return 1;
        }
        window.repaint();
        QCoreApplication::processEvents();
        shown.push_back(timer.nsecsElapsed() / 1e6);
        if (!reaped)
            waitpid(writer, nullptr, 0);
        written.push_back(reaped ? writtenMs : shown.back());

        for (const QString &target : targets)
            QFile::remove(target);
        if (!waitFor([&] { return model->rowOfKey(key) < 0 && !window.isFilling(); })) {
            std::fprintf(stderr, "%s: round %d: %s did not go away\n", label, round,
                         qPrintable(key));
            return 1;
        }
    }
    const QString how =
        watch->isPolling() ? QStringLiteral("folder read every %1 ms").arg(hv::FolderWatch::kPollMs)
                           : QStringLiteral("changes told by the kernel");
    std::printf("%s: rows %lld, %s, %d rounds: new row shown after median %.1f ms "
                "(least %.1f, longest %.1f); the writer itself took median %.1f ms\n",
                label, static_cast<long long>(rows), qPrintable(how), rounds, median(shown),
                *std::min_element(shown.begin(), shown.end()),
                *std::max_element(shown.begin(), shown.end()), median(written));
    return 0;
}
