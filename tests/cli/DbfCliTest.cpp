// hvadmin-cli dbf: dBase tables through the command line.
#include "tests/common/TestSupport.h"
#include "tests/dbase/DbaseTestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString dbaseFixture(const QString &name)
{
    return QDir::cleanPath(QStringLiteral(HV_FIXTURES_DIR "/../../dbase/fixtures/") + name);
}

QJsonDocument json(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes);
}

class DbfCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        table = dir.filePath(QStringLiteral("PEOPLE.DBF"));
        const auto r =
            hvtest::runCli({"dbf", "create", table, "NAME:C:6", "QTY:N:4:1", "CITY:c:5"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    QTemporaryDir dir;
    QString table;
};

} // namespace

TEST_F(DbfCli, CreateThenInfoShowsTheHeaderAndFields)
{
    const auto r = hvtest::runCli({"dbf", "info", table});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("{\"version\":3,\"year\":")); // the documented key order
    const QJsonObject info = json(r.out).object();
    EXPECT_EQ(info.value("recordCount").toInt(), 0);
    EXPECT_EQ(info.value("headerLength").toInt(), 32 * 3 + 33);
    EXPECT_EQ(info.value("recordLength").toInt(), 16);
    EXPECT_EQ(info.value("headerRecordLength").toInt(), 16);
    const QJsonArray fields = info.value("fields").toArray();
    ASSERT_EQ(fields.size(), 3);
    EXPECT_EQ(
        fields[1].toObject(),
        (QJsonObject{
            {"name", "QTY"}, {"type", "N"}, {"length", 4}, {"decimals", 1}, {"position", 8}}));
    EXPECT_EQ(fields[2].toObject().value("type").toString(), QStringLiteral("C"));
    EXPECT_EQ(hvtest::readFile(table).size(), 32 * 3 + 33 + 1);
}

TEST_F(DbfCli, AppendDumpAndPutRoundTripTextAsWindows1252)
{
    auto r = hvtest::runCli(
        {"dbf", "append", table},
        QStringLiteral(R"([["Ann","1","Köln"],["Bob",null,"€ ok"],[null,2,"Long city"]])")
            .toUtf8());
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray bytes = hvtest::readFile(table);
    EXPECT_TRUE(bytes.contains(" Ann       K\xf6ln "));
    EXPECT_TRUE(bytes.contains(" Bob       \x80 ok "));

    r = hvtest::runCli({"dbf", "dump", table});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(json(r.out).object().value("rows").toArray(),
              json(QStringLiteral(R"([["Ann   ",null,"Köln "],["Bob   ",null,"€ ok "],)"
                                  R"(["      ",null,"Long "]])")
                       .toUtf8())
                  .array());

    r = hvtest::runCli({"dbf", "put", table, "2"}, R"({"values":["Bobby"],"deleted":true})");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("{\"recordNo\":2}\n"));
    r = hvtest::runCli({"dbf", "put", table, "0"}, R"({"values":["Dee",null,"Oslo"]})");
    EXPECT_EQ(r.out, QByteArray("{\"recordNo\":4}\n"));

    r = hvtest::runCli({"dbf", "dump", table});
    const QJsonArray rows = json(r.out).object().value("rows").toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[2].toArray()[0].toString(), QStringLiteral("Dee   "));
    EXPECT_TRUE(hvtest::readFile(table).contains("*Bobby "));
}

TEST_F(DbfCli, AnEmptyTableDumpsAsNullRows)
{
    const auto r = hvtest::runCli({"dbf", "dump", table});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QByteArray("{\"rows\":null}\n"));
}

