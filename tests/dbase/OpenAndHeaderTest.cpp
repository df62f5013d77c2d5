// Opening, validating, creating and closing tables; the header and the field list.
#include "tests/dbase/DbaseTestSupport.h"

#include "tests/common/TestSupport.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace hv;
using namespace dbtest;

namespace {

const std::vector<FieldSpec> kFields = {{"NAME", 'C', 10}, {"QTY", 'N', 5}, {"CODE", 'C', 8}};

std::vector<QByteArray> someRecords(int count)
{
    std::vector<QByteArray> records;
    for (int i = 1; i <= count; ++i)
        records.push_back(record(kFields, false, {"R" + QByteArray::number(i), "1", "C"}));
    return records;
}

uint32_t openError(const QString &file)
{
    dBase table;
    const uint32_t number = errorOf([&] { table.OpenFile(file); });
    EXPECT_EQ(table.FileExists(), number == 0);
    return number;
}

} // namespace

TEST(DbaseOpen, RejectsWrongVersionsAndImpossibleHeaderValues)
{
    Scratch s;
    HeaderSpec memo;
    memo.version = 0x83;
    EXPECT_EQ(openError(s.write("memo.dbf", craftTable(kFields, someRecords(1), memo))),
              dbase_errors::kInvalidFileType);
    HeaderSpec v4;
    v4.version = 4;
    EXPECT_EQ(openError(s.write("v4.dbf", craftTable(kFields, {}, v4))),
              dbase_errors::kInvalidFileType);
    for (int month : {0, 13}) {
        HeaderSpec h;
        h.month = uint8_t(month);
        EXPECT_EQ(openError(s.write("m.dbf", craftTable(kFields, {}, h))),
                  dbase_errors::kInvalidFileType)
            << month;
    }
    for (int headerLength : {32, 33, 8457, -5}) {
        HeaderSpec h;
        h.headerLength = headerLength;
        EXPECT_EQ(openError(s.write("h.dbf", craftTable(kFields, {}, h))),
                  dbase_errors::kInvalidFileType)
            << headerLength;
    }
    HeaderSpec ok;
    ok.month = 1;
    EXPECT_EQ(openError(s.write("ok.dbf", craftTable(kFields, someRecords(2), ok))), 0u);
}

TEST(DbaseOpen, ReportsAMissingFileWithItsPathAndFindsNamesInAnyCase)
{
    Scratch s;
    dBase table;
    const QString missing = s.path("nothing.dbf");
    try {
        table.OpenFile(missing);
        FAIL() << "no error";
    } catch (const DbaseError &e) {
        EXPECT_EQ(e.number(), dbase_errors::kFileNotFound);
        EXPECT_EQ(e.source(), QStringLiteral("dBase Class"));
        EXPECT_EQ(e.description(), QStringLiteral("dBase File Not Found '%1'").arg(missing));
    }
    EXPECT_FALSE(table.FileExists());

    s.write("Stock.DBF", craftTable(kFields, someRecords(3)));
    table.OpenFile(s.path("STOCK.dbf"));
    EXPECT_TRUE(table.FileExists());
    EXPECT_EQ(table.Filename(), s.path("STOCK.dbf"));
    EXPECT_EQ(table.RecordCount(), 3);
}

TEST(DbaseOpen, DescriptorCountComesFromTheHeaderLength)
{
    Scratch s;
    HeaderSpec padded;
    padded.padding = 1; // 32 * n + 34
    dBase table;
    table.OpenFile(s.write("pad.dbf", craftTable(kFields, someRecords(2), padded)));
    EXPECT_EQ(table.Fields().Count(), 3);
    table.GetRecord(2);
    EXPECT_EQ(table.Value(1), QStringLiteral("R2        "));
    table.CloseFile();

    // 8456 is the largest header length: 263 descriptors.
    std::vector<FieldSpec> many;
    for (int i = 0; i < 263; ++i)
        many.push_back({"F" + QByteArray::number(i), 'C', 1});
    HeaderSpec longest;
    longest.padding = 7; // 32 * 263 + 33 + 7 = 8456
    table.OpenFile(s.write("many.dbf", craftTable(many, {}, longest)));
    EXPECT_EQ(table.Header().headerLength, 8456);
    EXPECT_EQ(table.Fields().Count(), 263);
    EXPECT_EQ(table.Fields().Item(263)->Name(), QStringLiteral("F262"));
    EXPECT_EQ(table.RecordLen(), 264);
}

