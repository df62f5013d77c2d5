// Record access and whole-table arrays of the dBase class.
#include "dbase/Header.h"
#include "dbase/dBase.h"

#include "platform/Ansi.h"
#include "platform/SaveFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace hv {
namespace {

// Records are read in blocks of about this many bytes (whole records per block).
constexpr int64_t kReadBlockBytes = int64_t(2) << 20;
// Appended records are collected and written in blocks of about this many bytes.
constexpr int64_t kWriteBlockBytes = int64_t(1) << 20;

struct Span {
    int64_t begin = 0;
    int64_t length = 0;
};

// The bytes of a field (1-based position, length) that lie inside a record of `size` bytes.
Span fieldSpan(int32_t position, int32_t length, int64_t size)
{
    const int64_t first = int64_t(position) - 1;
    const int64_t last = first + qMax<int64_t>(length, 0);
    const int64_t begin = std::clamp<int64_t>(first, 0, size);
    const int64_t end = std::clamp<int64_t>(last, begin, size);
    return {begin, end - begin};
}

} // namespace

const Field &dBase::fieldAt(int index) const
{
    const Field *field = m_fields.Item(index);
    if (!field)
        throw DbaseError(dbase_errors::kInvalidFieldNumber,
                         QStringLiteral("Invalid Field Number %1").arg(index));
    return *field;
}

DbValue dBase::Value(int index) const
{
    if (m_buffer.isEmpty() || !m_file.isOpen())
        return QString(QLatin1String(""));
    const Field &field = fieldAt(index);
    if (!field.IsCharacter())
        return std::nullopt;
    const Span span = fieldSpan(field.Position(), field.Length(), m_buffer.size());
    return ansi::toText(QByteArrayView(m_buffer.constData() + span.begin, span.length));
}

void dBase::SetValue(int index, const DbValue &value)
{
    const Field &field = fieldAt(index);
    if (!field.IsCharacter())
        return;
    setValueBytes(index, ansi::fromText(value.value_or(QString())));
}

void dBase::setValueBytes(int index, QByteArrayView bytes)
{
    const Field &field = fieldAt(index);
    if (!field.IsCharacter() || field.Length() <= 0)
        return;
    // The field's text: the bytes cut to the width and padded with spaces. Only the part
    // of the field inside the buffer is written.
    const int64_t first = int64_t(field.Position()) - 1;
    const Span span = fieldSpan(field.Position(), field.Length(), m_buffer.size());
    if (span.length == 0)
        return;
    char *out = m_buffer.data() + span.begin;
    const int64_t skip = span.begin - first; // characters of the field before the buffer
    for (int64_t i = 0; i < span.length; ++i) {
        const int64_t k = skip + i;
        out[i] = k < bytes.size() ? bytes[qsizetype(k)] : ' ';
    }
}

bool dBase::Deleted() const
{
    return !m_buffer.isEmpty() && m_buffer[0] == '*';
}

void dBase::SetDeleted(bool deleted)
{
    if (!m_buffer.isEmpty() && m_file.isOpen())
        m_buffer[0] = deleted ? '*' : ' ';
}

void dBase::InitRecord()
{
    m_buffer = blankRecord();
    for (int i = 1; i <= m_fields.Count(); ++i)
        setValueBytes(i, {});
}

int64_t dBase::readableRecords() const
{
    if (!m_file.isOpen())
        return 0;
    return dbase::heldRecords(m_header.recordCount, m_header.headerLength, m_header.recordLength,
                              m_file.size());
}

void dBase::GetRecord(int32_t recordNo)
{
    const int64_t length = m_header.recordLength;
    if (m_file.isOpen() && recordNo >= 1 && recordNo <= m_header.recordCount && length >= 1 &&
        m_header.headerLength >= 0) {
        QByteArray record(qsizetype(length), Qt::Uninitialized);
        const int64_t offset = m_header.headerLength + int64_t(recordNo - 1) * length;
        if (m_file.readAt(offset, record.data(), length) == length) {
            m_buffer = record;
            m_recordNo = recordNo;
            return;
        }
    }
    // Out of range, or not wholly inside the file: a blank, undeleted record.
    m_recordNo = 0;
    m_buffer = blankRecord();
}

QString dBase::headerDamage() const
{
    if (!m_file.isOpen())
        return {};
    int64_t fieldBytes = 0;
    for (const Field &field : m_fields)
        fieldBytes += qMax(field.Length(), 0);
    return dbase::headerDamage(m_header.recordCount, m_header.headerLength, m_header.recordLength,
                               fieldBytes, m_file.size());
}

