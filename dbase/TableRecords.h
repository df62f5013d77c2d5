// Reading a table's records for display and export, without the table class's record buffer
// and without holding the file: every read opens the file, reads one span of records and
// closes it again, so a reader never counts as a holder of the file and never locks it.
//
// A TableLayout is what the header said when the table was opened, together with the file's
// identity then (device, inode, size, modification time). Every later read compares the file
// with that identity first and reports a changed file instead of returning records that may
// be torn between two versions of it.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace hv {

// Who a table file is at one moment; two equal stamps mean the bytes were not changed.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileStamp &) const = default;
};

struct TableColumn {
    QString name;
    char type = 'C'; // the type letter
    int length = 0;  // bytes
    int decimals = 0;
    int offset = 0; // within the record; the deletion flag is byte 0
};

struct TableLayout {
    QString path; // as found on disk
    std::vector<TableColumn> columns;
    qint64 headerLength = 0;
    qint64 recordLength = 0; // as the header states it, the deletion flag included
    qint32 headerCount = 0;  // the header's record count
    qint64 records = 0;      // the records the file holds (at most the header's count)
    QDate lastUpdate;        // the header's date; invalid when it is no date
    FileStamp stamp;
};

// Reads the header of the table at `path` (found without regard to letter case) read-only.
// Raises the DbaseError that OpenFile raises for a missing or invalid table, and
// kInvalidFileType ("Invalid dBase File Type") for a header that misstates its records.
TableLayout readTableLayout(const QString &path);

// The identity of the file at `path` now; false when it cannot be looked at.
bool readFileStamp(const QString &path, FileStamp &stamp);

// How a read of records ended.
enum class RecordRead { Done, Changed, Cancelled };

// Reads the records numbered (from 0) in `records` into `out`, one record length each, in
// that order. Neighbouring numbers are read in one piece. Changed when the file is not the
// one of `layout` any more (nothing is then stored); a failing open or read raises a
// DbaseError (kFileSystem).
RecordRead readRecordList(const TableLayout &layout, std::span<const quint32> records,
                          QByteArray &out);

// Hands every record from `first` to the end of the table to `visit` (record number,
// record bytes), reading about a megabyte at a time. `visit` returns false to stop early.
// Cancelled when `cancel` turns true between pieces; Changed as above.
RecordRead scanRecords(const TableLayout &layout, qint64 first,
                       const std::function<bool(qint64 recordNo, const char *record)> &visit,
                       const std::atomic<bool> *cancel = nullptr);

// True when the record's deletion flag marks it deleted.
inline bool isDeletedRecord(const char *record)
{
    return record[0] == '*';
}

// The shown text of field `column` of `record`: a character field without its trailing
// blanks, a field of any other type without blanks at either end, decoded from
// Windows-1252.
QString fieldText(const TableLayout &layout, const char *record, int column);

// The same field's bytes as they are stored, before the blanks are removed.
QByteArrayView fieldBytes(const TableLayout &layout, const char *record, int column);

} // namespace hv
