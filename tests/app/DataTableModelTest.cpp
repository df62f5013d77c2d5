// The data window's model on tables built byte by byte: lazy rows, the deleted-records
// toggle, natural sorting, the filter, a damaged header, a file that shrinks while shown, and
// a clear of the item from another process while the table is shown.
#include "app/DataTableModel.h"

#include "tests/common/TestSupport.h"
#include "tests/dbase/DbaseTestSupport.h"
#include "tests/ops/ItemFolder.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using namespace hv;
using namespace dbtest;

namespace {

const std::vector<FieldSpec> kFields = {{"NAME", 'C', 10}, {"QTY", 'N', 5}, {"DAY", 'D', 8}};

// Waits (bounded) until the model is ready with no index being built.
bool settle(DataTableModel &model)
{
    return QTest::qWaitFor(
        [&] { return model.state() != DataTableModel::State::Opening && !model.isIndexing(); },
        10000);
}

// The text of one column, row by row, once every row's block is read.
QStringList column(DataTableModel &model, int c)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        model.data(model.index(row, c)); // asks for the block
        if (!QTest::qWaitFor([&] { return model.isRowLoaded(row); }, 5000))
            return {QStringLiteral("row %1 never arrived").arg(row)};
        texts << model.data(model.index(row, c)).toString();
    }
    return texts;
}

// The outcome of copying `selection`, its job waited for (bounded) when it needs one.
DataTableModel::CopyOutcome copied(DataTableModel &model, const QItemSelection &selection)
{
    DataTableModel::CopyStart start = model.copyCells(selection);
    if (start.ready)
        return *start.ready;
    std::optional<DataTableModel::CopyOutcome> outcome;
    JobOf<DataTableModel::CopyOutcome> *job = start.job;
    QObject::connect(job, &Job::finished, [&outcome, job] { outcome = job->result(); });
    if (!QTest::qWaitFor([&] { return outcome.has_value(); }, 10000))
        return {};
    return *outcome;
}

// The cells (r0, c0) to (r1, c1), both included.
QItemSelection cells(const DataTableModel &model, int r0, int c0, int r1, int c1)
{
    return QItemSelection(model.index(r0, c0), model.index(r1, c1));
}

QString writeSample(const Scratch &s)
{
    return s.write(QStringLiteral("LINE.HVD"),
                   craftTable(kFields, {record(kFields, false, {"item10", "  10", "20261201"}),
                                        record(kFields, true, {"Item2", "   2", "20261202"}),
                                        record(kFields, false, {"item2", "-1.5", "20261203"}),
                                        record(kFields, false, {"Caf\xE9", "  100", "20261204"})}));
}

} // namespace

TEST(DataTableModel, ShowsLiveRecordsThenDeletedSortsNaturallyAndFilters)
{
    Scratch s;
    DataTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.open(writeSample(s));
    ASSERT_TRUE(settle(model));
    ASSERT_EQ(model.state(), DataTableModel::State::Ready);
    EXPECT_EQ(model.liveRecords(), 3);
    EXPECT_EQ(column(model, 0), (QStringList{"item10", "item2", QString::fromUtf8("Café")}));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "NAME");
    EXPECT_EQ(model.headerData(2, Qt::Vertical).toLongLong(), 4); // the record number

    model.setShowDeleted(true);
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(column(model, 0),
              (QStringList{"item10", "Item2", "item2", QString::fromUtf8("Café")}));
    EXPECT_TRUE(model.data(model.index(1, 0), DataTableModel::DeletedRole).toBool());
    EXPECT_FALSE(model.data(model.index(2, 0), DataTableModel::DeletedRole).toBool());

    // Digit runs by value, letters without regard to case, ties in record order.
    model.sort(0, Qt::AscendingOrder);
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(column(model, 0),
              (QStringList{QString::fromUtf8("Café"), "Item2", "item2", "item10"}));
    // A numeric field by value, not by its text.
    model.sort(1, Qt::DescendingOrder);
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(column(model, 1), (QStringList{"100", "10", "2", "-1.5"}));

    model.setFilterText(QStringLiteral("ITEM"));
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(column(model, 0), (QStringList{"item10", "Item2", "item2"}));
    model.setFilterText(QStringLiteral("1203"));
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(column(model, 0), (QStringList{"item2"}));
    QItemSelection twoCells = cells(model, 0, 0, 0, 0);
    twoCells.merge(cells(model, 0, 2, 0, 2), QItemSelectionModel::Select);
    EXPECT_EQ(copied(model, twoCells).text, "item2\t20261203\n");
}

