// Loads one INI file N times with INIfile::LoadFile and prints the median time of a load
// and what was loaded (lines, header lines, key lines).
// Usage: ini_load_bench FILE [N]
#include "files/IniFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ini_load_bench FILE [N]\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;

    std::vector<double> ms;
    qsizetype lines = 0, headers = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        hv::INIfile ini;
        const hv::IniResult r = ini.LoadFile(file);
        lines = ini.INIlines().Count();
        // Counting headers walks every line, as a reader of the file does.
        headers = 0;
        for (const hv::INIline &line : ini.INIlines())
            headers += line.Section().startsWith(u'[');
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!r) {
            std::fprintf(stderr, "%s\n", qPrintable(r.error));
            return 1;
        }
    }
    std::sort(ms.begin(), ms.end());
    std::printf(
        "ours: median %.3f ms  min %.3f ms  (%d loads)  lines %lld  headers %lld  keys %lld\n",
        ms[ms.size() / 2], ms.front(), runs, (long long)lines, (long long)headers,
        (long long)(lines - headers));
    return 0;
}
