// The row index of a data window: which records of a table it shows, in which order.
//
// It holds 4 bytes per row shown (the record's number), never the records themselves. It is
// built by scanning the table's records once, off the window's thread, and answers the
// window's choices: deleted records shown or not, a filter text, a sort column.
#pragma once

#include "dbase/TableRecords.h"

#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <functional>
#include <vector>

namespace hv {

struct RowIndexRequest {
    bool showDeleted = false;
    QString filter;      // rows whose shown text contains it in any column; empty: every row
    int sortColumn = -1; // -1: record order
    bool descending = false;
    bool operator==(const RowIndexRequest &) const = default;
};

struct RowIndex {
    std::vector<quint32> records; // the record numbers (from 0) of the rows, in order
    qint64 liveRecords = 0;       // live records of the whole table
    RecordRead outcome = RecordRead::Done;
};

// Builds the index of `layout` for `request`: the live records (or all with showDeleted),
// those whose shown text contains the filter without regard to case in any column, sorted by
// the sort column in natural order (naturalCompare; numeric fields by value), equal keys in
// record order. `progress` hears (records scanned, records in the table).
RowIndex buildRowIndex(const TableLayout &layout, const RowIndexRequest &request,
                       const std::atomic<bool> *cancel = nullptr,
                       const std::function<void(qint64, qint64)> &progress = {});

// Compares two Windows-1252 texts as people read them: letters without regard to case, runs
// of digits by their value ("A2" before "A10"), blanks at either end ignored. -1, 0 or 1.
int naturalCompare(QByteArrayView a, QByteArrayView b);

} // namespace hv
