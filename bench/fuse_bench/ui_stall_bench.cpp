// How long the main window's user-interface thread stalls while it works on a slow share:
// the fill of a large project folder, and a clear, a delete and a rename of one application
// there, each followed by the refill of the list that ends it.
//
//     ui_stall_bench FOLDER ROUNDS [SAMPLE_OVER_MS]
//
// FOLDER is a writable project folder (the benchmark's share); every round clears the data
// of one application, deletes a second and renames a third, so use a copy. Each round:
// - fill: the folder is opened in the window (after an empty folder, untimed), as a click in
//   the folder tree does, until the list has arrived and been painted;
// - clear, delete, rename: the application's row is selected, its context menu opened as a
//   right click does (which reads the application's record count) and closed, the menu
//   command triggered, its window answered (Yes; the new name and OK), until the command
//   has finished and its refill has arrived and been painted.
// A 5 ms timer on the user-interface thread gives the longest gap between its ticks in each
// span (StallProbe). Message boxes are answered by a stand-in service: Yes to a question (the
// trash refused a file: delete it permanently), and are printed. With SAMPLE_OVER_MS, the
// thread's stack is sampled whenever it has been silent that long, and the most frequent
// stacks are printed at the end.
#include "app/AppState.h"
#include "app/MessageService.h"
#include "ui/ItemActions.h"
#include "ui/dialogs/frmRename.h"
#include "ui/dialogs/frmWarning.h"
#include "ui/mainwindow/CategoryListModel.h"
#include "ui/mainwindow/FolderTree.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "window_bench/BenchHome.h"
#include "window_bench/StallProbe.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <ctime>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Answers every message box: Yes where there is a question, Ok otherwise; prints its text.
class AnsweringMessages : public hv::MessageService {
public:
    hv::MsgAnswer show(const QString &text, const QString &, hv::MsgButtons buttons, hv::MsgIcon,
                       const QString &detail) override
    {
        std::fprintf(stderr, "message box: %s %s\n", qPrintable(text), qPrintable(detail));
        switch (buttons) {
        case hv::MsgButtons::YesNo:
        case hv::MsgButtons::YesNoCancel:
            return hv::MsgAnswer::Yes;
        case hv::MsgButtons::OkCancel:
        case hv::MsgButtons::Ok:
            return hv::MsgAnswer::Ok;
        default:
            return hv::safeAnswer(buttons);
        }
    }
};

// With HV_BENCH_WORKER_NICE=N, every thread of the process but the user-interface thread and
// Qt's pooled helper threads (which the user-interface thread waits for while it paints) is
// given that niceness, checked every 50 ms: the fill's readers and the jobs' workers then
// yield the processors to the window. An experiment, not what the program does.
void lowerWorkers(int nice)
{
    const pid_t ui = static_cast<pid_t>(syscall(SYS_gettid));
    QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const pid_t tid = task.toInt();
        QFile comm(tasks.filePath(task) + QStringLiteral("/comm"));
        if (tid == ui || !comm.open(QIODevice::ReadOnly) ||
            comm.readAll().startsWith("Thread (pooled"))
            continue;
        setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice);
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Handles events until `done` holds; false after `timeoutMs`.
bool waitFor(const std::function<bool()> &done, int timeoutMs = 600000)
{
    QElapsedTimer timer;
    timer.start();
    QEventLoop loop;
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        loop.processEvents(QEventLoop::WaitForMoreEvents); // the probe wakes it every 5 ms
    }
    return true;
}

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct Span {
    double cpuMs = 0; // the user-interface thread's processor time
    double wallMs = 0;
    double stallMs = 0;
    double stallEndMs = 0; // when the longest gap ended, from the span's start
};

class Bench {
public:
    Bench(hv::frmHVSetup &window, bench::StallProbe &probe) : m_window(window), m_probe(probe)
    {
        QObject::connect(&window, &hv::frmHVSetup::listFilled, [this] { ++m_fills; });
        QObject::connect(window.itemActions(), &hv::ItemActions::commandFinished, [this] {
            ++m_commands;
            m_fillsAtCommandEnd = m_fills; // its refill has just started
        });
        // The commands' windows, answered as soon as they are shown.
        m_answer.setInterval(2);
        QObject::connect(&m_answer, &QTimer::timeout, [this] { answerModal(); });
        m_answer.start();
    }