TEST(DbaseOpen, ReadsDescriptorsAsTheFileHasThem)
{
    Scratch s;
    std::vector<FieldSpec> fields = {
        {QByteArray("AB\0XY", 5), 'M', 10}, {"name", 'N', 5}, {"X", 'C', 8}, {"lg", 'L', 1}};
    HeaderSpec h;
    h.recordLength = 30; // the header says more than the fields need
    dBase table;
    table.OpenFile(s.write("d.dbf", craftTable(fields, {}, h)));
    ASSERT_EQ(table.Fields().Count(), 4);
    const Field *first = table.Fields().Item(1);
    EXPECT_EQ(first->Name(), QStringLiteral("AB"));
    EXPECT_EQ(first->FieldType(), QStringLiteral("C"));
    EXPECT_EQ(table.Fields().Item(2)->Name(), QStringLiteral("NAME"));
    EXPECT_EQ(table.Fields().Item(2)->FieldType(), QStringLiteral("N"));
    EXPECT_EQ(table.Fields().Item(4)->FieldType(), QStringLiteral("L"));
    // Positions are computed from the lengths, not read from the descriptors.
    EXPECT_EQ(first->Position(), 2);
    EXPECT_EQ(table.Fields().Item(2)->Position(), 12);
    EXPECT_EQ(table.Fields().Item(3)->Position(), 17);
    EXPECT_EQ(table.Fields().Item(4)->Position(), 25);
    EXPECT_EQ(table.RecordLen(), 25); // the fields' sum right after the open
    EXPECT_EQ(table.RecordBuffer(), QByteArray(25, ' '));
    EXPECT_EQ(table.RecordNo(), 0);
    table.ReadHeader();
    EXPECT_EQ(table.RecordLen(), 30); // the header's value after a read
}

TEST(DbaseOpen, OpenOnAnOpenTableClosesItAndStartsOver)
{
    Scratch s;
    const QString a = s.write("a.dbf", craftTable(kFields, someRecords(1)));
    const QString b = s.write("b.dbf", craftTable({{"ONLY", 'C', 4}}, {}));
    dBase table;
    table.Fields().Add(QStringLiteral("extra"), QStringLiteral("c"), 3, 0, 1);
    table.SetOpenMode(2);
    table.OpenFile(a);
    EXPECT_EQ(table.OpenMode(), 2);
    ASSERT_EQ(table.Fields().Count(), 4); // fields added before the open stay in front
    EXPECT_EQ(table.Fields().Item(1)->Name(), QStringLiteral("EXTRA"));
    EXPECT_EQ(table.Fields().Item(2)->Name(), QStringLiteral("NAME"));
    table.SetOpenMode(2);
    table.OpenFile(b); // the close resets the mode to 0 and empties the fields
    EXPECT_EQ(table.OpenMode(), 0);
    EXPECT_EQ(table.Fields().Count(), 1);
    EXPECT_EQ(table.Filename(), b);
    table.GetRecord(0);
    EXPECT_EQ(errorOf([&] { table.PutRecord(0); }), dbase_errors::kReadOnly);
}

