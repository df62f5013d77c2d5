// Whole tables as arrays: reading, appending, sorting and comparing keys.
#include "tests/dbase/DbaseTestSupport.h"

#include "platform/Ansi.h"
#include "tests/common/TestSupport.h"

#include <QRandomGenerator>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace hv;
using namespace dbtest;

namespace {

const std::vector<FieldSpec> kFields = {{"NAME", 'C', 6}, {"QTY", 'N', 3}, {"CITY", 'C', 5}};
const QString kNothing = QStringLiteral("<nothing>");

TableArray array(const std::vector<std::vector<DbValue>> &rows, int columnLower = 1,
                 int rowLower = 1)
{
    const int columns = rows.empty() ? 0 : int(rows[0].size());
    TableArray a(columns, int(rows.size()), columnLower, rowLower);
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns; ++c)
            a.SetCell(columnLower + c, rowLower + int(r), rows[r][size_t(c)]);
    return a;
}

std::vector<QString> column(const TableArray &a, int c)
{
    std::vector<QString> values;
    for (int r = a.RowLower(); r <= a.RowUpper(); ++r)
        values.push_back(a.Cell(c, r).value_or(kNothing));
    return values;
}

} // namespace

TEST(DbaseGetTableValues, ReturnsTheUndeletedRecordsInOrder)
{
    Scratch s;
    std::vector<QByteArray> records;
    for (int i = 1; i <= 5; ++i)
        records.push_back(record(kFields, i == 2 || i == 4,
                                 {"N" + QByteArray::number(i), "9", "C" + QByteArray::number(i)}));
    dBase table;
    table.OpenFile(s.write("t.dbf", craftTable(kFields, records)));
    const TableArray rows = table.GetTableValues();
    ASSERT_TRUE(rows.IsArray());
    EXPECT_EQ(rows.ColumnLower(), 1);
    EXPECT_EQ(rows.RowLower(), 1);
    EXPECT_EQ(rows.ColumnCount(), 3);
    EXPECT_EQ(rowsOf(rows), (std::vector<std::vector<QString>>{{"N1    ", kNothing, "C1   "},
                                                               {"N3    ", kNothing, "C3   "},
                                                               {"N5    ", kNothing, "C5   "}}));
    // Afterwards the buffer holds the last record, deleted or not.
    EXPECT_EQ(table.RecordNo(), 5);
    EXPECT_EQ(table.RecordBuffer(), records[4]);
}

TEST(DbaseGetTableValues, EmptyAllDeletedAndClosedTablesGiveNothing)
{
    Scratch s;
    dBase table;
    EXPECT_FALSE(table.GetTableValues().IsArray());
    table.OpenFile(s.write("empty.dbf", craftTable(kFields, {})));
    EXPECT_FALSE(table.GetTableValues().IsArray());
    table.OpenFile(s.write("gone.dbf", craftTable(kFields, {record(kFields, true, {"A"}),
                                                            record(kFields, true, {"B"})})));
    EXPECT_FALSE(table.GetTableValues().IsArray());
    EXPECT_EQ(table.RecordNo(), 2);
}

TEST(DbaseGetTableValues, FieldsWithoutBytesCostNothingPerRow)
{
    // 263 fields of length 0 (and one of another type) in one-byte records: the array holds
    // far less than 8 bytes per record, yet every cell reads and sorts as before.
    std::vector<FieldSpec> fields(263, FieldSpec{"E", 'C', 0});
    fields[5].type = 'N';
    const int rows = 1 << 12;
    Scratch s;
    dBase table;
    table.OpenFile(s.write("zero.dbf", craftTable(fields, std::vector<QByteArray>(rows, " "))));
    TableArray values = table.GetTableValues();
    ASSERT_EQ(values.RowCount(), rows);
    EXPECT_LT(values.MemoryBytes(), 8 * rows);
    EXPECT_EQ(values.Cell(263, rows), QString());
    EXPECT_FALSE(values.Cell(6, 1).has_value());
    values.SetCell(1, 2, QStringLiteral("B"));
    dBase::SortTableValues(values, 1, 0);
    EXPECT_EQ(values.Cell(1, rows), QStringLiteral("B"));
    EXPECT_EQ(values.Cell(2, rows), QString());
}

