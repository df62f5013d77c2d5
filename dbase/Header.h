// The layout of a dBase III table's header, named once: the fixed 32-byte file header, the
// 32-byte field descriptors that follow it, the terminator after the last descriptor and the
// limits a valid header keeps. The table class and the quick record count both read it here.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace hv::dbase {

// The fixed file header.
constexpr int kVersionOffset = 0;       // 1 byte, 3 for a dBase III table
constexpr int kYearOffset = 1;          // 1 byte, years since 1900
constexpr int kMonthOffset = 2;         // 1 byte, 1 to 12
constexpr int kDayOffset = 3;           // 1 byte
constexpr int kRecordCountOffset = 4;   // 32-bit little-endian
constexpr int kHeaderLengthOffset = 8;  // 16-bit little-endian, descriptors and terminator included
constexpr int kRecordLengthOffset = 10; // 16-bit little-endian, the deletion flag included
constexpr int kLanguageDriverOffset = 29;
constexpr int kFileHeaderBytes = 32;

// The bytes of the file header that the record count needs: version to record length.
constexpr int kHeaderPrefixBytes = 12;

// One field descriptor.
constexpr int kDescriptorBytes = 32;
constexpr int kFieldNameBytes = 11;    // at offset 0, NUL-padded
constexpr int kFieldTypeOffset = 11;   // the type letter
constexpr int kFieldOffsetOffset = 12; // 32-bit position of the field in the record
constexpr int kFieldLengthOffset = 16;
constexpr int kFieldDecimalsOffset = 17;
constexpr int kFieldFlagsOffset = 18;

// The byte after the last descriptor, and the end-of-file marker after the last record.
constexpr char kHeaderTerminator = 0x0D;
constexpr char kEndOfFileMarker = 0x1A;

// The version byte of a valid table and the header lengths it may have: the file header, at
// least one descriptor and the terminator, at most 263 descriptors.
constexpr int kVersion3 = 3;
constexpr int kMinHeaderLength = kFileHeaderBytes + 1;
constexpr int kMaxHeaderLength = 8456;

// The number of field descriptors a header of `headerLength` bytes holds.
constexpr int descriptorCount(int headerLength)
{
    return (headerLength - kMinHeaderLength) / kDescriptorBytes;
}

// The limits of a table the class can write and read back: at most 263 fields (the largest
// header length) and a record length that the header's signed 16-bit field holds.
constexpr int kMaxFields = descriptorCount(kMaxHeaderLength);
constexpr int kMaxRecordLength = 32767;

// How many records a data file holds: the header's count, but no more than the records lying
// wholly inside a file of `fileSize` bytes; 0 for a count, header length or record length
// (sign-extended, as the header holds them) that allows no record. The Records column and
// the table class both count by this rule.
qint64 heldRecords(qint32 recordCount, qint16 headerLength, qint16 recordLength, qint64 fileSize);

// Why a table's header misstates its records, or empty when it does not: a header length
// below the smallest valid one, a record length shorter than the fields (1 + `fieldBytes`,
// the sum of their lengths), a record count of 2^31 or more (negative as the signed field
// holds it), or records that reach past the end of a file of `fileSize` bytes (header length
// + count x record length). Writes refuse such a table and the security check counts it as
// unreadable; reading it for display stays allowed (heldRecords).
QString headerDamage(qint32 recordCount, qint16 headerLength, qint16 recordLength,
                     qint64 fieldBytes, qint64 fileSize);

// The record count of a table whose file starts with `header` and is `fileSize` bytes long.
// 0 when the header is too short or not that of a valid table (version 3, month 1 to 12,
// header length 33 to 8456 with at least one field descriptor, a positive record length).
// A negative count gives 0; a count beyond the records the file holds gives the number it holds.
qint32 recordCountFromHeader(QByteArrayView header, qint64 fileSize);

} // namespace hv::dbase
