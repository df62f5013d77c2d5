// The record count of a dBase table read from its header alone.
//
// The category lists show the record count of thousands of data files; opening each as a
// full table would read every field descriptor. This reads the 12 bytes at the start of the
// header with the same validity rules as opening the table, and never fails.
#pragma once

#include <QByteArrayView>

namespace hv::dbase {

// The bytes of the header that the count needs: version, date, count, header and record length.
constexpr int kHeaderPrefixBytes = 12;

// The record count of a table whose file starts with `header` and is `fileSize` bytes long.
// 0 when the header is too short or not that of a valid table (version 3, month 1 to 12,
// header length 33 to 8456 with at least one field descriptor, a positive record length).
// A negative count gives 0; a count beyond the records the file holds gives the number it holds.
qint32 recordCountFromHeader(QByteArrayView header, qint64 fileSize);

} // namespace hv::dbase
