// The data window over its model: the rows shown after a filter and the deleted-records
// toggle are what Export CSV writes and what Ctrl+C copies.
#include "ui/dialogs/DataWindow.h"

#include "app/DataTableModel.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/SlowShare.h"
#include "tests/common/TestSupport.h"
#include "tests/dbase/DbaseTestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

using namespace hv;
using namespace dbtest;

TEST(DataWindow, ExportAndCopyTakeTheRowsShown)
{
    Scratch s;
    const std::vector<FieldSpec> fields = {{"NAME", 'C', 6}, {"QTY", 'N', 4}};
    const QString path =
        s.write("PICK.HPD", craftTable(fields, {record(fields, false, {"ab", " 1"}),
                                                record(fields, true, {"abc", " 2"}),
                                                record(fields, false, {"x", " 3"})}));
    DataWindow window(QStringLiteral("Pick"), path);
    window.show();
    const auto settled = [&] {
        return QTest::qWaitFor(
            [&] {
                return window.model()->state() == DataTableModel::State::Ready &&
                       !window.model()->isIndexing();
            },
            10000);
    };
    ASSERT_TRUE(settled());
    window.deletedToggle()->setChecked(true);
    window.filterBox()->setText(QStringLiteral("AB"));
    // The filter applies once typing pauses.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.model()->filterText() == "AB"; }, 10000));
    ASSERT_TRUE(settled());
    EXPECT_EQ(window.model()->rowCount(), 2);

    QSignalSpy finished(&window, &DataWindow::exportFinished);
    window.exportTo(s.path("pick.csv"));
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(finished.front().front().toBool());
    EXPECT_EQ(hvtest::readFile(s.path("pick.csv")), "Deleted,NAME,QTY\r\n,ab,1\r\n*,abc,2\r\n");

    window.view()->selectAll();
    QSignalSpy copiedSpy(&window, &DataWindow::copyFinished);
    window.copySelection();
    ASSERT_TRUE(!copiedSpy.isEmpty() || copiedSpy.wait(10000));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "ab\t1\nabc\t2\n");
}

// Copying many rows from a share that stopped answering: the window goes on answering, the
// copy can be cancelled without touching the clipboard, and once the share answers again a
// copy puts the rows on the clipboard.
TEST(DataWindow, CopyOnAStalledShareLeavesTheWindowAnswering)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    hvtest::FakeMessageService boxes;
    const std::vector<FieldSpec> fields = {{"NAME", 'C', 8}, {"QTY", 'N', 6}};
    std::vector<QByteArray> records;
    QString expected;
    for (int n = 0; n < 3000; ++n) {
        records.push_back(record(fields, false, {"r" + QByteArray::number(n), "1"}));
        expected += QStringLiteral("r%1\t1\n").arg(n);
    }
    const QString path = share.mountPoint() + QStringLiteral("/COPY.HPD");
    hvtest::writeFile(path, craftTable(fields, records));
    DataWindow window(QStringLiteral("Copy"), path);
    window.model()->setWatchInterval(0);
    window.show();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !window.model()->isIndexing() && window.model()->rowCount() == 3000; },
        10000));
    window.view()->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QSignalSpy copiedSpy(&window, &DataWindow::copyFinished);
    if (!share.stall())
        GTEST_SKIP() << "the share went on answering after it was told to stall";

    // Should the copy read on the window's thread, the share answers again after a while
    // (the test never hangs) and the copy is seen to have taken that long.
    std::promise<void> returned;
    std::thread watchdog([&share, done = returned.get_future()] {
        if (done.wait_for(std::chrono::seconds(5)) == std::future_status::timeout)
            share.release();
    });
    QElapsedTimer clock;
    clock.start();
    window.copySelection();
    returned.set_value();
    watchdog.join();
    const auto answerAgain = qScopeGuard([&share] { share.release(); });
    EXPECT_LT(clock.elapsed(), 2000);
    QProgressDialog *progress = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            progress = window.findChild<QProgressDialog *>(QStringLiteral("dlgCopyProgress"));
            return progress && progress->isVisible();
        },
        5000));
    progress->findChild<QPushButton *>()->click(); // Cancel
    share.release();
    ASSERT_TRUE(copiedSpy.wait(10000));
    EXPECT_FALSE(copiedSpy.front().front().toBool());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");

    window.copySelection();
    ASSERT_TRUE(QTest::qWaitFor([&] { return copiedSpy.size() == 2; }, 10000));
    EXPECT_TRUE(copiedSpy.back().front().toBool());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
}