// A sort asked for while the header is still being read (the window restoring its sort) is
// kept, not dropped for want of columns.
TEST(DataTableModel, SortAskedForWhileOpeningIsKept)
{
    Scratch s;
    DataTableModel model;
    model.open(writeSample(s));
    model.sort(1, Qt::DescendingOrder);
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(column(model, 1), (QStringList{"100", "10", "-1.5"}));
    model.open(writeSample(s));
    model.sort(7, Qt::AscendingOrder); // no such column: record order
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(column(model, 1), (QStringList{"10", "-1.5", "100"}));
}

TEST(DataTableModel, LargeTableShowsItsFirstRowsAtOnceAndTheRestLazily)
{
    Scratch s;
    std::vector<QByteArray> records;
    for (int n = 0; n < 5000; ++n)
        records.push_back(record(kFields, n % 2 == 1, {"r" + QByteArray::number(n)}));
    DataTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.open(s.write(QStringLiteral("BIG.HVD"), craftTable(kFields, records)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.rowCount() > 0; }, 10000));
    // The first records read at the open, their rows shown before the index is built.
    EXPECT_TRUE(model.isRowLoaded(0));
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), "r2");
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(model.rowCount(), 2500);
    // A row shown in the second half of a block has the next block read ahead.
    ASSERT_TRUE(model.isRowLoaded(400));
    ASSERT_FALSE(model.isRowLoaded(512));
    model.data(model.index(400, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return model.isRowLoaded(512); }, 5000));
    // A row far down shows the placeholder until its block arrives.
    const QModelIndex far = model.index(2400, 0);
    EXPECT_EQ(model.data(far).toString(), DataTableModel::placeholderText());
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.isRowLoaded(2400); }, 5000));
    EXPECT_EQ(model.data(far).toString(), "r4800");
}