TEST(DbaseGetTableValues, NarrowFieldsCostTheirBytesAndStillSortAndChange)
{
    // Forty one-byte fields: a reference per cell would cost eight times the file.
    std::vector<FieldSpec> fields(40, FieldSpec{"F", 'C', 1});
    fields.push_back({"N", 'N', 2});
    const int rows = 1 << 12;
    std::vector<QByteArray> records;
    for (int i = 0; i < rows; ++i) {
        QByteArray r(" ");
        for (int c = 0; c < 40; ++c)
            r.append(char('A' + (i * 7 + c) % 26));
        records.push_back(r + "12");
    }
    Scratch s;
    dBase table;
    const QString file = s.write("narrow.dbf", craftTable(fields, records));
    table.OpenFile(file);
    TableArray values = table.GetTableValues();
    ASSERT_EQ(values.RowCount(), rows);
    EXPECT_LT(values.MemoryBytes(), 2 * hvtest::readFile(file).size());

    // Rows trade places whole when sorted, and a change afterwards keeps every other cell.
    dBase::SortTableValues(values, 2, 1);
    auto expected = [&](int row, int column) {
        const QChar second = values.Cell(2, row)->at(0);
        return QString(QChar('A' + (second.unicode() - 'A' + 25 + column - 1) % 26));
    };
    for (int r = 1; r <= rows; ++r) {
        if (r > 1) {
            EXPECT_GE(*values.Cell(2, r - 1), *values.Cell(2, r));
        }
        EXPECT_EQ(values.Cell(40, r), expected(r, 40));
    }
    values.SetCell(3, 1, QStringLiteral("long text"));
    EXPECT_EQ(values.Cell(3, 1), QStringLiteral("long text"));
    for (int r = 1; r <= rows; ++r) {
        EXPECT_EQ(values.Cell(1, r), expected(r, 1));
        EXPECT_FALSE(values.Cell(41, r).has_value());
    }
}

TEST(DbaseGetTableValues, BlockReadingMatchesRecordByRecordReading)
{
    // About 5 MB of records, more than two read blocks, with deletions scattered unevenly.
    Scratch s;
    const std::vector<FieldSpec> fields = {{"A", 'C', 37}, {"N", 'N', 4}, {"B", 'C', 58}};
    std::vector<QByteArray> records;
    QRandomGenerator random(7);
    for (int i = 1; i <= 50003; ++i) {
        QByteArray a = "rec" + QByteArray::number(i);
        a.append(char(0x80 + i % 128));
        const bool deleted = random.bounded(7) == 0 || i % 9973 == 0;
        records.push_back(record(fields, deleted, {a, "1", QByteArray::number(i * 31)}));
    }
    const QString file = s.write("big.dbf", craftTable(fields, records));

    dBase table;
    table.OpenFile(file);
    const TableArray rows = table.GetTableValues();
    const QByteArray lastBuffer = table.RecordBuffer();
    const int lastNo = table.RecordNo();

    std::vector<std::vector<QString>> expected;
    dBase single;
    single.OpenFile(file);
    const int count = single.RecordCount();
    for (int r = 1; r <= count; ++r) {
        single.GetRecord(r);
        if (single.Deleted())
            continue;
        std::vector<QString> row;
        for (int c = 1; c <= 3; ++c)
            row.push_back(single.Value(c).value_or(kNothing));
        expected.push_back(row);
    }
    EXPECT_LT(expected.size(), size_t(count));
    EXPECT_EQ(rowsOf(rows), expected);
    EXPECT_EQ(lastNo, single.RecordNo());
    EXPECT_EQ(lastBuffer, single.RecordBuffer());
    // The array holds the character bytes and one reference per cell, not a text per cell.
    EXPECT_LE(rows.MemoryBytes(), 2 * hvtest::readFile(file).size());
}

