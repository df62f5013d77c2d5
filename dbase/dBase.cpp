// Opening, creating and closing a table, and its header.
#include "dbase/dBase.h"

#include "dbase/Header.h"

#include "platform/Ansi.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "platform/SaveFile.h"

#include <QFile>

#include <cstring>
#include <unistd.h>

namespace hv {
namespace {

using namespace dbase;

int16_t get16(const char *p)
{
    return int16_t(uint16_t(uchar(p[0])) | uint16_t(uchar(p[1])) << 8);
}

int32_t get32(const char *p)
{
    return int32_t(uint32_t(uchar(p[0])) | uint32_t(uchar(p[1])) << 8 |
                   uint32_t(uchar(p[2])) << 16 | uint32_t(uchar(p[3])) << 24);
}

void put16(char *p, int32_t value)
{
    p[0] = char(value & 0xFF);
    p[1] = char((value >> 8) & 0xFF);
}

void put32(char *p, int32_t value)
{
    const uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

DbaseHeader parseHeader(const char *bytes)
{
    DbaseHeader header;
    header.version = uchar(bytes[kVersionOffset]);
    header.year = uchar(bytes[kYearOffset]);
    header.month = uchar(bytes[kMonthOffset]);
    header.day = uchar(bytes[kDayOffset]);
    header.recordCount = get32(bytes + kRecordCountOffset);
    header.headerLength = get16(bytes + kHeaderLengthOffset);
    header.recordLength = get16(bytes + kRecordLengthOffset);
    return header;
}

// Deletes the file that `path` names (in any letter case) when there is one; a failure is
// ignored, as every step of a creation after the positions are assigned.
void removeIfPresent(const QString &path)
{
    const QString found = paths::findExisting(path);
    if (!found.isEmpty())
        ::unlink(paths::encodeName(found).constData());
}

} // namespace

dBase::dBase()
{
    ResetTable();
}

dBase::~dBase()
{
    try {
        CloseFile();
    } catch (const DbaseError &) {
        // The file is closed either way; a destructor cannot report the marker's failure.
    }
}

void dBase::ResetTable()
{
    m_fields.Clear();
    m_file.close();
    m_filename.clear();
    m_recordNo = 0;
    m_buffer.clear();
    m_modified = false;
    m_batch = false;
    m_openMode = 0;
}

int32_t dBase::RecordCount()
{
    if (!m_file.isOpen())
        return 0;
    ReadHeader();
    return m_header.recordCount;
}

void dBase::rejectInvalidFile()
{
    m_file.close();
    throw DbaseError(dbase_errors::kInvalidFileType, QStringLiteral("Invalid dBase File Type"));
}

void dBase::OpenFile(const QString &sFilename)
{
    if (m_file.isOpen())
        CloseFile();
    if (m_openMode == 1) {
        CreateTable(sFilename);
        return;
    }
    const QString found = paths::findExisting(sFilename);
    if (found.isEmpty())
        throw DbaseError(dbase_errors::kFileNotFound,
                         QStringLiteral("dBase File Not Found '%1'").arg(sFilename));
    if (m_openMode != 0 && m_openMode != 2)
        throw DbaseError(dbase_errors::kInvalidOpenMode,
                         QStringLiteral("Invalid Open Mode %1").arg(m_openMode));

    m_file.openExisting(found, m_openMode == 2);
    try {
        // A file too short for the fixed header, or for the descriptors its header length
        // announces, is as invalid as a wrong version byte.
        const int64_t size = m_file.size();
        char head[kFileHeaderBytes];
        if (size < kFileHeaderBytes || m_file.readAt(0, head, kFileHeaderBytes) < kFileHeaderBytes)
            rejectInvalidFile();
        if (uchar(head[kVersionOffset]) != kVersion3)
            rejectInvalidFile();
        m_header = parseHeader(head);
        m_recordLen = m_header.recordLength;
        if (m_header.month == 0 || m_header.month > 12 ||
            m_header.headerLength < kMinHeaderLength || m_header.headerLength > kMaxHeaderLength)
            rejectInvalidFile();
        const int count = descriptorCount(m_header.headerLength);
        if (count < 1)
            rejectInvalidFile();
        const int64_t descriptorBytes = int64_t(count) * kDescriptorBytes;
        QByteArray descriptors(qsizetype(descriptorBytes), Qt::Uninitialized);
        if (size < kFileHeaderBytes + descriptorBytes ||
            m_file.readAt(kFileHeaderBytes, descriptors.data(), descriptorBytes) < descriptorBytes)
            rejectInvalidFile();

        m_recordLen = 1;
        for (int i = 0; i < count; ++i) {
            const char *d = descriptors.constData() + i * kDescriptorBytes;
            const qsizetype nameLength = qsizetype(qstrnlen(d, kFieldNameBytes));
            const int length = uchar(d[kFieldLengthOffset]);
            m_fields.Add(ansi::toText(QByteArrayView(d, nameLength)),
                         TypeLetter(uchar(d[kFieldTypeOffset])), length,
                         uchar(d[kFieldDecimalsOffset]), m_recordLen + 1);
            m_recordLen += length;
        }
        m_buffer = QByteArray(m_recordLen, ' ');
        m_filename = sFilename;
    } catch (...) {
        m_file.close();
        throw;
    }
}

QString dBase::fieldListError(const hv::Fields &fields)
{
    if (fields.Count() < 1)
        return QStringLiteral("A table needs at least one field");
    if (fields.Count() > kMaxFields)
        return QStringLiteral("A table holds at most %1 fields, not %2")
            .arg(kMaxFields)
            .arg(fields.Count());
    int64_t recordLength = 1;
    for (const Field &field : fields) {
        if (field.Length() < 0 || field.Length() > 255)
            return QStringLiteral("The field %1 has the length %2 (0 to 255 allowed)")
                .arg(field.Name())
                .arg(field.Length());
        recordLength += field.Length();
    }
    if (recordLength > kMaxRecordLength)
        return QStringLiteral("A record of these fields takes %1 bytes (at most %2 allowed)")
            .arg(recordLength)
            .arg(kMaxRecordLength);
    return {};
}

void dBase::CreateTable(const QString &sFilename)
{
    m_creationError = fieldListError(m_fields);
    if (!m_creationError.isEmpty())
        return;
    const QString existing = paths::findExisting(sFilename);
    if (!existing.isEmpty() && isReadOnlyFile(existing)) {
        m_creationError = QStringLiteral("%1 is read-only").arg(existing);
        return;
    }

    int32_t running = 1;
    for (Field &field : m_fields) {
        field.SetPosition(running + 1);
        running += field.Length();
    }

    removeIfPresent(sFilename);
    if (sFilename.size() >= 4) {
        const QString base = sFilename.left(sFilename.size() - 4);
        removeIfPresent(base + QStringLiteral(".hpi"));
        removeIfPresent(base + QStringLiteral(".inf"));
    }
    const QString target = paths::resolveForWrite(sFilename);
    if (!m_file.create(target)) {
        m_creationError = m_file.error();
        return;
    }

    const int count = m_fields.Count();
    int32_t recordLength = 1;
    if (count > 0) {
        const Field &last = *m_fields.Item(count);
        recordLength = last.Position() + last.Length() - 1;
    }
    m_header = DbaseHeader();
    m_header.version = kVersion3;
    stampDate();
    m_header.recordCount = 0;
    m_header.recordLength = int16_t(recordLength & 0xFFFF);
    m_header.headerLength = int16_t((kDescriptorBytes * count + kMinHeaderLength) & 0xFFFF);

    QByteArray bytes(kFileHeaderBytes + qsizetype(count) * kDescriptorBytes + 1, '\0');
    const QByteArray head = headerBytes();
    std::memcpy(bytes.data(), head.constData(), size_t(head.size()));
    bytes[kLanguageDriverOffset] = 0x02;
    char *d = bytes.data() + kFileHeaderBytes;
    for (const Field &field : m_fields) {
        const QByteArray name = ansi::fromText(field.Name()).left(kFieldNameBytes);
        std::memcpy(d, name.constData(), size_t(name.size()));
        d[kFieldTypeOffset] = char(TypeCode(field.FieldType()));
        put32(d + kFieldOffsetOffset, field.Position());
        d[kFieldLengthOffset] = char(field.Length() & 0xFF);
        d[kFieldDecimalsOffset] = char(field.Decimals() & 0xFF);
        d[kFieldFlagsOffset] = 0x02;
        d += kDescriptorBytes;
    }
    *d = kHeaderTerminator;
    try {
        m_file.writeAt(0, bytes.constData(), bytes.size());
    } catch (const DbaseError &e) {
        // A creation raises nothing: it leaves no half-written table and says why.
        m_creationError = e.description();
        m_file.close();
        ::unlink(paths::encodeName(target).constData());
        return;
    }

    m_filename = sFilename;
    m_recordLen = m_header.recordLength;
    m_buffer = blankRecord();
    m_recordNo = 0;
    m_modified = true;
    m_openMode = 2;
}

void dBase::CloseFile()
{
    std::optional<DbaseError> failure;
    if (m_file.isOpen()) {
        if (m_modified) {
            try {
                const DescriptorLock lock(m_file.descriptor());
                writeEndMarker();
            } catch (const DbaseError &e) {
                failure = e;
            }
        }
        m_file.close();
    }
    ResetTable();
    if (failure)
        throw *failure;
}

void dBase::writeEndMarker()
{
    ReadHeader();
    // The marker goes after the last record. A header whose records the file does not hold
    // gets no marker rather than a stray byte far past the end.
    const int64_t offset =
        int64_t(m_header.headerLength) + int64_t(m_header.recordCount) * m_header.recordLength;
    if (m_header.headerLength >= kMinHeaderLength && m_header.recordCount >= 0 &&
        m_header.recordLength >= 0 && offset <= m_file.size())
        m_file.writeAt(offset, &kEndOfFileMarker, 1);
}

void dBase::ReadHeader()
{
    if (!m_file.isOpen())
        return;
    char bytes[kHeaderPrefixBytes] = {};
    m_file.readAt(0, bytes, sizeof bytes);
    m_header = parseHeader(bytes);
    m_recordLen = m_header.recordLength;
}

void dBase::WriteHeader(int32_t newCount)
{
    ReadHeader();
    stampDate();
    if (newCount > 0)
        m_header.recordCount = newCount;
    writeHeaderBytes();
}

void dBase::stampDate()
{
    const QDate today = m_today ? m_today() : QDate::currentDate();
    m_header.year = uint8_t(today.year() % 100 + 100);
    m_header.month = uint8_t(today.month());
    m_header.day = uint8_t(today.day());
}

QByteArray dBase::headerBytes() const
{
    QByteArray bytes(kHeaderPrefixBytes, '\0');
    bytes[kVersionOffset] = char(m_header.version);
    bytes[kYearOffset] = char(m_header.year);
    bytes[kMonthOffset] = char(m_header.month);
    bytes[kDayOffset] = char(m_header.day);
    put32(bytes.data() + kRecordCountOffset, m_header.recordCount);
    put16(bytes.data() + kHeaderLengthOffset, m_header.headerLength);
    put16(bytes.data() + kRecordLengthOffset, m_header.recordLength);
    return bytes;
}

void dBase::writeHeaderBytes()
{
    const QByteArray bytes = headerBytes();
    m_file.writeAt(0, bytes.constData(), bytes.size());
}

QByteArray dBase::blankRecord() const
{
    return QByteArray(qMax<qsizetype>(m_header.recordLength, 0), ' ');
}

} // namespace hv
