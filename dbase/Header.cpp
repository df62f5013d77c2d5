#include "dbase/Header.h"

#include <QtEndian>

#include <algorithm>

namespace hv::dbase {

qint32 recordCountFromHeader(QByteArrayView header, qint64 fileSize)
{
    if (header.size() < kHeaderPrefixBytes)
        return 0;
    const auto *bytes = reinterpret_cast<const uchar *>(header.data());
    const int version = bytes[kVersionOffset];
    const int month = bytes[kMonthOffset];
    const qint32 count = qFromLittleEndian<qint32>(bytes + kRecordCountOffset);
    const qint16 headerLength = qFromLittleEndian<qint16>(bytes + kHeaderLengthOffset);
    const qint16 recordLength = qFromLittleEndian<qint16>(bytes + kRecordLengthOffset);
    if (version != kVersion3 || month < 1 || month > 12 || headerLength < kMinHeaderLength ||
        headerLength > kMaxHeaderLength)
        return 0;
    if (descriptorCount(headerLength) < 1)
        return 0;
    return qint32(heldRecords(count, headerLength, recordLength, fileSize));
}

qint64 heldRecords(qint32 recordCount, qint16 headerLength, qint16 recordLength, qint64 fileSize)
{
    if (recordCount <= 0 || recordLength < 1 || headerLength < 0 || fileSize <= headerLength)
        return 0;
    return std::min<qint64>(recordCount, (fileSize - headerLength) / recordLength);
}

QString headerDamage(qint32 recordCount, qint16 headerLength, qint16 recordLength,
                     qint64 fieldBytes, qint64 fileSize)
{
    if (headerLength < kMinHeaderLength)
        return QStringLiteral("the header length (%1) is below %2")
            .arg(headerLength)
            .arg(kMinHeaderLength);
    if (recordLength < 1 + fieldBytes)
        return QStringLiteral("the header's record length (%1) is shorter than its fields "
                              "(%2 bytes)")
            .arg(recordLength)
            .arg(1 + fieldBytes);
    if (recordCount < 0)
        return QStringLiteral("the record count (%1) is 2^31 or more").arg(quint32(recordCount));
    const qint64 end = qint64(headerLength) + qint64(recordCount) * recordLength;
    if (end > fileSize)
        return QStringLiteral("the header counts %1 records of %2 bytes, which end at byte %3 of "
                              "a file of %4 bytes")
            .arg(recordCount)
            .arg(recordLength)
            .arg(end)
            .arg(fileSize);
    return {};
}

} // namespace hv::dbase