void dBase::checkWritableHeader() const
{
    if (const QString damage = headerDamage(); !damage.isEmpty())
        throw DbaseError(dbase_errors::kInvalidFileType,
                         QStringLiteral("Invalid dBase File Type: ") + damage);
}

void dBase::mendFailedAppend(int64_t whole, bool countChanged)
{
    // The table stays valid: the records written whole, then the marker; the bytes of a
    // record or block that failed part way are cut off (which also frees room for the marker).
    try {
        m_file.truncate(int64_t(m_header.headerLength) + whole * m_header.recordLength);
        if (countChanged)
            WriteHeader(int32_t(whole));
        writeEndMarker();
    } catch (const DbaseError &) {
        // The first failure is the one the caller needs to see.
    }
}

void dBase::writeRecordAt(int64_t recordNo)
{
    // Exactly one record's bytes, whatever the buffer's length, so that a write never
    // reaches into the next record.
    const int64_t length = m_header.recordLength;
    QByteArray record = m_buffer.left(qsizetype(length));
    if (record.size() < length)
        record.append(QByteArray(qsizetype(length) - record.size(), ' '));
    m_file.writeAt(m_header.headerLength + (recordNo - 1) * length, record.constData(), length);
}

void dBase::PutRecord(int32_t recordNo)
{
    if (!m_file.isOpen()) {
        m_recordNo = 0;
        return;
    }
    if (m_openMode != 2) {
        m_recordNo = 0;
        throw DbaseError(dbase_errors::kReadOnly, QStringLiteral("Database is ReadOnly"));
    }
    // Our own processes appending to the same table take turns (an advisory lock).
    const DescriptorLock lock(m_file.descriptor());
    ReadHeader();
    checkWritableHeader();
    // The header is sound, so every record it counts lies inside the file.
    const int64_t existing = readableRecords();
    int64_t number = (recordNo < 1 || recordNo > existing) ? 0 : recordNo;
    if (number >= 1) {
        writeRecordAt(number);
    } else {
        if (existing >= std::numeric_limits<int32_t>::max())
            throw DbaseError(dbase_errors::kInvalidFileType,
                             QStringLiteral("Invalid dBase File Type"));
        number = existing + 1;
        try {
            writeRecordAt(number);
            m_header.recordCount = int32_t(number);
            if (!m_batch)
                WriteHeader(int32_t(number));
        } catch (...) {
            m_header.recordCount = int32_t(existing);
            mendFailedAppend(existing, false);
            throw;
        }
    }
    m_modified = true;
    m_recordNo = int32_t(number);
}

TableArray dBase::GetTableValues()
{
    if (!m_file.isOpen())
        return {};
    ReadHeader();
    if (m_header.recordCount <= 0)
        return {};
    // Only records wholly inside the file are read, however many the header promises.
    const int64_t records = readableRecords();
    if (records == 0)
        return {};
    const int64_t length = m_header.recordLength;
    const int64_t headerLength = m_header.headerLength;

    // Where each column's bytes lie in a record; every record has the same layout.
    const int columns = m_fields.Count();
    std::vector<TableArray::ByteRange> layout;
    layout.reserve(size_t(columns));
    int64_t rowBytes = 0;
    for (const Field &field : m_fields) {
        if (!field.IsCharacter()) {
            layout.push_back({0, -1});
            continue;
        }
        const Span span = fieldSpan(field.Position(), field.Length(), length);
        layout.push_back({int32_t(span.begin), int32_t(span.length)});
        rowBytes += span.length;
    }

    // Room for every record being undeleted, but never more than the file's size.
    const int64_t fileBytes = records * length;
    TableArray table(columns, 0);
    table.SetRowLayout(layout);
    table.Reserve(records, qMin(records * rowBytes, fileBytes));

    const int64_t perBlock = qMax<int64_t>(1, kReadBlockBytes / length);
    QByteArray block(qsizetype(qMin(perBlock, records) * length), Qt::Uninitialized);
    int64_t done = 0;
    while (done < records) {
        const int64_t wanted = qMin(perBlock, records - done);
        const int64_t got =
            m_file.readAt(headerLength + done * length, block.data(), wanted * length);
        const int64_t whole = got / length; // a file that shrank meanwhile ends the reading
        for (int64_t i = 0; i < whole; ++i) {
            const char *record = block.constData() + i * length;
            if (record[0] != '*')
                table.AppendRow(record, layout);
        }
        if (whole > 0)
            m_buffer = QByteArray(block.constData() + (whole - 1) * length, qsizetype(length));
        done += whole;
        if (whole < wanted)
            break;
    }
    if (done > 0)
        m_recordNo = int32_t(done);
    if (table.RowCount() == 0)
        return {};
    table.Squeeze();
    return table;
}

