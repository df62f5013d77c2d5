// How long each keystroke in the filter box keeps the main window busy on a large list.
//
//     filter_typing_bench FOLDER ROUNDS [WORD]
//
// The real main window (offscreen, details view) shows the applications of FOLDER. Each
// round refills the list (untimed: the filter's first use after a fill does the most work),
// then types WORD ("inspection" by default) into the filter box one key at a time and erases it
// again with Backspace, as a user does. A keystroke's span runs from the key press until the
// event loop is free again: the key handled, the list filtered, the views laid out and the
// window painted (the events it posted and the timers it started at once have run).
// Prints the median and the longest span of typing and of erasing, of all keystrokes, and of
// the first keystroke after a fill.
#include "app/AppState.h"
#include "ui/mainwindow/CategoryListModel.h"
#include "ui/mainwindow/ItemFilterBox.h"
#include "ui/mainwindow/ItemListProxy.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "window_bench/BenchHome.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double longest(const std::vector<double> &values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// Handles events until `done` holds; false after `timeoutMs`.
bool waitFor(const std::function<bool()> &done, int timeoutMs = 600000)
{
    QTimer wake;
    wake.start(5);
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

// One key into the filter box, until the event loop is free again: a zero timer started
// after the key fires only once the events posted before it (the repaint among them) and the
// timers due before it (the views' delayed layout) have run; what those set going is then
// handled too.
double keystroke(QWidget *box, Qt::Key key, char text)
{
    QElapsedTimer timer;
    timer.start();
    if (text)
        QTest::keyClick(box, text);
    else
        QTest::keyClick(box, key);
    bool idle = false;
    QTimer::singleShot(0, [&] { idle = true; });
    QEventLoop loop;
    while (!idle)
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

// Counts the paint events of a widget: each keystroke's span should hold a repaint of the list.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: filter_typing_bench FOLDER ROUNDS [WORD]\n");
        return 2;
    }
    QTemporaryDir home;
    useOwnHome(home);
    QApplication app(argc, argv);
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int rounds = std::max(1, std::atoi(argv[2]));
    const QByteArray word = argc == 4 ? QByteArray(argv[3]) : QByteArray("inspection");

    hv::AppState::instance().SetProjectFolder(folder + u'/');
    hv::AppState::instance().SetListViewMode(hv::ViewDetails);
    hv::frmHVSetup window;
    window.resize(1000, 700);
    window.Load();
    window.show();
    if (!waitFor([&] { return !window.isFilling(); })) {
        std::fprintf(stderr, "the folder was not shown in time\n");
        return 1;
    }
    hv::ItemListView *list = window.lstHVSETUP();
    hv::ItemFilterBox *box = window.txtFind();
    const qsizetype rows = list->model()->list().rows.size();
    PaintCounter paints(list->detailsView()->viewport());
    int repainted = 0;
    const auto timed = [&](Qt::Key key, char text) {
        const int before = paints.count;
        const double ms = keystroke(box, key, text);
        repainted += paints.count > before;
        return ms;
    };

    std::vector<double> typing, erasing, first;
    int shownAfterWord = 0;
    for (int round = 0; round < rounds; ++round) {
        box->clear();
        QSignalSpy filled(&window, &hv::frmHVSetup::listFilled);
        window.RefillList();
        if (!waitFor([&] { return !filled.isEmpty() && !window.isFilling(); })) {
            std::fprintf(stderr, "round %d: the refill did not arrive\n", round);
            return 1;
        }
        QCoreApplication::processEvents();
        box->setFocus(Qt::ShortcutFocusReason);
        QCoreApplication::processEvents();
        for (qsizetype i = 0; i < word.size(); ++i) {
            const double ms = timed(Qt::Key_unknown, word.at(i));
            (i == 0 ? first : typing).push_back(ms);
        }
        if (box->text() != QString::fromLatin1(word)) {
            std::fprintf(stderr, "the filter box holds \"%s\"\n", qPrintable(box->text()));
            return 1;
        }
        shownAfterWord = list->proxy()->rowCount();
        while (!box->text().isEmpty())
            erasing.push_back(timed(Qt::Key_Backspace, 0));
    }
    std::vector<double> all = typing;
    all.insert(all.end(), first.begin(), first.end());
    all.insert(all.end(), erasing.begin(), erasing.end());
    std::printf("rows %lld, %d rounds of \"%s\" (%d rows shown once typed)\n",
                static_cast<long long>(rows), rounds, word.constData(), shownAfterWord);
    std::printf("every keystroke (%zu, %d of them repainted the list): median %6.1f ms, "
                "longest %6.1f ms\n",
                all.size(), repainted, median(all), longest(all));
    std::printf("  first after a fill:  median %6.1f ms, longest %6.1f ms\n", median(first),
                longest(first));
    std::printf("  typing the rest:     median %6.1f ms, longest %6.1f ms\n", median(typing),
                longest(typing));
    std::printf("  erasing:             median %6.1f ms, longest %6.1f ms\n", median(erasing),
                longest(erasing));
    return 0;
}
