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
    if (count <= 0 || recordLength <= 0)
        return 0;
    const qint64 held = std::max<qint64>(0, (fileSize - headerLength) / recordLength);
    return qint32(std::min<qint64>(count, held));
}

} // namespace hv::dbase