void dBase::PutTableValues(const TableArray &values)
{
    if (!m_file.isOpen() || !values.IsArray() || values.RowCount() == 0)
        return;
    if (values.ColumnCount() != m_fields.Count())
        throw DbaseError(dbase_errors::kArrayDoesNotMatch,
                         QStringLiteral("Array does not match Fields"));
    if (m_openMode != 2) {
        m_recordNo = 0;
        throw DbaseError(dbase_errors::kReadOnly, QStringLiteral("Database is ReadOnly"));
    }
    // Our own processes appending to the same table take turns (an advisory lock), so that
    // none writes its records over another's.
    const DescriptorLock lock(m_file.descriptor());
    ReadHeader();
    checkWritableHeader();

    // The rows become consecutive records after the ones the header counts. They are
    // collected in blocks and written together; the header's count and date are written
    // once at the end (also when a write fails, for the records already written).
    const int64_t length = m_header.recordLength;
    const int64_t headerLength = m_header.headerLength;
    int64_t written = readableRecords();
    const int64_t before = written;
    int64_t collected = written;
    QByteArray pending;
    pending.reserve(
        qsizetype(qMin<int64_t>(kWriteBlockBytes + length, length * int64_t(values.RowCount()))));
    auto flush = [&] {
        if (pending.isEmpty())
            return;
        m_file.writeAt(headerLength + written * length, pending.constData(), pending.size());
        m_modified = true;
        written = collected;
        pending.clear();
    };

    m_batch = true;
    try {
        for (int row = values.RowLower(); row <= values.RowUpper(); ++row) {
            if (collected == std::numeric_limits<int32_t>::max())
                throw DbaseError(dbase_errors::kInvalidFileType,
                                 QStringLiteral("Invalid dBase File Type"));
            InitRecord();
            int index = 1;
            for (int column = values.ColumnLower(); column <= values.ColumnUpper(); ++column)
                setValueBytes(index++, values.CellBytes(column, row));
            pending.append(m_buffer.left(qsizetype(length)));
            if (m_buffer.size() < length)
                pending.append(QByteArray(qsizetype(length) - m_buffer.size(), ' '));
            ++collected;
            m_recordNo = int32_t(collected);
            if (pending.size() >= kWriteBlockBytes)
                flush();
        }
        flush();
    } catch (...) {
        m_batch = false;
        mendFailedAppend(written, written > before);
        throw;
    }
    m_batch = false;
    WriteHeader(int32_t(written));
    writeEndMarker();
}

TableArray &dBase::SortTableValues(TableArray &values, int32_t sortColumn, int32_t sortOrder)
{
    using namespace dbase_errors;
    if (!values.IsArray() || values.ColumnCount() == 0)
        throw DbaseError(kArrayNoColumns, QStringLiteral("Array has no columns"));
    if (values.RowCount() == 0)
        throw DbaseError(kArrayNoRows, QStringLiteral("Array has no rows"));
    if (values.ColumnLower() != 1)
        throw DbaseError(kColumnsNotBase1, QStringLiteral("Array columns must be Base 1"));
    if (values.RowLower() != 1)
        throw DbaseError(kRowsNotBase1, QStringLiteral("Array rows must be Base 1"));
    if (sortColumn < 1 || sortColumn > values.ColumnUpper())
        throw DbaseError(kInvalidSortColumn, QStringLiteral("Invalid Sort Column"));

    // Shell sort of the rows by the key column, exchanging whole rows.
    const int n = values.RowCount();
    for (int gap = n / 2; gap > 0; gap /= 2) {
        for (int i = gap; i <= n - 1; ++i) {
            for (int j = i - gap + 1; j >= 1; j -= gap) {
                if (values.CompareCells(sortColumn, j, j + gap, sortOrder) <= 0)
                    break;
                values.SwapRows(j, j + gap);
            }
        }
    }
    return values;
}

} // namespace hv