TEST(DataTableModel, DamagedHeaderFailsWithTheInvalidFileError)
{
    Scratch s;
    HeaderSpec lying;
    lying.recordCount = 1000;
    DataTableModel model;
    model.open(s.write(QStringLiteral("LIES.HVD"),
                       craftTable(kFields, {record(kFields, false, {"a"})}, lying)));
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(model.state(), DataTableModel::State::Failed);
    EXPECT_TRUE(model.errorText().startsWith("0x80040201 - Invalid dBase File Type"))
        << model.errorText().toStdString();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(DataTableModel, FileThatShrinksWhileShownIsReportedNotShownTorn)
{
    Scratch s;
    std::vector<QByteArray> records;
    for (int n = 0; n < 3000; ++n)
        records.push_back(record(kFields, false, {"r" + QByteArray::number(n)}));
    const QString path = s.write(QStringLiteral("SHRINK.HVD"), craftTable(kFields, records));
    DataTableModel model;
    model.setWatchInterval(0); // only the reads may notice
    model.open(path);
    ASSERT_TRUE(settle(model));
    ASSERT_EQ(model.rowCount(), 3000);
    QFile file(path);
    ASSERT_TRUE(file.resize(file.size() / 2));
    QSignalSpy changed(&model, &DataTableModel::stateChanged);
    EXPECT_EQ(model.data(model.index(2900, 0)).toString(), DataTableModel::placeholderText());
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(model.state(), DataTableModel::State::Changed);
    EXPECT_EQ(model.data(model.index(2900, 0)).toString(), DataTableModel::placeholderText());

    model.reload();
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(model.state(), DataTableModel::State::Failed); // the header now lies
}

// A copy of rows not read yet reads them by a job; the text follows the rows shown, each
// run of rows with its own columns, and stays within the copy limit.
TEST(DataTableModel, CopiesSelectionsInTheOrderShownWithinTheLimit)
{
    using Status = DataTableModel::CopyOutcome::Status;
    Scratch s;
    std::vector<QByteArray> records;
    std::vector<int> live;
    for (int n = 0; n < 5000; ++n) {
        records.push_back(record(kFields, n % 3 == 1, {"r" + QByteArray::number(n), "", "2026"}));
        if (n % 3 != 1 && QByteArray::number(n).startsWith('4'))
            live.push_back(n);
    }
    const QString path = s.write(QStringLiteral("COPY.HVD"), craftTable(kFields, records));
    DataTableModel model;
    model.setWatchInterval(0);
    model.open(path);
    ASSERT_TRUE(settle(model));
    model.setFilterText(QStringLiteral("R4"));
    model.sort(0, Qt::DescendingOrder);
    ASSERT_TRUE(settle(model));
    std::sort(live.rbegin(), live.rend());
    ASSERT_EQ(model.rowCount(), int(live.size()));

    // Rows 0-1 with NAME, rows 2-399 with NAME and DAY, the rest with DAY.
    const int last = model.rowCount() - 1;
    QItemSelection selection = cells(model, 0, 0, 399, 0);
    selection.merge(cells(model, 2, 2, last, 2), QItemSelectionModel::Select);
    QString expected;
    for (int row = 0; row <= last; ++row) {
        const QString name = QStringLiteral("r%1").arg(live[size_t(row)]);
        expected += row < 2     ? name + u'\n'
                    : row < 400 ? name + QStringLiteral("\t2026\n")
                                : QStringLiteral("2026\n");
    }
    EXPECT_EQ(copied(model, selection).text, expected);

    // Too large: refused before reading when even its separators pass the limit, else once
    // the text does; either way without text.
    model.setCopyLimit(expected.size() - 1);
    const DataTableModel::CopyOutcome tooLarge = copied(model, selection);
    EXPECT_EQ(tooLarge.status, Status::TooLarge);
    EXPECT_TRUE(tooLarge.text.isEmpty());
    model.setCopyLimit(100);
    EXPECT_EQ(model.copyCells(selection).ready.value_or(DataTableModel::CopyOutcome()).status,
              Status::TooLarge);
    model.setCopyLimit(DataTableModel::kCopyLimitChars);

    // Rows read already are copied at once from what is held.
    model.data(model.index(0, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.isRowLoaded(1); }, 5000));
    const DataTableModel::CopyStart atOnce = model.copyCells(cells(model, 0, 0, 1, 0));
    EXPECT_EQ(atOnce.ready.value_or(tooLarge).text, expected.section(u'\n', 0, 1) + u'\n');

    // A file that shrank is reported, never copied torn.
    QFile file(path);
    ASSERT_TRUE(file.resize(file.size() / 2));
    EXPECT_EQ(copied(model, selection).status, Status::Changed);
    EXPECT_EQ(model.state(), DataTableModel::State::Changed);
}

class DataTableModelClear : public ItemFolder {};

TEST_F(DataTableModelClear, ClearFromTheToolIsNotRefusedWhileTheTableIsShown)
{
    write("Line 4.HVT", "[TEMPLATE]\r\nTitle=Line 4\r\n");
    hvtest::writeFile(folder + "Line 4.HVD", craftTable(kFields, {record(kFields, false, {"a"}),
                                                                  record(kFields, false, {"b"})}));
    DataTableModel model;
    model.setWatchInterval(50);
    model.open(folder + "Line 4.hvd");
    ASSERT_TRUE(settle(model));
    ASSERT_EQ(column(model, 0), (QStringList{"a", "b"}));
    // The clear runs in another process, whose held-file check sees this one's files.
    const auto r = hvtest::runCli({"clear", folder, "Line 4.HVT"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder + "Line 4.HVD"));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return model.state() == DataTableModel::State::Changed; }, 5000));
}