    // Opens `folder` as a click in the folder tree does, until its list is shown. (The tree
    // itself stays on the empty folder the window opened with: it lists that folder's parent,
    // the benchmark's own folder, which keeps still.)
    Span open(const QString &folder)
    {
        return measure([&] { Q_EMIT m_window.hvFolderTree()->folderClicked(folder); },
                       [&, fills = m_fills] { return m_fills > fills; });
    }

    // Runs the menu command `action` on the application `key`; `newName` answers a rename.
    Span command(const QString &key, const char *action, const QString &newName = {})
    {
        m_newName = newName;
        hv::ItemListView *list = m_window.lstHVSETUP();
        const int row = list->model()->rowOfKey(key);
        if (row < 0) {
            std::fprintf(stderr, "%s is not in the list\n", qPrintable(key));
            std::exit(1);
        }
        list->selectRow(row);
        auto *trigger = m_window.findChild<QAction *>(QString::fromLatin1(action));
        hv::ItemActions *actions = m_window.itemActions();
        const int commands = m_commands;
        return measure(
            [&] {
                QAbstractItemView *view = list->currentView();
                const QRect cell = view->visualRect(list->model()->index(row, 0));
                actions->popUpMenu(view->viewport()->mapToGlobal(cell.center()));
                actions->mnuRightClickList()->close();
                trigger->trigger();
            },
            [&] { return m_commands > commands && m_fills > m_fillsAtCommandEnd; });
    }

    hv::frmHVSetup &window() { return m_window; }

private:
    Span measure(const std::function<void()> &start, const std::function<bool()> &done)
    {
        QElapsedTimer timer;
        m_probe.restart();
        const double cpu0 = threadCpuMs();
        timer.start();
        start();
        if (!waitFor(done)) {
            std::fprintf(stderr, "timed out\n");
            std::exit(1);
        }
        m_window.repaint();
        QCoreApplication::processEvents();
        Span span;
        span.wallMs = timer.nsecsElapsed() / 1e6;
        span.cpuMs = threadCpuMs() - cpu0;
        span.stallMs = m_probe.worstMs();
        span.stallEndMs = m_probe.worstEndMs();
        return span;
    }

    void answerModal()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *warning = qobject_cast<hv::frmWarning *>(modal)) {
            warning->cmdYes()->click();
        } else if (auto *rename = qobject_cast<hv::frmRename *>(modal)) {
            if (rename->OKButton()->isEnabled() && rename->txtRename()->text() != m_newName) {
                rename->txtRename()->setText(m_newName);
                rename->OKButton()->click();
            }
        }
    }

    hv::frmHVSetup &m_window;
    bench::StallProbe &m_probe;
    QTimer m_answer;
    QString m_newName;
    int m_fills = 0;
    int m_commands = 0;
    int m_fillsAtCommandEnd = 0;
};

