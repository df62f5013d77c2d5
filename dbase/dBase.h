// One dBase III table file: its header, its field list, one record buffer, and whole-table
// exchange as a TableArray.
//
// A dBase object holds no file (new, after CloseFile or a failed OpenFile) or one open file
// (OpenMode 0 read-only, 2 read/write, also after a creation with OpenMode 1). Every failure
// is raised as a DbaseError (dbase/DbaseError.h). Text goes in and out as Windows-1252; the
// record buffer keeps the file's bytes, so byte k of the record is character k of its text.
//
// Files that promise more than they hold are read safely: only records lying wholly inside
// the file exist for GetRecord and GetTableValues, a record length below 1 means there are
// no records, and no allocation is sized from the header's counts alone.
#pragma once

#include "dbase/DbaseError.h"
#include "dbase/Fields.h"
#include "dbase/TableArray.h"
#include "dbase/TableFile.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <cstdint>
#include <functional>

namespace hv {

// The first 12 bytes of a table header, as last read or written.
struct DbaseHeader {
    uint8_t version = 0;
    uint8_t year = 0; // year of the last update minus 1900 (two-digit year + 100)
    uint8_t month = 0;
    uint8_t day = 0;
    int32_t recordCount = 0;
    int16_t headerLength = 0;
    int16_t recordLength = 0; // including the deletion flag; sign-extended as the file format's
};

class dBase {
public:
    dBase();
    ~dBase(); // performs CloseFile; a failure to write the end-of-file marker is ignored here
    dBase(const dBase &) = delete;
    dBase &operator=(const dBase &) = delete;

    // The mode of the next OpenFile: 0 read-only (default), 1 create, 2 read/write.
    int32_t OpenMode() const { return m_openMode; }
    void SetOpenMode(int32_t mode) { m_openMode = mode; }

    // The path given to the last successful OpenFile; empty after CloseFile. Assigning
    // stores the text and nothing else.
    QString Filename() const { return m_filename; }
    void SetFilename(const QString &filename) { m_filename = filename; }

    // Re-reads the header and returns its record count; 0 when no file is open.
    int32_t RecordCount();
    // Number of the record in the buffer, 0 when none.
    int32_t RecordNo() const { return m_recordNo; }
    // Right after OpenFile: 1 + the sum of the field lengths; after a later header read:
    // the header's record length.
    int32_t RecordLen() const { return m_recordLen; }
    // The records the file holds (heldRecords in dbase/Header.h): the header's count, but
    // only records lying wholly inside the file; 0 when no file is open.
    int64_t heldRecordCount() const { return readableRecords(); }
    // True while a table file is open.
    bool FileExists() const { return m_file.isOpen(); }
    // Why the header as last read misstates the table's records (dbase::headerDamage in
    // dbase/Header.h): writes refuse such a table with kInvalidFileType. Empty when the header
    // is sound or no file is open.
    QString headerDamage() const;

    // The field list. CloseFile empties it; OpenFile appends the file's fields to it.
    hv::Fields &Fields() { return m_fields; }
    const hv::Fields &Fields() const { return m_fields; }
    void SetFields(const hv::Fields &fields) { m_fields = fields; }

    // The header copy (first 12 header bytes as last read or written).
    const DbaseHeader &Header() const { return m_header; }

    // Opens the table at `sFilename` (found without regard to letter case), or creates it
    // with OpenMode 1 from the field list. Raises kFileNotFound, kInvalidFileType,
    // kInvalidOpenMode or kFileSystem; after any of them no file is open. A creation that
    // fails raises nothing and leaves FileExists() false (creationError() says why): an
    // invalid field list, a read-only file of that name (never replaced) or a failed write,
    // after which no file is left behind.
    void OpenFile(const QString &sFilename);

    // Why the field list cannot make a table the class can read back (more than 263 fields,
    // no field, a field length outside 0 to 255, a record longer than 32767 bytes); empty
    // when it can. A creation with such a list writes nothing.
    static QString fieldListError(const hv::Fields &fields);
    // Why the last creation with OpenMode 1 failed; empty after one that succeeded.
    QString creationError() const { return m_creationError; }

