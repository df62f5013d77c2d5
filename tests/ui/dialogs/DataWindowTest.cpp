// The data window over its model: the rows shown after a filter and the deleted-records
// toggle are what Export CSV writes and what Ctrl+C copies.
#include "ui/dialogs/DataWindow.h"

#include "app/DataTableModel.h"
#include "tests/common/TestSupport.h"
#include "tests/dbase/DbaseTestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

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
    window.copySelection();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "ab\t1\nabc\t2\n");
}
