// Field values, the deletion flag and moving records between the buffer and the file.
#include "tests/dbase/DbaseTestSupport.h"

#include "platform/Ansi.h"
#include "tests/common/TestSupport.h"

#include <QtEndian>

#include <gtest/gtest.h>

using namespace hv;
using namespace dbtest;

namespace {

const std::vector<FieldSpec> kNameQty = {{"NAME", 'C', 10}, {"QTY", 'N', 5}};

QString fourRecordTable(const Scratch &s)
{
    std::vector<QByteArray> records;
    for (const char *name : {"SMITH", "JONES", "BROWN", "GREEN"})
        records.push_back(record(kNameQty, false, {name, "7"}));
    return s.write("t.dbf", craftTable(kNameQty, records));
}

} // namespace

TEST(DbaseValue, CharacterFieldsCarryTextOtherTypesNothing)
{
    Scratch s;
    dBase table;
    table.SetOpenMode(2);
    table.OpenFile(fourRecordTable(s));
    table.GetRecord(1);
    EXPECT_EQ(table.Value(1), QStringLiteral("SMITH     "));
    EXPECT_EQ(table.Value(2), std::nullopt);

    const QByteArray before = table.RecordBuffer();
    table.SetValue(2, QStringLiteral("7"));
    EXPECT_EQ(table.RecordBuffer(), before);

    table.SetValue(1, QStringLiteral("ABCDEFGHIJKL"));
    EXPECT_EQ(table.Value(1), QStringLiteral("ABCDEFGHIJ"));
    table.SetValue(1, QStringLiteral("X"));
    EXPECT_EQ(table.Value(1), QStringLiteral("X         "));
    table.SetValue(1, std::nullopt);
    EXPECT_EQ(table.Value(1), QString(10, u' '));
    EXPECT_EQ(table.RecordBuffer().mid(11), before.mid(11)); // QTY untouched

    EXPECT_EQ(errorOf([&] { table.Value(3); }), dbase_errors::kInvalidFieldNumber);
    EXPECT_EQ(errorOf([&] { table.SetValue(0, QString()); }), dbase_errors::kInvalidFieldNumber);
}

TEST(DbaseValue, AClosedTableGivesTheEmptyText)
{
    dBase table;
    const DbValue value = table.Value(1);
    ASSERT_TRUE(value.has_value());
    EXPECT_TRUE(value->isEmpty());
    EXPECT_FALSE(table.Deleted());
    table.SetDeleted(true);
    EXPECT_FALSE(table.Deleted());
}

TEST(DbaseValue, EveryHighByteSurvivesWritingAndReading)
{
    Scratch s;
    const QString file = createTable(s, QStringLiteral("hi.dbf"), {{"TEXT", 'C', 128}});
    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high.append(char(b));
    {
        dBase table;
        table.SetOpenMode(2);
        table.OpenFile(file);
        table.InitRecord();
        table.SetValue(1, ansi::toText(high));
        table.PutRecord(0);
        table.CloseFile();
    }
    const QByteArray bytes = hvtest::readFile(file);
    EXPECT_EQ(bytes.mid(32 + 33 + 1, 128), high);

    dBase table;
    table.OpenFile(file);
    table.GetRecord(1);
    EXPECT_EQ(table.Value(1), ansi::toText(high));
    EXPECT_EQ(table.RecordBuffer().mid(1), high);
    const TableArray rows = table.GetTableValues();
    ASSERT_TRUE(rows.IsArray());
    EXPECT_EQ(rows.CellBytes(1, 1), high);
    EXPECT_EQ(rows.Cell(1, 1), ansi::toText(high));
}

TEST(DbaseDeleted, FlagFollowsTheFirstByteOnlyWhileATableIsOpen)
{
    Scratch s;
    dBase table;
    table.OpenFile(fourRecordTable(s));
    table.GetRecord(2);
    EXPECT_FALSE(table.Deleted());
    table.SetDeleted(true);
    EXPECT_TRUE(table.Deleted());
    EXPECT_EQ(table.RecordBuffer()[0], '*');
    table.SetDeleted(false);
    EXPECT_EQ(table.RecordBuffer()[0], ' ');
}

TEST(DbaseGetRecord, OutOfRangeNumbersGiveABlankRecord)
{
    Scratch s;
    dBase table;
    table.OpenFile(fourRecordTable(s));
    table.GetRecord(3);
    EXPECT_EQ(table.RecordNo(), 3);
    EXPECT_EQ(table.Value(1), QStringLiteral("BROWN     "));
    for (int n : {0, 5, -1}) {
        table.GetRecord(3);
        table.GetRecord(n);
        EXPECT_EQ(table.RecordNo(), 0) << n;
        EXPECT_FALSE(table.Deleted());
        EXPECT_EQ(table.RecordBuffer(), QByteArray(16, ' '));
    }
}