TEST(DbasePutTableValues, AppendsConsecutiveRecordsAndUpdatesTheHeaderOnce)
{
    Scratch s;
    const QString file = s.write("t.dbf", craftTable(kFields, {record(kFields, false, {"OLD"})}));
    dBase table;
    table.SetClock([] { return QDate(2030, 1, 2); });
    table.SetOpenMode(2);
    table.OpenFile(file);
    // Any lower bounds: columns 0..2, rows 5..7.
    const TableArray values = array({{"ann", "12", "Rome"},
                                     {std::nullopt, "1", "Oslo-and-more"},
                                     {"carl-and-more", std::nullopt, QStringLiteral("Zürich")}},
                                    0, 5);
    table.PutTableValues(values);
    EXPECT_EQ(table.RecordNo(), 4);
    EXPECT_EQ(table.RecordCount(), 4);
    table.CloseFile();

    const QByteArray bytes = hvtest::readFile(file);
    EXPECT_EQ(bytes.mid(1, 7), QByteArray::fromHex("82010204000000"));
    const int recordStart = 32 * 3 + 33 + 15;
    EXPECT_EQ(bytes.mid(recordStart, 45), QByteArray(" ann      Rome ") +
                                              QByteArray("          Oslo-") +
                                              QByteArray(" carl-a   Z\xfcric"));
    ASSERT_EQ(bytes.size(), recordStart + 45 + 1);
    EXPECT_EQ(bytes.back(), '\x1A');
}

TEST(DbasePutTableValues, ChecksTheShapeAndIgnoresEmptyInput)
{
    Scratch s;
    const QString file = s.write("t.dbf", craftTable({{"A", 'C', 2}, {"B", 'C', 2}}, {}));
    const QByteArray before = hvtest::readFile(file);
    dBase table;
    table.SetOpenMode(2);
    table.OpenFile(file);
    EXPECT_EQ(errorOf([&] {
                  table.PutTableValues(array({{"a", "b", "c"}}));
              }),
              dbase_errors::kArrayDoesNotMatch);
    table.PutTableValues(TableArray(3, 0));
    table.PutTableValues(TableArray(2, 0));
    table.PutTableValues(TableArray());
    EXPECT_EQ(table.RecordCount(), 0);
    table.CloseFile();
    EXPECT_EQ(hvtest::readFile(file).left(before.size()), before);

    table.OpenFile(file); // read-only
    EXPECT_EQ(errorOf([&] { table.PutTableValues(array({{"a", "b"}})); }), dbase_errors::kReadOnly);
}

TEST(DbasePutTableValues, ManyRowsSpanSeveralWriteBlocks)
{
    Scratch s;
    const QString file =
        createTable(s, QStringLiteral("many.dbf"), {{"K", 'C', 8}, {"V", 'C', 40}});
    TableArray values(2, 30000);
    for (int r = 1; r <= 30000; ++r) {
        values.SetCell(1, r, QString::number(r));
        values.SetCell(2, r, QStringLiteral("value %1").arg(r * 7));
    }
    dBase table;
    table.SetOpenMode(2);
    table.OpenFile(file);
    table.PutTableValues(values);
    table.PutTableValues(array({{"last", "x"}}));
    table.CloseFile();
    table.OpenFile(file);
    EXPECT_EQ(table.RecordCount(), 30001);
    const TableArray back = table.GetTableValues();
    ASSERT_EQ(back.RowCount(), 30001);
    for (int r : {1, 4321, 17000, 30000})
        EXPECT_EQ(back.Cell(2, r), QStringLiteral("value %1").arg(r * 7).leftJustified(40)) << r;
    EXPECT_EQ(back.Cell(1, 30001), QStringLiteral("last    "));
}

