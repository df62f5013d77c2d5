// A table's records as CSV (RFC 4180): UTF-8, a header row of field names, CRLF after every
// row, a field in double quotes (its quotes doubled) when it holds a comma, a quote or a line
// break. Fields are written as shown (fieldText in dbase/TableRecords.h). With the deleted
// column, each row starts with "*" for a deleted record and nothing for a live one.
#pragma once

#include "dbase/TableRecords.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <atomic>
#include <functional>
#include <vector>

namespace hv::csv {

// Appends one field, quoted where it must be.
void appendField(QByteArray &out, QStringView text);

// The header row: "Deleted" first with the deleted column, then the field names.
void appendHeader(QByteArray &out, const TableLayout &layout, bool deletedColumn);

// One record's row.
void appendRecord(QByteArray &out, const TableLayout &layout, const char *record,
                  bool deletedColumn);

// Writes the header row and every live record of the table to `sink`, a piece of about a
// megabyte at a time, so that memory does not grow with the table. Raises what the reads
// raise; a table that changes while it is read raises a DbaseError (kFileSystem) saying so.
// False when `sink` refused a piece.
bool writeLiveRecords(const TableLayout &layout, const std::function<bool(QByteArrayView)> &sink);

// How an export ended.
struct ExportOutcome {
    bool ok = false;
    bool cancelled = false;
    QString error; // why it failed; empty when it did not
};

// Writes the records numbered in `records` (in that order) as CSV to `target` through a save
// that replaces the file only when every byte was written: a failure or a cancel leaves the
// target as it was (no file where there was none). `progress` hears (done, total) records.
ExportOutcome exportRecords(const TableLayout &layout, const std::vector<quint32> &records,
                            bool deletedColumn, const QString &target,
                            const std::atomic<bool> &cancel,
                            const std::function<void(qint64, qint64)> &progress);

// The text of the error that a table changed while it was read.
QString changedWhileReading(const QString &path);

} // namespace hv::csv