TEST(DbaseOpen, BadModesFoldersAndUnwritableFilesLeaveNoFileOpen)
{
    Scratch s;
    const QString file = s.write("t.dbf", craftTable(kFields, someRecords(1)));
    dBase table;
    table.SetOpenMode(3);
    EXPECT_EQ(errorOf([&] { table.OpenFile(file); }), dbase_errors::kInvalidOpenMode);
    EXPECT_FALSE(table.FileExists());

    table.SetOpenMode(0);
    try {
        table.OpenFile(s.folder());
        FAIL() << "a folder opened as a table";
    } catch (const DbaseError &e) {
        EXPECT_EQ(e.number(), dbase_errors::kFileSystem);
        EXPECT_NE(e.osError(), 0);
        EXPECT_TRUE(e.description().contains(s.folder()));
    }
    EXPECT_FALSE(table.FileExists());

    QFile::setPermissions(file, QFile::ReadOwner);
    table.SetOpenMode(0);
    table.OpenFile(file); // read-only open of a read-only file works
    EXPECT_TRUE(table.FileExists());
    table.CloseFile();
    if (geteuid() != 0) { // root may write anything
        table.SetOpenMode(2);
        EXPECT_EQ(errorOf([&] { table.OpenFile(file); }), dbase_errors::kFileSystem);
        EXPECT_FALSE(table.FileExists());
    }
}

TEST(DbaseLifecycle, FileExistsCountAndResetFollowTheOpenFile)
{
    Scratch s;
    const QString file = s.write("t.dbf", craftTable(kFields, someRecords(4)));
    dBase table;
    EXPECT_FALSE(table.FileExists());
    EXPECT_EQ(table.RecordCount(), 0);
    table.SetOpenMode(2);
    table.OpenFile(file);
    EXPECT_TRUE(table.FileExists());
    EXPECT_EQ(table.RecordCount(), 4);
    table.CloseFile();
    EXPECT_FALSE(table.FileExists());
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(table.OpenMode(), 0);
    EXPECT_EQ(table.Fields().Count(), 0);
    EXPECT_TRUE(table.Filename().isEmpty());
    EXPECT_TRUE(table.RecordBuffer().isEmpty());
    EXPECT_EQ(table.RecordNo(), 0);

    table.SetFilename(QStringLiteral("x"));
    EXPECT_EQ(table.Filename(), QStringLiteral("x"));
    EXPECT_FALSE(table.FileExists());

    HeaderSpec bad;
    bad.version = 2;
    EXPECT_EQ(errorOf([&] { table.OpenFile(s.write("bad.dbf", craftTable(kFields, {}, bad))); }),
              dbase_errors::kInvalidFileType);
    EXPECT_FALSE(table.FileExists());
}

TEST(DbaseLifecycle, ClosingAReadOnlyTableWritesNothing)
{
    Scratch s;
    HeaderSpec noMarker;
    noMarker.endMarker = false;
    const QByteArray bytes = craftTable(kFields, someRecords(2), noMarker);
    const QString file = s.write("t.dbf", bytes);
    dBase table;
    table.OpenFile(file);
    table.GetTableValues();
    table.GetRecord(1);
    table.CloseFile();
    EXPECT_EQ(hvtest::readFile(file), bytes);
}

TEST(DbaseCreate, WritesTheHeaderAndDescriptorsAndTheMarkerOnClose)
{
    Scratch s;
    const QString file = s.path("NEW.DBF");
    dBase table;
    table.SetClock([] { return QDate(2026, 12, 7); });
    table.Fields().Add(QStringLiteral("customer_number"), QStringLiteral("c"), 10, 0, 0);
    table.Fields().Add(QStringLiteral("qty"), QStringLiteral("N"), 5, 2, 99);
    table.Fields().Add(QStringLiteral("flag"), QStringLiteral("Q"), 1, 0, 0);
    table.SetOpenMode(1);
    table.OpenFile(file);
    ASSERT_TRUE(table.FileExists());
    EXPECT_EQ(table.OpenMode(), 2);
    EXPECT_EQ(table.Filename(), file);
    EXPECT_EQ(table.RecordLen(), 17);
    EXPECT_EQ(table.Fields().Item(3)->Position(), 17);

    // The crafted layout is the created one: date 126/12/7, positions, 0x02 bytes. The
    // unknown letter Q is written as C; no end marker before the close.
    HeaderSpec h;
    h.endMarker = false;
    QByteArray expected =
        craftTable({{"CUSTOMER_NU", 'C', 10}, {"QTY", 'N', 5}, {"FLAG", 'C', 1}}, {}, h);
    expected[64 + 17] = 2; // QTY's decimal count
    EXPECT_EQ(hvtest::readFile(file), expected);
    table.CloseFile();
    EXPECT_EQ(hvtest::readFile(file), expected + '\x1A');
}

