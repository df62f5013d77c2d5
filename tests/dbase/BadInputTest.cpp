// Damaged and hostile table files: clear errors, no reads past the data, bounded memory.
#include "tests/dbase/DbaseTestSupport.h"

#include "tests/common/TestSupport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace hv;
using namespace dbtest;

namespace {

const std::vector<FieldSpec> kFields = {{"NAME", 'C', 10}, {"CITY", 'C', 12}, {"QTY", 'N', 5}};

QString fixture(const char *name)
{
    return QStringLiteral(HV_FIXTURES_DIR "/") + QLatin1String(name);
}

std::vector<QByteArray> records(int count)
{
    std::vector<QByteArray> out;
    for (int i = 1; i <= count; ++i)
        out.push_back(record(kFields, false, {"R" + QByteArray::number(i), "C", "1"}));
    return out;
}

} // namespace

TEST(DbaseBadInput, TheFixtureTablesReadAsTheirBytesSay)
{
    dBase table;
    table.OpenFile(fixture("valid.dbf"));
    EXPECT_EQ(table.RecordCount(), 5);
    EXPECT_EQ(rowsOf(table.GetTableValues()),
              (std::vector<std::vector<QString>>{
                  {"SMITH     ", QStringLiteral("Köln        "), "<nothing>"},
                  {QStringLiteral("Müller    "), QStringLiteral("€ Zone      "), "<nothing>"},
                  {QStringLiteral("Zoë       "), QStringLiteral("São Paulo   "), "<nothing>"}}));
    table.OpenFile(fixture("padded_header.dbf"));
    EXPECT_EQ(table.Fields().Count(), 3);
    EXPECT_EQ(table.GetTableValues().RowCount(), 2);
}

TEST(DbaseBadInput, TruncatedHeadersAreInvalidTables)
{
    for (const char *name : {"truncated_header.dbf", "truncated_descriptors.dbf"}) {
        dBase table;
        EXPECT_EQ(errorOf([&] { table.OpenFile(fixture(name)); }), dbase_errors::kInvalidFileType)
            << name;
        EXPECT_FALSE(table.FileExists());
    }
    Scratch s;
    const QByteArray whole = craftTable(kFields, records(1));
    for (int size : {0, 1, 12, 31, 32, 33, 32 + 31, 32 + 2 * 32 + 10}) {
        dBase table;
        EXPECT_EQ(errorOf([&] { table.OpenFile(s.write("cut.dbf", whole.left(size))); }),
                  dbase_errors::kInvalidFileType)
            << size;
    }
    // All descriptors present, terminator and records missing: a table without records.
    dBase table;
    table.OpenFile(s.write("noterm.dbf", whole.left(32 + 3 * 32)));
    EXPECT_EQ(table.Fields().Count(), 3);
    EXPECT_FALSE(table.GetTableValues().IsArray());
}

TEST(DbaseBadInput, OnlyRecordsWhollyInsideTheFileExist)
{
    dBase table;
    table.OpenFile(fixture("truncated_records.dbf"));
    EXPECT_EQ(table.RecordCount(), 5);
    // Records 1 to 3 are whole (2 is deleted); 4 is cut short and 5 is missing.
    const TableArray rows = table.GetTableValues();
    ASSERT_EQ(rows.RowCount(), 2);
    EXPECT_EQ(rows.Cell(1, 2), QStringLiteral("Müller    "));
    EXPECT_EQ(table.RecordNo(), 3);
    table.GetRecord(4);
    EXPECT_EQ(table.RecordNo(), 0);
    EXPECT_EQ(table.RecordBuffer(), QByteArray(28, ' '));
    table.GetRecord(3);
    EXPECT_EQ(table.RecordNo(), 3);
}

TEST(DbaseBadInput, AHugeOrNegativeCountInASmallFileReadsWhatIsThere)
{
    dBase table;
    table.OpenFile(fixture("huge_count.dbf"));
    EXPECT_EQ(table.RecordCount(), 2147483647);
    QElapsedTimer timer;
    timer.start();
    const TableArray rows = table.GetTableValues();
    EXPECT_LT(timer.elapsed(), 2000);
    ASSERT_EQ(rows.RowCount(), 1); // record 2 is deleted
    EXPECT_LT(rows.MemoryBytes(), 4096);
    EXPECT_EQ(table.RecordNo(), 2);
    table.GetRecord(2147483647);
    EXPECT_EQ(table.RecordNo(), 0);

    Scratch s;
    HeaderSpec negative;
    negative.recordCount = -3;
    table.OpenFile(s.write("neg.dbf", craftTable(kFields, records(2), negative)));
    EXPECT_EQ(table.RecordCount(), -3);
    EXPECT_FALSE(table.GetTableValues().IsArray());
    table.GetRecord(1);
    EXPECT_EQ(table.RecordNo(), 0);
}

TEST(DbaseBadInput, OffsetsDoNotWrapAt32Bits)
{
    // Record 262145 of 16384-byte records starts 2^32 bytes after record 1; a 32-bit offset
    // would wrap to record 1.
    Scratch s;
    const std::vector<FieldSpec> wide = {{"A", 'C', 255}};
    HeaderSpec h;
    h.recordCount = 300000;
    h.recordLength = 16384;
    QByteArray first = record(wide, false, {"FIRST"});
    first += QByteArray(16384 - first.size(), ' ');
    dBase table;
    table.OpenFile(s.write("wrap.dbf", craftTable(wide, {first}, h)));
    table.GetRecord(262145);
    EXPECT_EQ(table.RecordNo(), 0);
    table.GetRecord(1);
    EXPECT_EQ(table.Value(1)->left(5), QStringLiteral("FIRST"));
    EXPECT_EQ(table.GetTableValues().RowCount(), 1);
}