TEST(DbaseGetRecord, UsesTheCountAsLastReadNotTheFile)
{
    Scratch s;
    const QString file = fourRecordTable(s);
    dBase table;
    table.OpenFile(file);
    dBase writer;
    writer.SetOpenMode(2);
    writer.OpenFile(file);
    writer.InitRecord();
    writer.SetValue(1, QStringLiteral("FIFTH"));
    writer.PutRecord(0);
    table.GetRecord(5);
    EXPECT_EQ(table.RecordNo(), 0); // the header copy still says 4
    EXPECT_EQ(table.RecordCount(), 5);
    table.GetRecord(5);
    EXPECT_EQ(table.Value(1), QStringLiteral("FIFTH     "));
}

TEST(DbasePutRecord, AppendsOrOverwritesAndDatesOnlyAppends)
{
    Scratch s;
    const QString file = fourRecordTable(s);
    dBase table;
    table.SetClock([] { return QDate(2027, 3, 9); });
    table.SetOpenMode(2);
    table.OpenFile(file);

    table.GetRecord(2);
    table.SetValue(1, QStringLiteral("CHANGED"));
    table.PutRecord(2);
    EXPECT_EQ(table.RecordNo(), 2);
    QByteArray bytes = hvtest::readFile(file);
    EXPECT_EQ(bytes.mid(1, 3), QByteArray("\x7e\x0c\x07")); // date as crafted
    EXPECT_EQ(bytes.mid(97 + 16 + 1, 10), QByteArray("CHANGED   "));

    table.InitRecord();
    table.SetValue(1, QStringLiteral("NEW"));
    table.PutRecord(0);
    EXPECT_EQ(table.RecordNo(), 5);
    bytes = hvtest::readFile(file);
    EXPECT_EQ(bytes.mid(1, 3), QByteArray("\x7f\x03\x09"));
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 4), 5);
    EXPECT_EQ(bytes.mid(97 + 4 * 16, 16), QByteArray(" NEW       ") + QByteArray(5, ' '));

    table.PutRecord(77); // out of range appends
    EXPECT_EQ(table.RecordNo(), 6);
    table.CloseFile();
    bytes = hvtest::readFile(file);
    ASSERT_EQ(bytes.size(), 97 + 6 * 16 + 1);
    EXPECT_EQ(bytes.back(), '\x1A');
}

TEST(DbasePutRecord, ReadOnlyTablesAndClosedObjectsWriteNothing)
{
    Scratch s;
    const QString file = fourRecordTable(s);
    const QByteArray before = hvtest::readFile(file);
    dBase table;
    table.PutRecord(0);
    EXPECT_EQ(table.RecordNo(), 0);
    table.OpenFile(file);
    table.GetRecord(1);
    EXPECT_EQ(table.RecordNo(), 1);
    EXPECT_EQ(errorOf([&] { table.PutRecord(1); }), dbase_errors::kReadOnly);
    EXPECT_EQ(table.RecordNo(), 0);
    table.CloseFile();
    EXPECT_EQ(hvtest::readFile(file), before);
}

TEST(DbasePutRecord, WritesExactlyOneRecordWhateverTheBufferLength)
{
    // The header's record length (20) exceeds the fields (16): the buffer after OpenFile is
    // 16 bytes, and a record written from it must still fill 20 bytes and no more.
    Scratch s;
    HeaderSpec h;
    h.recordLength = 20;
    QByteArray first = record(kNameQty, false, {"ONE", "1"}) + "pppp";
    QByteArray second = record(kNameQty, false, {"TWO", "2"}) + "qqqq";
    const QString file = s.write("t.dbf", craftTable(kNameQty, {first, second}, h));
    dBase table;
    table.SetOpenMode(2);
    table.OpenFile(file);
    EXPECT_EQ(table.RecordBuffer().size(), 16);
    table.SetValue(1, QStringLiteral("NEW"));
    table.PutRecord(1);
    const QByteArray bytes = hvtest::readFile(file);
    EXPECT_EQ(bytes.mid(97, 20), QByteArray(" NEW") + QByteArray(16, ' '));
    EXPECT_EQ(bytes.mid(117, 20), second);
}

TEST(DbaseInitRecord, MakesABlankUndeletedRecordOfTheHeaderLength)
{
    Scratch s;
    HeaderSpec h;
    h.recordLength = 18;
    dBase table;
    table.OpenFile(s.write("t.dbf", craftTable(kNameQty, {QByteArray("*ABCDEFGHIJKLMNOPQ")}, h)));
    table.GetRecord(1);
    EXPECT_TRUE(table.Deleted());
    const int before = table.RecordNo();
    table.InitRecord();
    EXPECT_EQ(table.RecordBuffer(), QByteArray(18, ' '));
    EXPECT_FALSE(table.Deleted());
    EXPECT_EQ(table.RecordNo(), before);
}