TEST(DbaseSortTableValues, SortsRowsByOneColumnMovingWholeRows)
{
    TableArray a = array({{"b", "2"}, {"A", "1"}, {"c", "3"}});
    TableArray &sorted = dBase::SortTableValues(a, 1, 0);
    EXPECT_EQ(&sorted, &a);
    EXPECT_EQ(column(a, 1), (std::vector<QString>{"A", "b", "c"}));
    EXPECT_EQ(column(a, 2), (std::vector<QString>{"1", "2", "3"}));

    TableArray numbers = array({{"9"}, {"10"}, {std::nullopt}, {"1"}});
    dBase::SortTableValues(numbers, 1, 0);
    EXPECT_EQ(column(numbers, 1), (std::vector<QString>{kNothing, "1", "10", "9"}));
}

TEST(DbaseSortTableValues, DescendingSortsByInvertedKeys)
{
    TableArray a = array({{"b"}, {"ab"}, {"c"}, {"a"}, {QStringLiteral("é")}});
    dBase::SortTableValues(a, 1, 1);
    // Inverted keys: a prefix still sorts first ("a" before "ab").
    EXPECT_EQ(column(a, 1), (std::vector<QString>{QStringLiteral("é"), "c", "b", "a", "ab"}));
    // Letter case is ignored both ways, also for letters whose inverted codes would fall
    // among Windows-1252's extra characters.
    TableArray mixed = array({{"b"}, {"C"}, {QStringLiteral("Á")}, {"B"}, {QStringLiteral("á")}});
    dBase::SortTableValues(mixed, 1, 1);
    EXPECT_EQ(column(mixed, 1)[0].toLower(), QStringLiteral("á"));
    EXPECT_EQ(column(mixed, 1)[1].toLower(), QStringLiteral("á"));
    EXPECT_EQ(column(mixed, 1)[2], "C");
    EXPECT_EQ(column(mixed, 1)[3].toLower(), "b");
    EXPECT_EQ(column(mixed, 1)[4].toLower(), "b");
    TableArray b = array({{"x"}, {"y"}});
    dBase::SortTableValues(b, 1, -3);
    EXPECT_EQ(column(b, 1), (std::vector<QString>{"y", "x"}));
}

TEST(DbaseSortTableValues, LargeArraysEndInOrder)
{
    TableArray a(2, 5000);
    QRandomGenerator random(11);
    for (int r = 1; r <= 5000; ++r) {
        QString key;
        for (int i = 0, n = int(random.bounded(6)); i < n; ++i)
            key.append(QChar(ansi::toChar(uchar(random.bounded(32, 256)))));
        a.SetCell(1, r, key);
        a.SetCell(2, r, QString::number(r));
    }
    dBase::SortTableValues(a, 1, 0);
    for (int r = 1; r < 5000; ++r)
        ASSERT_LE(dBase::CompareKeys(a.Cell(1, r), a.Cell(1, r + 1), 0), 0) << r;
    dBase::SortTableValues(a, 1, 1);
    for (int r = 1; r < 5000; ++r) {
        const QString x = a.Cell(1, r).value_or(QString());
        const QString y = a.Cell(1, r + 1).value_or(QString());
        ASSERT_LE(dBase::CompareKeys(x, y, 1), 0) << r;
        // Descending, except that a prefix comes before the keys it begins.
        if (!y.startsWith(x, Qt::CaseInsensitive)) {
            ASSERT_GE(QString::compare(x, y, Qt::CaseInsensitive), 0) << r;
        }
    }
}

