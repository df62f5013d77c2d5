#include "dbase/HeaderCount.h"

#include <QtEndian>

#include <algorithm>

namespace hv::dbase {

qint32 recordCountFromHeader(QByteArrayView header, qint64 fileSize)
{
    if (header.size() < kHeaderPrefixBytes)
        return 0;
    const auto *bytes = reinterpret_cast<const uchar *>(header.data());
    const int version = bytes[0];
    const int month = bytes[2];
    const qint32 count = qFromLittleEndian<qint32>(bytes + 4);
    const qint16 headerLength = qFromLittleEndian<qint16>(bytes + 8);
    const qint16 recordLength = qFromLittleEndian<qint16>(bytes + 10);
    if (version != 3 || month < 1 || month > 12 || headerLength < 33 || headerLength > 8456)
        return 0;
    if ((headerLength - 33) / 32 < 1)
        return 0;
    if (count <= 0 || recordLength <= 0)
        return 0;
    const qint64 held = std::max<qint64>(0, (fileSize - headerLength) / recordLength);
    return qint32(std::min<qint64>(count, held));
}

} // namespace hv::dbase