void print(const char *what, const std::vector<Span> &spans)
{
    std::vector<double> stall, wall, cpu;
    QString each;
    for (const Span &s : spans) {
        stall.push_back(s.stallMs);
        wall.push_back(s.wallMs);
        cpu.push_back(s.cpuMs);
        each +=
            QStringLiteral(" %1 (at %2)").arg(s.stallMs, 0, 'f', 1).arg(s.stallEndMs, 0, 'f', 0);
    }
    std::printf("%-8s longest stall min %6.1f  median %6.1f  max %6.1f ms   wall median %7.1f ms"
                "   window thread's processor time median %6.1f ms   each:%s\n",
                what, *std::min_element(stall.begin(), stall.end()), median(stall),
                *std::max_element(stall.begin(), stall.end()), median(wall), median(cpu),
                qPrintable(each));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: ui_stall_bench FOLDER ROUNDS [SAMPLE_OVER_MS]\n");
        return 2;
    }
    QTemporaryDir home;
    useOwnHome(home);
    QApplication app(argc, argv);
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    const int rounds = std::max(1, std::atoi(argv[2]));
    std::unique_ptr<bench::StallSampler> sampler;
    if (argc == 4)
        sampler = std::make_unique<bench::StallSampler>(std::atoi(argv[3]));
    QTimer renice;
    if (!qEnvironmentVariableIsEmpty("HV_BENCH_WORKER_NICE")) {
        const int nice = qEnvironmentVariableIntValue("HV_BENCH_WORKER_NICE");
        QObject::connect(&renice, &QTimer::timeout, [nice] { lowerWorkers(nice); });
        renice.start(50);
    }
    AnsweringMessages messages;
    hv::setMessageService(&messages);
    // The empty folder lies beside the share, so the folder tree lists no more than it must
    // (a busy /tmp would keep it working).
    QTemporaryDir empty(QFileInfo(QString::fromLocal8Bit(argv[1])).absolutePath() +
                        QStringLiteral("/empty-XXXXXX"));

    hv::AppState::instance().SetProjectFolder(empty.path() + u'/');
    hv::AppState::instance().SetListViewMode(hv::ViewDetails);
    bench::StallProbe probe;
    hv::frmHVSetup window;
    window.resize(1000, 700);
    window.Load();
    window.show();
    waitFor([&] { return !window.isFilling(); });
    Bench run(window, probe);

    // A warm-up fill.
    bench::StallSampler::setPhase("warm-up");
    run.open(empty.path());
    run.open(folder);
    const QList<hv::ListRow> rows = window.lstHVSETUP()->model()->list().rows;
    // The applications the rounds work on, spread over the list.
    QStringList keys;
    for (const hv::ListRow &row : rows)
        if (row.key.endsWith(QLatin1String(".HVT"), Qt::CaseInsensitive))
            keys.append(row.key);
    if (keys.size() < 3 * rounds + 3) {
        std::fprintf(stderr, "too few applications in %s\n", argv[1]);
        return 1;
    }
    std::printf("rows %lld, rounds %d\n", static_cast<long long>(rows.size()), rounds);

    std::vector<Span> fill, clear, remove, rename;
    for (int round = 0; round < rounds; ++round) {
        bench::StallSampler::setPhase(nullptr);
        run.open(empty.path());
        bench::StallSampler::setPhase("fill");
        fill.push_back(run.open(folder));
        const qsizetype step = keys.size() / (3 * rounds + 1);
        const QString clearKey = keys.at(step * (3 * round + 1));
        const QString deleteKey = keys.at(step * (3 * round + 2));
        const QString renameKey = keys.at(step * (3 * round + 3));
        bench::StallSampler::setPhase("clear");
        clear.push_back(run.command(clearKey, "mnuClearData"));
        bench::StallSampler::setPhase("delete");
        remove.push_back(run.command(deleteKey, "mnuDeleteAll"));
        bench::StallSampler::setPhase("rename");
        const QString newName = QStringLiteral("RENAMED%1").arg(round);
        rename.push_back(run.command(renameKey, "mnuRenameRight", newName));
        bool renamed = false;
        for (const hv::ListRow &row : window.lstHVSETUP()->model()->list().rows)
            renamed = renamed || row.key.startsWith(newName + u'.', Qt::CaseInsensitive);
        const bool deleted = window.lstHVSETUP()->model()->rowOfKey(deleteKey) < 0;
        if (!renamed || !deleted)
            std::fprintf(stderr, "round %d: %s was %srenamed, %s %sdeleted\n", round,
                         qPrintable(renameKey), renamed ? "" : "not ", qPrintable(deleteKey),
                         deleted ? "" : "not ");
    }
    print("fill", fill);
    print("clear", clear);
    print("delete", remove);
    print("rename", rename);
    std::printf("(longest gap between ticks of a %d ms timer on the user-interface thread; "
                "\"at\": ms into the span; each span ends with the list refilled and painted)\n",
                bench::StallProbe::kIntervalMs);
    hv::setMessageService(nullptr);
    if (sampler)
        sampler->report();
    return 0;
}