TEST(DbaseCreate, ReplacesTheTableAndDeletesItsCompanionsInAnyCase)
{
    Scratch s;
    s.write("data.dbf", "old table");
    s.write("DATA.HPI", "index");
    s.write("Data.inf", "info");
    s.write("OTHER.inf", "keep");
    const QString file = createTable(s, QStringLiteral("DATA.DBF"), {{"A", 'C', 4}});
    EXPECT_FALSE(QFileInfo::exists(s.path("data.dbf")));
    EXPECT_FALSE(QFileInfo::exists(s.path("DATA.HPI")));
    EXPECT_FALSE(QFileInfo::exists(s.path("Data.inf")));
    EXPECT_TRUE(QFileInfo::exists(s.path("OTHER.inf")));
    EXPECT_EQ(QFileInfo(file).size(), 32 + 33 + 1);
}

TEST(DbaseCreate, AFailedCreationRaisesNothingAndLeavesNoFile)
{
    Scratch s;
    dBase table;
    table.Fields().Add(QStringLiteral("A"), QStringLiteral("C"), 4, 0, 0);
    table.SetOpenMode(1);
    table.OpenFile(s.path("missing-folder/T.DBF"));
    EXPECT_FALSE(table.FileExists());
    table.CloseFile();
}

TEST(DbaseHeader, WriteHeaderStampsTheDateAndStoresOnlyPositiveCounts)
{
    Scratch s;
    const QString file = s.write("t.dbf", craftTable(kFields, someRecords(3)));
    dBase table;
    table.SetClock([] { return QDate(2031, 2, 28); });
    table.SetOpenMode(2);
    table.OpenFile(file);
    table.WriteHeader(0);
    EXPECT_EQ(hvtest::readFile(file).left(8), QByteArray::fromHex("0383021c03000000"));
    table.WriteHeader(9);
    EXPECT_EQ(table.RecordCount(), 9);
}

TEST(DbaseFields, AddItemRemoveAndTypeLetters)
{
    Fields fields;
    Field &added = fields.Add(QStringLiteral("customer_number"), QStringLiteral("n"), 7, 2, 5);
    EXPECT_EQ(added.Name(), QStringLiteral("CUSTOMER_NU"));
    EXPECT_EQ(added.FieldType(), QStringLiteral("N"));
    EXPECT_EQ(added.Length(), 7);
    EXPECT_EQ(added.Decimals(), 2);
    EXPECT_EQ(added.Position(), 5);
    fields.Add(QStringLiteral("b"), QStringLiteral("character"), -1, -1, -1);
    EXPECT_EQ(fields.Item(2)->FieldType(), QStringLiteral("C"));
    EXPECT_EQ(fields.Item(2)->Length(), -1); // stored unchecked
    EXPECT_EQ(fields.Item(0), nullptr);
    EXPECT_EQ(fields.Item(3), nullptr);
    EXPECT_EQ(errorOf([&] { fields.Remove(3); }), dbase_errors::kInvalidFieldNumber);
    fields.Remove(1);
    ASSERT_EQ(fields.Count(), 1);
    EXPECT_EQ(fields.Item(1)->Name(), QStringLiteral("B"));

    for (char letter : QByteArray("BCDFILNSYZ")) {
        EXPECT_EQ(TypeCode(QString(QLatin1Char(letter))), uchar(letter));
        EXPECT_EQ(TypeLetter(uchar(letter)), QString(QLatin1Char(letter)));
    }
    EXPECT_EQ(TypeLetter(0x4D), QStringLiteral("C"));
    EXPECT_EQ(TypeLetter(0), QStringLiteral("C"));
    EXPECT_EQ(TypeCode(QStringLiteral("M")), 0x43);
    EXPECT_EQ(TypeCode(QString()), 0x43);
}
