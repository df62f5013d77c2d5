// Data window benchmark: the data window's model and table view on TABLE (offscreen).
//
//     data_view_bench TABLE
//
// Measures the time from opening the table to the first painted page of records, lets the
// row index finish, scrolls to the end a page at a time (each page painted with its records,
// then the events pending handled as the window's event loop would), reads the process's peak
// memory (VmHWM) there, and only then runs GetTableValues on the same table. Prints one line on
// standard output:
//
//     data view: first paint N ms, GetTableValues M ms, peak memory K MB
//
// and the scrolling figures (pages, median and longest page) on standard error.
#include "app/DataTableModel.h"
#include "dbase/dBase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

// Runs the event loop until `done` holds; false after `ms` without it.
bool waitFor(const std::function<bool()> &done, int ms = 600000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

// True when every row the view shows has its records.
bool pageLoaded(const QTableView &view, const hv::DataTableModel &model)
{
    const int first = std::max(0, view.rowAt(0));
    int last = view.rowAt(view.viewport()->height() - 1);
    if (last < 0)
        last = model.rowCount() - 1;
    for (int row = first; row <= last; ++row) {
        if (!model.isRowLoaded(row)) {
            model.data(model.index(row, 0)); // asks for its block
            return false;
        }
    }
    return true;
}

// What this thread has spent: CPU time, involuntary switches and page faults.
struct ThreadUse {
    double cpuMs = 0;
    long switches = 0;
    long waits = 0;
    long minorFaults = 0;
    long majorFaults = 0;

    static ThreadUse now()
    {
        ThreadUse use;
        timespec cpu{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
        use.cpuMs = double(cpu.tv_sec) * 1e3 + double(cpu.tv_nsec) / 1e6;
        rusage usage{};
        getrusage(RUSAGE_THREAD, &usage);
        use.switches = usage.ru_nivcsw;
        use.waits = usage.ru_nvcsw;
        use.minorFaults = usage.ru_minflt;
        use.majorFaults = usage.ru_majflt;
        return use;
    }
};

qint64 peakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLongLong();
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: data_view_bench TABLE\n");
        return 2;
    }
    const QString table = QString::fromLocal8Bit(argv[1]);

    QElapsedTimer clock;
    clock.start();
    hv::DataTableModel model;
    model.setWatchInterval(0);
    QTableView view;
    view.resize(1000, 700);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.setModel(&model);
    model.open(table);
    view.show();
    if (!waitFor([&] { return model.rowCount() > 0 && pageLoaded(view, model); }, 60000)) {
        std::fprintf(stderr, "the first page never arrived: %s\n", qPrintable(model.errorText()));
        return 1;
    }
    view.viewport()->repaint();
    const qint64 firstPaintMs = clock.elapsed();

    if (!waitFor([&] { return !model.isIndexing(); }))
        return 1;
    std::vector<double> pages;
    int waits = 0;            // pages whose records were not read yet when shown
    double longestWait = 0.0; // the longest of those
    QScrollBar *bar = view.verticalScrollBar();
    QElapsedTimer page;
    while (bar->value() < bar->maximum()) {
        const ThreadUse before = ThreadUse::now();
        page.start();
        bar->setValue(std::min(bar->maximum(), bar->value() + bar->pageStep()));
        const bool waited = !pageLoaded(view, model);
        if (waited && !waitFor([&] { return pageLoaded(view, model); }, 10000))
            return 1;
        view.viewport()->repaint();
        // What the window's event loop does between two steps: it takes the blocks read
        // ahead, so the next pages need not wait for them.
        QCoreApplication::processEvents();
        pages.push_back(double(page.nsecsElapsed()) / 1e6);
        if (pages.back() > 16.0) {
            // A slow page: was it the window's own work, or did the machine take the CPU away?
            const ThreadUse after = ThreadUse::now();
            std::fprintf(stderr,
                         "slow page %zu: %.2f ms, of it %.2f ms on the CPU; %ld waits, %ld"
                         " involuntary switches, %ld minor and %ld major page faults\n",
                         pages.size(), pages.back(), after.cpuMs - before.cpuMs,
                         after.waits - before.waits, after.switches - before.switches,
                         after.minorFaults - before.minorFaults,
                         after.majorFaults - before.majorFaults);
        }
        if (waited) {
            ++waits;
            longestWait = std::max(longestWait, pages.back());
        }
    }
    const qint64 peakKb = peakMemoryKb();

    QElapsedTimer values;
    values.start();
    {
        hv::dBase dbase;
        dbase.OpenFile(table);
        const hv::TableArray rows = dbase.GetTableValues();
        dbase.CloseFile();
    }
    const qint64 valuesMs = values.elapsed();

    std::sort(pages.begin(), pages.end());
    // The longest page of tens of thousands also catches the machine's own hiccups: the pages
    // over 16 ms are counted, and the 99.9th percentile shows the window's own worst.
    const auto at = [&pages](double share) {
        return pages.empty() ? 0.0
                             : pages[std::min(pages.size() - 1, size_t(share * pages.size()))];
    };
    const auto slow = size_t(pages.end() - std::upper_bound(pages.begin(), pages.end(), 16.0));
    std::fprintf(stderr,
                 "scrolling: %zu pages, median %.2f ms, 99.9th percentile %.2f ms, longest %.2f ms,"
                 " %zu over 16 ms; %d waited for their records, the longest %.2f ms\n",
                 pages.size(), at(0.5), at(0.999), pages.empty() ? 0.0 : pages.back(), slow, waits,
                 longestWait);
    std::printf("data view: first paint %lld ms, GetTableValues %lld ms, peak memory %lld MB\n",
                (long long)firstPaintMs, (long long)valuesMs, (long long)(peakKb / 1024));
    return 0;
}
