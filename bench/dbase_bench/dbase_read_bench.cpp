// Reads a whole dBase table into a table array with GetTableValues, as the security check
// does, and prints the time it took, the rows and the bytes held.
// Usage: dbase_read_bench FILE [REPEATS]
#include "dbase/DbaseError.h"
#include "dbase/dBase.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dbase_read_bench FILE [REPEATS]\n");
        return 2;
    }
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 1;
    try {
        for (int i = 0; i < repeats; ++i) {
            QElapsedTimer timer;
            timer.start();
            hv::dBase table;
            table.OpenFile(QString::fromLocal8Bit(argv[1]));
            const hv::TableArray values = table.GetTableValues();
            table.CloseFile();
            std::printf("ms=%.1f rows=%lld bytes=%lld\n", timer.nsecsElapsed() / 1e6,
                        static_cast<long long>(values.IsArray() ? values.RowCount() : 0),
                        static_cast<long long>(values.MemoryBytes()));
        }
    } catch (const hv::DbaseError &e) {
        std::fprintf(stderr, "Error: %s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
