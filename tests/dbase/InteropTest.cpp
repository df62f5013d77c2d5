// Tables exchanged with independent dBase readers and writers (Debian's python3-dbfread and
// python3-dbf): what the project writes they read byte for byte, and the other way round.
#include "tests/dbase/DbaseTestSupport.h"

#include "platform/Ansi.h"
#include "tests/common/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace hv;
using namespace dbtest;

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

bool hasModule(const char *module)
{
    const auto r = hvtest::runProgram(
        kPython, {QStringLiteral("-c"), QStringLiteral("import %1").arg(module)});
    return r.exitCode == 0;
}

// What python3-dbfread reads from `file`: fields, live records and deleted records, each
// value as its raw bytes.
struct ForeignView {
    std::vector<QString> fieldNames;
    std::vector<std::vector<QByteArray>> records;
    std::vector<std::vector<QByteArray>> deleted;
};

std::vector<std::vector<QByteArray>> hexRows(const QJsonArray &rows)
{
    std::vector<std::vector<QByteArray>> out;
    for (const QJsonValue &row : rows) {
        std::vector<QByteArray> values;
        for (const QJsonValue &v : row.toArray())
            values.push_back(QByteArray::fromHex(v.toString().toLatin1()));
        out.push_back(values);
    }
    return out;
}

ForeignView readWithDbfread(const QString &file)
{
    static const char kScript[] = R"(
import json, sys
from dbfread import DBF
t = DBF(sys.argv[1], raw=True)
print(json.dumps({
    "fields": [f.name for f in t.fields],
    "records": [[v.hex() for v in r.values()] for r in t.records],
    "deleted": [[v.hex() for v in r.values()] for r in t.deleted]}))
)";
    const auto r =
        hvtest::runProgram(kPython, {QStringLiteral("-c"), QLatin1String(kScript), file});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject doc = QJsonDocument::fromJson(r.out).object();
    ForeignView view;
    for (const QJsonValue &name : doc.value(QLatin1String("fields")).toArray())
        view.fieldNames.push_back(name.toString());
    view.records = hexRows(doc.value(QLatin1String("records")).toArray());
    view.deleted = hexRows(doc.value(QLatin1String("deleted")).toArray());
    return view;
}

// Every record of an open table as bytes per field, split into live and deleted records.
void readWithProject(dBase &table, std::vector<std::vector<QByteArray>> &live,
                     std::vector<std::vector<QByteArray>> &deleted)
{
    const int count = table.RecordCount();
    for (int n = 1; n <= count; ++n) {
        table.GetRecord(n);
        std::vector<QByteArray> values;
        for (const Field &f : table.Fields())
            values.push_back(table.RecordBuffer().mid(f.Position() - 1, f.Length()));
        (table.Deleted() ? deleted : live).push_back(values);
    }
}

} // namespace

TEST(DbaseInterop, TablesTheProjectWritesReadTheSameWithDbfread)
{
    if (!hasModule("dbfread"))
        GTEST_SKIP() << "python3-dbfread is not installed for /usr/bin/python3";
    Scratch s;
    const QString file = createTable(s, QStringLiteral("OUT.DBF"),
                                     {{"NAME", 'C', 10}, {"CITY", 'C', 20}, {"QTY", 'N', 5}});
    QString high;
    for (int b = 0xA0; b <= 0xB3; ++b)
        high.append(QChar(ansi::toChar(uchar(b))));
    {
        dBase table;
        table.SetOpenMode(2);
        table.OpenFile(file);
        TableArray rows(3, 4);
        const QStringList names = {QStringLiteral("Ärger"), QStringLiteral("Bob"),
                                   QStringLiteral("this name is too long"), QString()};
        const QStringList cities = {QStringLiteral("Zürich €"), high, QStringLiteral("x"),
                                    QStringLiteral("Oslo")};
        for (int r = 1; r <= 4; ++r) {
            rows.SetCell(1, r, names[r - 1]);
            rows.SetCell(2, r, cities[r - 1]);
            rows.SetCell(3, r, QStringLiteral("12"));
        }
        table.PutTableValues(rows);
        table.GetRecord(2);
        table.SetDeleted(true);
        table.PutRecord(2);
        table.PutTableValues(rows); // a second batch after the first
        table.CloseFile();
    }

    const ForeignView foreign = readWithDbfread(file);
    EXPECT_EQ(foreign.fieldNames, (std::vector<QString>{"NAME", "CITY", "QTY"}));
    dBase table;
    table.OpenFile(file);
    std::vector<std::vector<QByteArray>> live, deleted;
    readWithProject(table, live, deleted);
    ASSERT_EQ(live.size(), 7u);
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(foreign.records, live);
    EXPECT_EQ(foreign.deleted, deleted);
    EXPECT_EQ(live[0][0], QByteArray("\xc4rger     "));
    EXPECT_EQ(live[0][1], QByteArray("Z\xfcrich \x80") + QByteArray(12, ' '));
    EXPECT_EQ(deleted[0][1].left(20), ansi::fromText(high).leftJustified(20, ' '));
}

TEST(DbaseInterop, TablesWrittenByPythonDbfReadTheSameInTheProject)
{
    if (!hasModule("dbf") || !hasModule("dbfread"))
        GTEST_SKIP() << "python3-dbf or python3-dbfread is not installed for /usr/bin/python3";
    static const char kScript[] = R"(
import sys, dbf
t = dbf.Table(sys.argv[1], 'NAME C(10); CITY C(20)', dbf_type='db3', codepage='cp1252')
t.open(mode=dbf.READ_WRITE)
rows = [('Anna', 'K\u00f6ln'), ('Bob', 'Z\u00fcrich \u20ac'), ('Cid', 'Oslo'),
        ('Dee', 'x'), ('Eve', ''), ('Finn-Ole-X', 'S\u00e3o Paulo')]
for row in rows:
    t.append(row)
dbf.delete(t[1])
dbf.delete(t[3])
t.close()
)";
    Scratch s;
    const QString file = s.path("py.dbf");
    const auto r =
        hvtest::runProgram(kPython, {QStringLiteral("-c"), QLatin1String(kScript), file});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    dBase table;
    table.OpenFile(file);
    EXPECT_EQ(table.RecordCount(), 6);
    ASSERT_EQ(table.Fields().Count(), 2);
    EXPECT_EQ(table.Fields().Item(2)->Name(), QStringLiteral("CITY"));
    EXPECT_EQ(table.Fields().Item(2)->Length(), 20);
    EXPECT_EQ(rowsOf(table.GetTableValues()),
              (std::vector<std::vector<QString>>{
                  {"Anna      ", QStringLiteral("Köln").leftJustified(20)},
                  {"Cid       ", QStringLiteral("Oslo").leftJustified(20)},
                  {"Eve       ", QString(20, u' ')},
                  {"Finn-Ole-X", QStringLiteral("São Paulo").leftJustified(20)}}));

    const ForeignView foreign = readWithDbfread(file);
    std::vector<std::vector<QByteArray>> live, deleted;
    readWithProject(table, live, deleted);
    EXPECT_EQ(foreign.records, live);
    EXPECT_EQ(foreign.deleted, deleted);
    EXPECT_EQ(deleted.size(), 2u);
}
