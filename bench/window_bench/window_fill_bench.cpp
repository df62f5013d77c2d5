// Main window fill benchmark: how long the main window takes to show a project folder's
// applications (the list engine, the item list's model and views, column sizing, layout and
// painting), against `hvadmin-cli list applications` on the same folder, interleaved in one
// run.
//
//     window_fill_bench FOLDER ROUNDS HVADMIN_CLI [VIEW_MODE]
//
// VIEW_MODE is the item list's view mode, 0 large icons to 3 details (the default).
// Each round runs the command-line tool once (a process of its own, output discarded) and
// opens FOLDER once in the window, as a click in the folder tree does (after a click on an
// empty folder, untimed, so every timed click fills afresh). Prints the median wall and
// processor times of both sides and their ratios.
#include "app/AppState.h"
#include "lists/CategoryListEngine.h"
#include "suite/TemplateFileInfo.h"
#include "ui/mainwindow/FolderTree.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "window_bench/StallProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Sample {
    double wallMs = 0;
    double cpuMs = 0;
    double stallMs = 0; // the window only: see bench::StallProbe
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// One run of the command-line tool: wall time and the child's processor time.
Sample runCli(const char *cli, const char *folder)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char *argv[] = {const_cast<char *>(cli), const_cast<char *>("list"),
                    const_cast<char *>("applications"), const_cast<char *>(folder), nullptr};
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, cli, &actions, nullptr, argv, environ) != 0) {
        std::perror(cli);
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Sample s;
    s.wallMs = timer.nsecsElapsed() / 1e6;
    s.cpuMs = usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 +
              usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", cli);
        std::exit(1);
    }
    return s;
}

// One opening of `folder` in the window, as a click in the folder tree does: the folder is
// checked and the list filled off the user-interface thread; the span ends once the list has
// arrived and been laid out and painted. Processor time is that of the user-interface thread.
Sample openInWindow(hv::frmHVSetup &window, const QString &folder)
{
    int filled = 0;
    const QMetaObject::Connection counting =
        QObject::connect(&window, &hv::frmHVSetup::listFilled, [&] { ++filled; });
    bench::StallProbe probe;
    QElapsedTimer timer;
    const double cpu0 = threadCpuMs();
    timer.start();
    Q_EMIT window.hvFolderTree()->folderClicked(folder);
    QEventLoop loop;
    while (filled == 0)
        loop.processEvents(QEventLoop::WaitForMoreEvents); // the probe wakes it every 5 ms
    window.repaint();
    QCoreApplication::processEvents();
    Sample s;
    s.wallMs = timer.nsecsElapsed() / 1e6;
    s.cpuMs = threadCpuMs() - cpu0;
    s.stallMs = probe.worstMs();
    QObject::disconnect(counting);
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: window_fill_bench FOLDER ROUNDS HVADMIN_CLI [VIEW_MODE]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int rounds = std::max(1, std::atoi(argv[2]));
    QTemporaryDir empty;

    hv::AppState::instance().SetProjectFolder(empty.path());
    const int mode = argc == 5 ? std::clamp(std::atoi(argv[4]), 0, 3) : int(hv::ViewDetails);
    hv::AppState::instance().SetListViewMode(mode);
    hv::frmHVSetup window;
    window.resize(1000, 700);
    window.Load();
    window.show();
    QCoreApplication::processEvents();

    // The engine alone, in this process, for the breakdown.
    auto engineOnly = [&] {
        hv::ListSource source;
        source.projectFolder = folder;
        source.templateFactory = hv::templateFileInfoFactory(folder);
        QElapsedTimer timer;
        timer.start();
        const hv::CategoryList list = hv::LoadApplicationSection(source);
        return std::make_pair(timer.nsecsElapsed() / 1e6, list.rows.size());
    };

    // One warm-up round: the page cache holds the folder afterwards.
    runCli(argv[3], argv[1]);
    openInWindow(window, empty.path());
    openInWindow(window, folder);
    const qsizetype rows = window.lstHVSETUP()->detailsView()->model()->rowCount();

    std::vector<double> cliWall, cliCpu, winWall, winCpu, engine, stall;
    for (int round = 0; round < rounds; ++round) {
        const Sample c = runCli(argv[3], argv[1]);
        cliWall.push_back(c.wallMs);
        cliCpu.push_back(c.cpuMs);
        openInWindow(window, empty.path());
        const Sample w = openInWindow(window, folder);
        winWall.push_back(w.wallMs);
        winCpu.push_back(w.cpuMs);
        stall.push_back(w.stallMs);
        engine.push_back(engineOnly().first);
    }
    const double cw = median(cliWall), cc = median(cliCpu), ww = median(winWall),
                 wc = median(winCpu), ew = median(engine);
    std::printf("rows %lld, rounds %d, view mode %d\n", static_cast<long long>(rows), rounds, mode);
    std::printf("hvadmin-cli list applications   wall %8.1f ms   processor %8.1f ms\n", cw, cc);
    std::printf("window fill (engine + widgets)  wall %8.1f ms   processor %8.1f ms\n", ww, wc);
    std::printf("  of which the engine alone     wall %8.1f ms\n", ew);
    std::printf("ratio window / cli              wall %8.2f      processor %8.2f\n", ww / cw,
                wc / cc);
    std::printf("longest stall of the user-interface thread during a fill: median %.1f ms, "
                "worst %.1f ms\n",
                median(stall), *std::max_element(stall.begin(), stall.end()));
    return 0;
}