TEST(DbaseSortTableValues, ReportsBadArraysInOrder)
{
    using namespace dbase_errors;
    TableArray notArray;
    EXPECT_EQ(errorOf([&] { dBase::SortTableValues(notArray, 1, 0); }), kArrayNoColumns);
    TableArray noColumns(0, 3);
    EXPECT_EQ(errorOf([&] { dBase::SortTableValues(noColumns, 1, 0); }), kArrayNoColumns);
    TableArray noRows(2, 0, 0, 0);
    EXPECT_EQ(errorOf([&] { dBase::SortTableValues(noRows, 1, 0); }), kArrayNoRows);
    TableArray columnsBase0(2, 2, 0, 0);
    EXPECT_EQ(errorOf([&] { dBase::SortTableValues(columnsBase0, 1, 0); }), kColumnsNotBase1);
    TableArray rowsBase0(2, 2, 1, 0);
    EXPECT_EQ(errorOf([&] { dBase::SortTableValues(rowsBase0, 1, 0); }), kRowsNotBase1);
    TableArray ok = array({{"a", "b"}});
    EXPECT_EQ(errorOf([&] { dBase::SortTableValues(ok, 3, 0); }), kInvalidSortColumn);
    EXPECT_EQ(errorOf([&] { dBase::SortTableValues(ok, 0, 0); }), kInvalidSortColumn);
    try {
        dBase::SortTableValues(ok, 3, 0);
    } catch (const DbaseError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("0x80040208 - Invalid Sort Column"));
    }
}

TEST(DbaseCompareKeys, ArrayComparisonAgreesWithKeyComparisonForEveryBytePair)
{
    TableArray a(1, 2);
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 256; ++y) {
            const QString kx = QString(QChar(ansi::toChar(uchar(x)))) + u'm';
            const QString ky = QString(QChar(ansi::toChar(uchar(y))));
            a.SetCell(1, 1, kx);
            a.SetCell(1, 2, ky);
            for (int order : {0, 1})
                ASSERT_EQ(a.CompareCells(1, 1, 2, order), dBase::CompareKeys(kx, ky, order))
                    << x << " " << y << " " << order;
        }
    }
    EXPECT_EQ(dBase::CompareKeys(QStringLiteral("abc"), QStringLiteral("ABC"), 0), 0);
    EXPECT_EQ(dBase::CompareKeys(std::nullopt, QString(), 0), 0);
    EXPECT_EQ(dBase::CompareKeys(QStringLiteral("a"), QStringLiteral("ab"), 0), -1);
    EXPECT_EQ(dBase::CompareKeys(QStringLiteral("a"), QStringLiteral("ab"), 1), -1);
    EXPECT_EQ(dBase::CompareKeys(QStringLiteral("a"), QStringLiteral("b"), 1), 1);
}

TEST(DbaseTableArray, KeepsTextOutsideTheCodePageAndBoundsIndexes)
{
    TableArray a(2, 2, -1, 3);
    EXPECT_EQ(a.ColumnUpper(), 0);
    EXPECT_EQ(a.RowUpper(), 4);
    EXPECT_TRUE(a.IsNothing(-1, 3));
    const QString greek = QStringLiteral("Ωmega €");
    a.SetCell(0, 4, greek);
    EXPECT_EQ(a.Cell(0, 4), greek);
    EXPECT_EQ(a.CellBytes(0, 4), QByteArray("?mega \x80"));
    a.SetCell(-1, 4, QString());
    EXPECT_EQ(a.Cell(-1, 4), QString());
    a.SwapRows(3, 4);
    EXPECT_EQ(a.Cell(0, 3), greek);
    EXPECT_TRUE(a.IsNothing(0, 4));
    EXPECT_THROW(a.Cell(1, 3), std::out_of_range);
    EXPECT_THROW(a.Cell(0, 5), std::out_of_range);
    EXPECT_THROW(TableArray().Cell(1, 1), std::out_of_range);

    // Rewriting one cell many times does not let the pool grow without bound.
    TableArray b(1, 1);
    const QString big(4096, u'x');
    for (int i = 0; i < 2000; ++i)
        b.SetCell(1, 1, big);
    EXPECT_LT(b.MemoryBytes(), 8 << 20);
    EXPECT_EQ(b.Cell(1, 1), big);
}
