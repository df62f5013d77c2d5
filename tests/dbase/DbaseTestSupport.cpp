#include "tests/dbase/DbaseTestSupport.h"

#include "tests/common/TestSupport.h"

#include <QtEndian>

namespace dbtest {

QByteArray record(const std::vector<FieldSpec> &fields, bool deleted,
                  const std::vector<QByteArray> &values)
{
    QByteArray bytes(1, deleted ? '*' : ' ');
    for (size_t i = 0; i < fields.size(); ++i) {
        const QByteArray value = i < values.size() ? values[i] : QByteArray();
        bytes += value.left(fields[i].length).leftJustified(fields[i].length, ' ');
    }
    return bytes;
}

QByteArray craftTable(const std::vector<FieldSpec> &fields, const std::vector<QByteArray> &records,
                      const HeaderSpec &header)
{
    int recordLength = 1;
    for (const FieldSpec &f : fields)
        recordLength += f.length;
    const int headerLength =
        header.headerLength.value_or(int(32 * fields.size() + 33) + header.padding);
    QByteArray bytes(32, '\0');
    bytes[0] = char(header.version);
    bytes[1] = char(126);
    bytes[2] = char(header.month);
    bytes[3] = char(7);
    qToLittleEndian<qint32>(header.recordCount.value_or(int32_t(records.size())), bytes.data() + 4);
    qToLittleEndian<quint16>(quint16(headerLength), bytes.data() + 8);
    qToLittleEndian<quint16>(quint16(header.recordLength.value_or(recordLength)),
                             bytes.data() + 10);
    bytes[29] = 2;
    int position = 2;
    for (const FieldSpec &f : fields) {
        QByteArray d(32, '\0');
        d.replace(0, qMin<qsizetype>(f.name.size(), 11), f.name.left(11));
        d[11] = f.type;
        qToLittleEndian<qint32>(position, d.data() + 12);
        d[16] = char(f.length);
        d[18] = 2;
        bytes += d;
        position += f.length;
    }
    bytes += '\r';
    bytes += QByteArray(header.padding, '\0');
    for (const QByteArray &r : records)
        bytes += r;
    if (header.endMarker)
        bytes += '\x1A';
    return bytes;
}

QString Scratch::write(const QString &name, const QByteArray &bytes) const
{
    const QString file = path(name);
    hvtest::writeFile(file, bytes);
    return file;
}

QString createTable(const Scratch &scratch, const QString &name,
                    const std::vector<FieldSpec> &fields)
{
    const QString file = scratch.path(name);
    hv::dBase table;
    for (const FieldSpec &f : fields)
        table.Fields().Add(QString::fromLatin1(f.name), QString(QLatin1Char(f.type)), f.length, 0,
                           0);
    table.SetOpenMode(1);
    table.OpenFile(file);
    table.CloseFile();
    return file;
}

std::vector<std::vector<QString>> rowsOf(const hv::TableArray &array)
{
    std::vector<std::vector<QString>> rows;
    if (!array.IsArray())
        return rows;
    for (int r = array.RowLower(); r <= array.RowUpper(); ++r) {
        std::vector<QString> row;
        for (int c = array.ColumnLower(); c <= array.ColumnUpper(); ++c)
            row.push_back(array.Cell(c, r).value_or(QStringLiteral("<nothing>")));
        rows.push_back(row);
    }
    return rows;
}

} // namespace dbtest
