// libFuzzer target for the dBase table reader and writer: the input is a table file.
#include "dbase/dBase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

const QString &scratchPath()
{
    static const QString path =
        QDir::tempPath() +
        QStringLiteral("/DbaseFuzzer-%1.dbf").arg(QCoreApplication::applicationPid());
    return path;
}

bool writeInput(const uint8_t *data, size_t size)
{
    QFile file(scratchPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size);
}

// Reads everything the reader offers; every cell and field value is touched.
size_t readAll(hv::dBase &table)
{
    size_t touched = 0;
    hv::TableArray rows = table.GetTableValues();
    if (rows.IsArray() && rows.ColumnCount() > 0 && rows.RowCount() < 4096) {
        // Sort by the first and the last column, ascending and descending.
        hv::dBase::SortTableValues(rows, 1, 0);
        hv::dBase::SortTableValues(rows, rows.ColumnUpper(), 1);
    }
    if (rows.IsArray()) {
        for (int r = rows.RowLower(); r <= rows.RowUpper(); ++r)
            for (int c = rows.ColumnLower(); c <= rows.ColumnUpper(); ++c)
                touched += size_t(rows.Cell(c, r).value_or(QString()).size());
    }
    const int64_t count = table.RecordCount();
    for (int64_t wide : {int64_t(0), int64_t(1), int64_t(2), int64_t(3), count - 1, count,
                         count + 1, int64_t(-1), int64_t(2147483647)}) {
        const int32_t n = int32_t(std::clamp<int64_t>(wide, INT32_MIN, INT32_MAX));
        table.GetRecord(n);
        touched += table.Deleted() ? 1 : 0;
        for (int i = 1; i <= table.Fields().Count(); ++i)
            touched += size_t(table.Value(i).value_or(QString()).size());
    }
    return touched;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!writeInput(data, size))
        return 0;
    try {
        hv::dBase table;
        table.OpenFile(scratchPath());
        readAll(table);
        table.CloseFile();
    } catch (const hv::DbaseError &) {
    }
    // The same file opened for writing: overwrite, append and append an array.
    try {
        hv::dBase table;
        table.SetOpenMode(2);
        table.OpenFile(scratchPath());
        const hv::TableArray rows = table.GetTableValues();
        table.GetRecord(1);
        table.SetValue(1, QStringLiteral("fuzz"));
        table.PutRecord(1);
        table.PutRecord(0);
        if (rows.IsArray() && rows.RowCount() < 64)
            table.PutTableValues(rows);
        readAll(table);
        table.CloseFile();
    } catch (const hv::DbaseError &) {
    }
    return 0;
}