    // Writes the end-of-file marker when records were written, closes the file and resets
    // the object (no file, empty field list, OpenMode 0). The reset happens even when
    // writing the marker fails; the failure is raised afterwards.
    void CloseFile();

    // Reads the first 12 header bytes into the header copy and sets RecordLen to the
    // header's record length; does nothing without an open file. Bytes missing from a
    // truncated file read as 0.
    void ReadHeader();
    // ReadHeader, stamps today's date, stores `newCount` as the record count when it is
    // above 0, and writes the 12 bytes back.
    void WriteHeader(int32_t newCount);

    // The field `index` (1-based) of the record buffer: its bytes as text for a character
    // field, nothing for a field of another type, the empty text when no record is held.
    // A field number that names no field raises kInvalidFieldNumber.
    DbValue Value(int index) const;
    // Stores text into field `index` of the buffer, left-justified, space-padded and cut to
    // the field width; nothing is stored as the empty text. Fields of another type are left
    // unchanged. Only the part of a field that lies inside the buffer is written.
    void SetValue(int index, const DbValue &value);

    // The deletion flag of the buffered record ("*").
    bool Deleted() const;
    void SetDeleted(bool deleted);

    // Makes the buffer a blank, undeleted record of the header's record length.
    void InitRecord();
    // Reads record `recordNo` into the buffer; a number outside 1..record count, or a record
    // not wholly inside the file, gives a blank record and RecordNo 0.
    void GetRecord(int32_t recordNo);
    // Writes the buffer as record `recordNo`, or appends it when the number is 0 or out of
    // range. Raises kReadOnly unless the table is open read/write, kInvalidFileType for a
    // header that misstates its records (headerDamage). An append that fails part way is cut
    // back to the records before it and the end-of-file marker is written again.
    void PutRecord(int32_t recordNo);

    // All records that are not deleted, (field count) columns by rows, both from 1; not an
    // array when the table has no (readable, undeleted) records or no file is open.
    TableArray GetTableValues();
    // Appends one record per row of `values` (any lower bounds). Raises kArrayDoesNotMatch
    // when the column count differs from the field count, and what PutRecord raises; a
    // failure part way keeps the records written whole.
    void PutTableValues(const TableArray &values);
    // Sorts the rows of `values` in place by column `sortColumn` (ascending; with a
    // sortOrder other than 0 by the inverted keys) and returns it.
    static TableArray &SortTableValues(TableArray &values, int32_t sortColumn, int32_t sortOrder);
    static int CompareKeys(const DbValue &a, const DbValue &b, int32_t sortOrder)
    {
        return hv::CompareKeys(a, b, sortOrder);
    }

    // The record buffer's bytes (the record length of the table, empty when none is held).
    QByteArray RecordBuffer() const { return m_buffer; }

    // The source of "today" for the header's date bytes (the local date by default).
    void SetClock(std::function<QDate()> today) { m_today = std::move(today); }

private:
    void ResetTable();
    void CreateTable(const QString &sFilename);
    [[noreturn]] void rejectInvalidFile();
    void stampDate();
    void writeHeaderBytes();
    QByteArray headerBytes() const;
    QByteArray blankRecord() const;
    // The number of records that lie wholly inside the file (at most the header's count).
    int64_t readableRecords() const;
    // Writes the end-of-file marker after the records the header counts.
    void writeEndMarker();
    // Checks that the header allows writing a record; raises kInvalidFileType otherwise.
    void checkWritableHeader() const;
    // After an append that failed part way: cuts the file back to the `whole` records before
    // it, stores that count when it changed and writes the end-of-file marker again.
    // Failures are swallowed; the caller raises the first one.
    void mendFailedAppend(int64_t whole, bool countChanged);
    void writeRecordAt(int64_t recordNo);
    void setValueBytes(int index, QByteArrayView bytes);
    const Field &fieldAt(int index) const;

    hv::Fields m_fields;
    QString m_filename;
    int32_t m_recordLen = 0;
    int32_t m_recordNo = 0;
    int32_t m_openMode = 0;
    TableFile m_file;
    QByteArray m_buffer;
    bool m_modified = false;
    bool m_batch = false;
    DbaseHeader m_header;
    std::function<QDate()> m_today;
    QString m_creationError;
};

} // namespace hv