TEST_F(DbfCli, TableErrorsPrintTheirNumberAndDescription)
{
    const QString missing = dir.filePath(QStringLiteral("none.dbf"));
    auto r = hvtest::runCli({"dbf", "dump", missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(
        r.err,
        QStringLiteral("Error: 0x80040200 - dBase File Not Found '%1'\n").arg(missing).toUtf8());
    EXPECT_TRUE(r.out.isEmpty());

    r = hvtest::runCli({"dbf", "info", dbaseFixture("truncated_header.dbf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QByteArray("Error: 0x80040201 - Invalid dBase File Type\n"));

    r = hvtest::runCli({"dbf", "append", table}, R"([["a","b"]])");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QByteArray("Error: 0x80040203 - Array does not match Fields\n"));

    r = hvtest::runCli({"dbf", "append", table}, R"([["a","b","c"],["d"]])");
    EXPECT_EQ(r.exitCode, 1);
    r = hvtest::runCli({"dbf", "append", table}, "not json");
    EXPECT_EQ(r.exitCode, 1);
}

TEST_F(DbfCli, WritesRefuseAHeaderThatMisstatesItsRecordsAndInfoStillShowsIt)
{
    // Fields of 21 bytes; the header's record length says 5, or its record count 0xFFFFFFFF.
    const QString t = dir.filePath(QStringLiteral("T.DBF"));
    for (const auto &[offset, patch] :
         {std::pair{10, QByteArray("\x05\0", 2)}, std::pair{4, QByteArray("\xff\xff\xff\xff")}}) {
        ASSERT_EQ(hvtest::runCli({"dbf", "create", t, "A:C:10", "B:C:10"}).exitCode, 0);
        QByteArray bytes = hvtest::readFile(t).replace(offset, patch.size(), patch);
        hvtest::writeFile(t, bytes);
        auto r = hvtest::runCli({"dbf", "append", t}, R"([["z","y"]])");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.startsWith("Error: 0x80040201 - Invalid dBase File Type: "))
            << r.err.data();
        r = hvtest::runCli({"dbf", "put", t, "0"}, R"({"values":["z","y"]})");
        EXPECT_TRUE(r.err.startsWith("Error: 0x80040201")) << r.err.data();
        EXPECT_EQ(hvtest::readFile(t), bytes) << offset;
        EXPECT_EQ(hvtest::runCli({"dbf", "info", t}).exitCode, 0);
    }
}

TEST(DbfCliSort, SortsRowsAndReportsBadArrays)
{
    auto r = hvtest::runCli({"dbf", "sort", "1", "0"}, R"([["b","x"],["A",null],["c","z"]])");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray(R"({"rows":[["A",null],["b","x"],["c","z"]]})"
                                "\n"));
    r = hvtest::runCli({"dbf", "sort", "2", "1"}, R"([["b","x"],["A","y"],["c","z"]])");
    EXPECT_EQ(json(r.out).object().value("rows").toArray()[0].toArray()[1].toString(),
              QStringLiteral("z"));

    r = hvtest::runCli({"dbf", "sort", "3", "0"}, R"([["b","x"]])");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QByteArray("Error: 0x80040208 - Invalid Sort Column\n"));
    r = hvtest::runCli({"dbf", "sort", "1", "0"}, "[]");
    EXPECT_EQ(r.err, QByteArray("Error: 0x80040204 - Array has no columns\n"));
    r = hvtest::runCli({"dbf", "sort", "1", "0"}, R"({"rows":1})");
    EXPECT_EQ(r.err, QByteArray("Error: 0x80040204 - Array has no columns\n"));
}

TEST(DbfCliUsage, BadArgumentsExitWithUsage)
{
    const QList<QStringList> bad = {{"dbf"},
                                    {"dbf", "info"},
                                    {"dbf", "frobnicate", "x"},
                                    {"dbf", "create", "x.dbf"},
                                    {"dbf", "create", "x.dbf", "NAME:C"},
                                    {"dbf", "create", "x.dbf", "NAME:C:300"},
                                    {"dbf", "put", "x.dbf", "two"},
                                    {"dbf", "sort", "one", "0"}};
    for (const QStringList &args : bad) {
        const auto r = hvtest::runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        // What was wrong first, then the verb's usage.
        EXPECT_TRUE(r.err.startsWith("dbf: ")) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("\nusage: hvadmin-cli dbf ")) << args.join(' ').toStdString();
    }
}

// The CSV of `dbf csv` read back with Python's csv module equals an independent decoding of
// the table by python3-dbfread (raw bytes, Windows-1252, blanks removed as the tool promises).
TEST(DbfCsv, CsvReadsBackAsDbfreadDecodesTheTable)
{
    const QString python = QStringLiteral("/usr/bin/python3");
    if (hvtest::runProgram(python, {"-c", "import dbfread"}).exitCode != 0)
        GTEST_SKIP() << "python3-dbfread is not installed for /usr/bin/python3";
    dbtest::Scratch s;
    const std::vector<dbtest::FieldSpec> fields = {
        {"NAME", 'C', 12}, {"QTY", 'N', 6}, {"DAY", 'D', 8}, {"OK", 'L', 1}};
    std::vector<QByteArray> records = {
        dbtest::record(fields, false, {" Gr\xFC\xDF \x80", "  12.5", "20261208", "T"}),
        dbtest::record(fields, true, {"deleted", "1"}),
        dbtest::record(fields, false, {"a,\"b\"\r\nc", "-3", "", "F"}),
        dbtest::record(fields, false, {}),
    };
    for (int n = 0; n < 3000; ++n) // several pieces of the stream
        records.push_back(dbtest::record(fields, n % 7 == 0, {QByteArray::number(n), "7"}));
    const QString table = s.write("DATA.HVD", dbtest::craftTable(fields, records));
    const auto r = hvtest::runCli({"dbf", "csv", table});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString csvFile = s.write("data.csv", r.out);
    static const char kCompare[] = R"(
import csv, sys
from dbfread import DBF
t = DBF(sys.argv[1], raw=True)
names = [f.name for f in t.fields]
types = [f.type for f in t.fields]
def shown(v, k):
    s = v.decode("cp1252", errors="strict")
    return s.rstrip(" ") if k == "C" else s.strip(" ")
want = [names] + [[shown(r[n], k) for n, k in zip(names, types)] for r in t.records]
with open(sys.argv[2], newline="", encoding="utf-8") as f:
    got = list(csv.reader(f))
if got != want:
    print(len(got), len(want), [p for p in zip(got, want) if p[0] != p[1]][:3])
    sys.exit(1)
)";
    const auto check = hvtest::runProgram(python, {"-c", kCompare, table, csvFile});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString() << check.err.toStdString();
    EXPECT_TRUE(r.out.contains("\"a,\"\"b\"\"\r\nc\",-3,,F\r\n"));

    dbtest::HeaderSpec lying;
    lying.recordCount = 9000;
    const auto damaged = hvtest::runCli(
        {"dbf", "csv", s.write("LIES.HVD", dbtest::craftTable(fields, records, lying))});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.err.startsWith("Error: 0x80040201")) << damaged.err.toStdString();
    EXPECT_TRUE(damaged.out.isEmpty());
}