TEST(DbaseBadInput, RecordLengthsTooSmallForTheFields)
{
    Scratch s;
    for (int recordLength : {0, -2, 1, 7, 15}) {
        HeaderSpec h;
        h.recordLength = recordLength;
        std::vector<QByteArray> data = {QByteArray(" ABCDEFGHIJKLMNOPQRSTUVWXYZ0")};
        dBase table;
        table.SetOpenMode(2);
        table.OpenFile(s.write("short.dbf", craftTable(kFields, data, h)));
        const TableArray rows = table.GetTableValues();
        table.GetRecord(1);
        if (recordLength < 1) {
            EXPECT_FALSE(rows.IsArray()) << recordLength;
            EXPECT_EQ(table.RecordNo(), 0);
            EXPECT_EQ(table.Value(1), QString()) << recordLength;
            EXPECT_EQ(errorOf([&] { table.PutRecord(0); }), dbase_errors::kInvalidFileType);
            continue;
        }
        ASSERT_TRUE(rows.IsArray()) << recordLength;
        const QString expected = QStringLiteral(" ABCDEFGHIJKLMN").left(recordLength).mid(1);
        EXPECT_EQ(table.Value(1), expected.left(10)) << recordLength;
        EXPECT_EQ(rows.Cell(1, 1), expected.left(10));
        EXPECT_EQ(table.Value(2), expected.mid(10)) << recordLength;
        EXPECT_EQ(rows.Cell(2, 1), expected.mid(10));
        table.SetValue(2, QStringLiteral("zzzzzzzzzzzzzzzz"));
        EXPECT_EQ(table.RecordBuffer().size(), recordLength);
    }
}

TEST(DbaseBadInput, AHeaderLengthPastTheEndOfTheFileMeansNoRecords)
{
    Scratch s;
    // 32 * 3 + 33 + 31 still means three descriptors; the file ends after the terminator.
    HeaderSpec h;
    h.headerLength = 32 * 3 + 33 + 31;
    h.recordCount = 3;
    h.endMarker = false;
    dBase table;
    table.OpenFile(s.write("long.dbf", craftTable(kFields, {}, h)));
    EXPECT_EQ(table.Fields().Count(), 3);
    EXPECT_FALSE(table.GetTableValues().IsArray());
    table.GetRecord(1);
    EXPECT_EQ(table.RecordNo(), 0);
}

TEST(DbaseBadInput, WritesToADamagedTableAreRefused)
{
    // The header promises 1000 records; the file holds 2 and a fragment. It reads as far as
    // it goes but is written to not at all.
    Scratch s;
    HeaderSpec h;
    h.recordCount = 1000;
    h.endMarker = false;
    const QByteArray bytes = craftTable(kFields, records(2), h) + "frag";
    const QString file = s.write("damaged.dbf", bytes);
    dBase table;
    table.SetOpenMode(2);
    table.OpenFile(file);
    EXPECT_EQ(table.GetTableValues().RowCount(), 2);
    for (int recordNo : {0, 1, 500})
        EXPECT_EQ(errorOf([&] { table.PutRecord(recordNo); }), dbase_errors::kInvalidFileType);
    EXPECT_EQ(errorOf([&] { table.PutTableValues(TableArray(3, 1)); }),
              dbase_errors::kInvalidFileType);
    table.CloseFile();
    EXPECT_EQ(hvtest::readFile(file), bytes);
}

TEST(DbaseBadInput, FieldsReachingPastTheRecordAreCut)
{
    // A caller-made field list whose field lies partly outside the record buffer.
    Scratch s;
    dBase table;
    table.OpenFile(s.write("t.dbf", craftTable(kFields, records(1))));
    table.Fields().Add(QStringLiteral("PAST"), QStringLiteral("C"), 10, 0, 24);
    table.Fields().Add(QStringLiteral("OUT"), QStringLiteral("C"), 10, 0, 4000);
    table.Fields().Add(QStringLiteral("BEFORE"), QStringLiteral("C"), 3, 0, -1);
    table.GetRecord(1);
    EXPECT_EQ(table.Value(4), QStringLiteral("1    "));
    EXPECT_EQ(table.Value(5), QString());
    EXPECT_EQ(table.Value(6), QStringLiteral(" "));
    table.SetValue(4, QStringLiteral("abcdefghij"));
    table.SetValue(5, QStringLiteral("abcdefghij"));
    table.SetValue(6, QStringLiteral("xyz"));
    EXPECT_EQ(table.RecordBuffer().size(), 28);
    EXPECT_EQ(table.RecordBuffer().right(5), QByteArray("abcde"));
    EXPECT_EQ(table.RecordBuffer().left(1), QByteArray("z"));
    const TableArray rows = table.GetTableValues();
    EXPECT_EQ(rows.Cell(4, 1), QStringLiteral("1    "));
    EXPECT_EQ(rows.Cell(5, 1), QString());
}
