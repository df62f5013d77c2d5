#include "dbase/TableRecords.h"

#include "dbase/DbaseError.h"
#include "dbase/TableFile.h"
#include "dbase/dBase.h"

#include "platform/Ansi.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"

#include <algorithm>
#include <sys/stat.h>

namespace hv {
namespace {

constexpr qint64 kPieceBytes = 1 << 20;

FileStamp stampOf(const struct stat &st)
{
    FileStamp stamp;
    stamp.device = quint64(st.st_dev);
    stamp.inode = quint64(st.st_ino);
    stamp.size = qint64(st.st_size);
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

// The table's file, opened for one piece of reading; false when it is no longer the file the
// layout was read from.
bool openUnchanged(const TableLayout &layout, TableFile &file)
{
    file.openExisting(layout.path, false);
    struct stat st;
    return ::fstat(file.descriptor(), &st) == 0 && stampOf(st) == layout.stamp;
}

} // namespace

bool readFileStamp(const QString &path, FileStamp &stamp)
{
    struct stat st;
    if (::stat(paths::encodeName(path).constData(), &st) != 0)
        return false;
    stamp = stampOf(st);
    return true;
}

TableLayout readTableLayout(const QString &path)
{
    TableLayout layout;
    dBase table;
    table.OpenFile(path); // read-only; raises for a missing or invalid table
    layout.path = paths::findExisting(path);
    if (const QString damage = table.headerDamage(); !damage.isEmpty())
        throw DbaseError(dbase_errors::kInvalidFileType,
                         QStringLiteral("Invalid dBase File Type: ") + damage);
    const DbaseHeader &header = table.Header();
    layout.headerLength = header.headerLength;
    layout.recordLength = header.recordLength;
    layout.headerCount = header.recordCount;
    layout.records = table.heldRecordCount();
    layout.lastUpdate = QDate(1900 + header.year, header.month, header.day);
    for (const Field &field : table.Fields()) {
        TableColumn column;
        column.name = field.Name();
        column.type = char(field.FieldType().at(0).unicode());
        column.length = field.Length();
        column.decimals = field.Decimals();
        column.offset = field.Position() - 1;
        layout.columns.push_back(column);
    }
    table.CloseFile();
    if (!readFileStamp(layout.path, layout.stamp))
        throw DbaseError(dbase_errors::kFileNotFound,
                         QStringLiteral("dBase File Not Found '%1'").arg(path));
    return layout;
}

RecordRead readRecordList(const TableLayout &layout, std::span<const quint32> records,
                          QByteArray &out)
{
    const qint64 length = layout.recordLength;
    QByteArray bytes(qsizetype(records.size() * length), Qt::Uninitialized);
    TableFile file;
    if (!openUnchanged(layout, file))
        return RecordRead::Changed;
    size_t i = 0;
    while (i < records.size()) {
        // A run of neighbouring records is one read.
        size_t end = i + 1;
        while (end < records.size() && records[end] == records[end - 1] + 1 &&
               qint64(end - i) * length < kPieceBytes)
            ++end;
        if (records[end - 1] >= layout.records)
            return RecordRead::Changed;
        const qint64 want = qint64(end - i) * length;
        const qint64 offset = layout.headerLength + qint64(records[i]) * length;
        if (file.readAt(offset, bytes.data() + qint64(i) * length, want) < want)
            return RecordRead::Changed;
        i = end;
    }
    out = std::move(bytes);
    return RecordRead::Done;
}

RecordRead scanRecords(const TableLayout &layout, qint64 first,
                       const std::function<bool(qint64 recordNo, const char *record)> &visit,
                       const std::atomic<bool> *cancel)
{
    const qint64 length = layout.recordLength;
    const qint64 perPiece = std::max<qint64>(1, kPieceBytes / length);
    QByteArray piece;
    for (qint64 at = first; at < layout.records;) {
        if (cancel && cancel->load())
            return RecordRead::Cancelled;
        const qint64 count = std::min(perPiece, layout.records - at);
        piece.resize(qsizetype(count * length));
        {
            TableFile file; // open for this piece only
            if (!openUnchanged(layout, file))
                return RecordRead::Changed;
            if (file.readAt(layout.headerLength + at * length, piece.data(), count * length) <
                count * length)
                return RecordRead::Changed;
        }
        for (qint64 k = 0; k < count; ++k) {
            if (!visit(at + k, piece.constData() + k * length))
                return RecordRead::Done;
        }
        at += count;
    }
    return RecordRead::Done;
}

QByteArrayView fieldBytes(const TableLayout &layout, const char *record, int column)
{
    const TableColumn &c = layout.columns[size_t(column)];
    return QByteArrayView(record + c.offset, c.length);
}

QString fieldText(const TableLayout &layout, const char *record, int column)
{
    QByteArrayView bytes = fieldBytes(layout, record, column);
    qsizetype end = bytes.size();
    while (end > 0 && bytes[end - 1] == ' ')
        --end;
    qsizetype begin = 0;
    if (layout.columns[size_t(column)].type != 'C') {
        while (begin < end && bytes[begin] == ' ')
            ++begin;
    }
    return ansi::toText(bytes.sliced(begin, end - begin));
}

} // namespace hv
