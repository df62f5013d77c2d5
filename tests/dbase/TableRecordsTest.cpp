// Records read for display and export: the shown text of every field type, the refusal of a
// header that lies, a file that changes under the reader, and CSV written whole or not at all.
#include "tests/dbase/DbaseTestSupport.h"

#include "dbase/TableCsv.h"
#include "dbase/TableRecords.h"
#include "tests/common/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace hv;
using namespace dbtest;

namespace {

const std::vector<FieldSpec> kFields = {
    {"NAME", 'C', 8}, {"QTY", 'N', 6}, {"DAY", 'D', 8}, {"OK", 'L', 1}, {"RATE", 'F', 7}};

QString writeSample(const Scratch &s)
{
    return s.write(QStringLiteral("SAMPLE.HVD"),
                   craftTable(kFields, {record(kFields, false,
                                               {" M\xFCller", "  12", "20261208", "T", "  1.50"}),
                                        record(kFields, true, {"gone", "3"}),
                                        record(kFields, false, {"a,\"b\"", "-4.5"})}));
}

std::vector<std::vector<QString>> shownRows(const TableLayout &layout)
{
    std::vector<std::vector<QString>> rows;
    scanRecords(layout, 0, [&](qint64, const char *record) {
        std::vector<QString> row{isDeletedRecord(record) ? QStringLiteral("*") : QString()};
        for (size_t c = 0; c < layout.columns.size(); ++c)
            row.push_back(fieldText(layout, record, int(c)));
        rows.push_back(row);
        return true;
    });
    return rows;
}

} // namespace

TEST(TableRecords, FieldsShowAsStoredWithBlanksRemovedAndDecodedFromWindows1252)
{
    Scratch s;
    const TableLayout layout = readTableLayout(writeSample(s).toLower());
    ASSERT_EQ(layout.columns.size(), 5u);
    EXPECT_EQ(layout.columns[2].name, "DAY");
    EXPECT_EQ(layout.columns[2].type, 'D');
    EXPECT_EQ(layout.lastUpdate, QDate(2026, 12, 7));
    const std::vector<std::vector<QString>> expected = {
        // A character field keeps its leading blank; other fields are trimmed.
        {"", QString::fromUtf8(" Müller"), "12", "20261208", "T", "1.50"},
        {"*", "gone", "3", "", "", ""},
        {"", "a,\"b\"", "-4.5", "", "", ""}};
    EXPECT_EQ(shownRows(layout), expected);
}

TEST(TableRecords, HeaderThatLiesAboutItsCountIsRefusedAsInvalid)
{
    Scratch s;
    HeaderSpec lying;
    lying.recordCount = 50; // two records in the file
    const QString path = s.write(
        QStringLiteral("LIES.HVD"),
        craftTable(kFields, {record(kFields, false, {"a"}), record(kFields, false, {"b"})}, lying));
    EXPECT_EQ(errorOf([&] { readTableLayout(path); }), dbase_errors::kInvalidFileType);
    EXPECT_EQ(errorOf([&] { readTableLayout(s.path(QStringLiteral("NONE.HVD"))); }),
              dbase_errors::kFileNotFound);
}

TEST(TableRecords, ReadsReportAFileThatChangedInsteadOfItsBytes)
{
    Scratch s;
    const QString path = writeSample(s);
    const TableLayout layout = readTableLayout(path);
    const quint32 records[] = {0, 2};
    QByteArray bytes;
    ASSERT_EQ(readRecordList(layout, records, bytes), RecordRead::Done);
    EXPECT_EQ(fieldText(layout, bytes.constData() + layout.recordLength, 0), "a,\"b\"");

    QFile file(path);
    ASSERT_TRUE(file.resize(layout.headerLength + layout.recordLength)); // shrinks to one record
    bytes = "kept";
    EXPECT_EQ(readRecordList(layout, records, bytes), RecordRead::Changed);
    EXPECT_EQ(bytes, "kept");
    EXPECT_EQ(scanRecords(layout, 0, [](qint64, const char *) { return true; }),
              RecordRead::Changed);
}

TEST(TableCsv, ExportQuotesWhereNeededAndACancelLeavesNoFile)
{
    Scratch s;
    const TableLayout layout = readTableLayout(writeSample(s));
    const QString target = s.path(QStringLiteral("out.csv"));
    std::atomic<bool> cancel = false;
    const csv::ExportOutcome done =
        csv::exportRecords(layout, {2, 1, 0}, true, target, cancel, nullptr);
    ASSERT_TRUE(done.ok) << done.error.toStdString();
    EXPECT_EQ(hvtest::readFile(target), QByteArray("Deleted,NAME,QTY,DAY,OK,RATE\r\n"
                                                   ",\"a,\"\"b\"\"\",-4.5,,,\r\n"
                                                   "*,gone,3,,,\r\n"
                                                   ", M\xC3\xBCller,12,20261208,T,1.50\r\n"));

    // A table of several export pieces, cancelled once the first piece is written.
    std::vector<QByteArray> many(10000, record(kFields, false, {"x", "1"}));
    const TableLayout big =
        readTableLayout(s.write(QStringLiteral("BIG.HVD"), craftTable(kFields, many)));
    std::vector<quint32> all(many.size());
    for (quint32 n = 0; n < all.size(); ++n)
        all[n] = n;
    const QString halfway = s.path(QStringLiteral("halfway.csv"));
    qint64 heard = 0;
    const csv::ExportOutcome cancelled =
        csv::exportRecords(big, all, false, halfway, cancel, [&](qint64 written, qint64 total) {
            heard = written;
            if (written < total)
                cancel = true;
        });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_FALSE(cancelled.ok);
    EXPECT_GT(heard, 0);
    EXPECT_FALSE(QFile::exists(halfway));
    EXPECT_EQ(QDir(s.folder()).entryList(QDir::Files).size(), 3); // no temporary file left
}
