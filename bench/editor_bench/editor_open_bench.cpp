// Directory editor benchmark: opening the editor on a directory file of 10,000 entries
// (every template present) against the directory model loading the same file alone.
//
//     editor_open_bench [ENTRIES] [ROUNDS]
//
// Generates a folder of ENTRIES templates (T00001.HVT ...) and one directory file naming
// them all in a temporary folder, then alternates, ROUNDS times after a warm-up round:
// - load: DirClass with the template lookup, OpenExisting (what the editor's load does);
// - editor: the same load through frmDIR (load(), without the modal window: the model, the
//   grid filled and sized, the window shown, laid out and painted).
// Then scrolls the shown grid a page at a time from top to bottom, repainting each page.
// Prints the medians and the ratio editor / load.
#include "files/DirClass.h"
#include "log/DiagnosticLog.h"
#include "suite/DirTemplateLookup.h"
#include "ui/direditor/DirFileGrid.h"
#include "ui/direditor/frmDIR.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The folder's templates and the directory file naming them; returns the file's path.
QString generate(const QString &folder, int entries)
{
    QByteArray dir = "[DIRECTORY]\r\n     Caption      = Benchmark\r\n";
    for (int i = 1; i <= entries; ++i) {
        const QByteArray name = QByteArray("T") + QByteArray::number(i).rightJustified(5, '0');
        writeFile(folder + QString::fromLatin1(name) + QStringLiteral(".HVT"),
                  "[TEMPLATE]\r\nTitle=Template " + QByteArray::number(i) +
                      "\r\n[ENTRY]\r\nKey=1\r\n");
        dir += "\r\n[FILE]\r\n     Title        = Entry " + QByteArray::number(i) +
               "\r\n     Filename     = " + name +
               ".HVT\r\n     Access       = " + (i % 3 ? "W" : "R") + "\r\n";
    }
    const QString path = folder + QStringLiteral("BENCH.DIR");
    writeFile(path, dir);
    return path;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    const int entries = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
    QTemporaryDir work;
    const QString folder = work.path() + u'/';
    const QString path = generate(folder, entries);

    std::vector<double> loads, opens;
    double scrollMs = 0;
    int pages = 0;
    for (int round = 0; round <= rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        {
            hv::DirClass dir(hv::dirTemplateLookup(folder));
            if (!dir.OpenExisting(path) || dir.DirEntries().Count() != entries)
                qFatal("the directory did not load");
        }
        const double load = timer.nsecsElapsed() / 1e6;

        timer.restart();
        hv::DirClass dir(hv::dirTemplateLookup(folder));
        hv::frmDIR editor(dir);
        int ready = -1; // the editor reads the file as a job
        QObject::connect(&editor, &hv::frmDIR::loaded, [&ready](bool ok) { ready = ok; });
        editor.load(path);
        while (ready < 0)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (ready != 1 || editor.grdFiles()->rowCount() != entries)
            qFatal("the editor did not open");
        editor.show();
        editor.repaint();
        QApplication::processEvents();
        const double open = timer.nsecsElapsed() / 1e6;
        if (round > 0) {
            loads.push_back(load);
            opens.push_back(open);
        }
        if (round == rounds) {
            // Responsiveness: a page down at a time, each page painted.
            QScrollBar *bar = editor.grdFiles()->verticalScrollBar();
            timer.restart();
            while (bar->value() < bar->maximum()) {
                bar->setValue(bar->value() + bar->pageStep());
                editor.grdFiles()->viewport()->repaint();
                ++pages;
            }
            scrollMs = timer.nsecsElapsed() / 1e6;
        }
    }
    const double load = median(loads), open = median(opens);
    std::printf("entries %d, rounds %d\n", entries, rounds);
    std::printf("DirClass load alone      %8.1f ms\n", load);
    std::printf("editor open (shown)      %8.1f ms\n", open);
    std::printf("editor / load            %8.2f\n", open / load);
    std::printf("scrolling: %d pages in %.1f ms, %.2f ms per page\n", pages, scrollMs,
                pages ? scrollMs / pages : 0.0);
    return 0;
}
