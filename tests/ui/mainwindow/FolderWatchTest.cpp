#include "ui/mainwindow/FolderWatch.h"

#include "app/AppState.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/SlowShare.h"
#include "tests/common/TempConfig.h"
#include "tests/ui/mainwindow/MainWindowTestSupport.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/frmHVSetup.h"

#include <QDialog>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

using namespace hv;

namespace {

class FolderWatchTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        window.reset();
        AppState::instance().reset();
    }
    void open(const QString &folder)
    {
        AppState::instance().reset();
        AppState::instance().SetProjectFolder(folder + u'/');
        window = std::make_unique<frmHVSetup>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(QTest::qWaitFor(
            [this] { return !window->isFilling() && window->folderWatch()->isWatching(); }, 10000));
    }
    QStringList titles() const { return hvtest::columnTexts(window->lstHVSETUP()->detailsView()); }
    bool showsWithin(const QString &title, int ms) const
    {
        return QTest::qWaitFor([&] { return titles().contains(title); }, ms);
    }
    // Another process writes a template into `folder`.
    static void writeFromOutside(const QString &folder, const QString &name, const QString &title)
    {
        const QString text = QStringLiteral("[TEMPLATE]\r\nTitle=%1\r\n").arg(title);
        ASSERT_EQ(QProcess::execute(
                      "sh", {"-c", "printf \"$1\" > \"$2\"", "sh", text, folder + u'/' + name}),
                  0);
    }
    QString selectedKey() const { return window->lstHVSETUP()->selectedKey(); }

    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    hvtest::ProjectFolder project{config.path(), QStringLiteral("project")};
    std::unique_ptr<frmHVSetup> window;
};

} // namespace

TEST_F(FolderWatchTest, ARefillKeepsTheSelectedItemAndTheScrollPosition)
{
    for (int i = 0; i < 200; ++i)
        project.addTemplate(QStringLiteral("T%1.HVT").arg(i, 3, 10, QChar(u'0')),
                            QStringLiteral("Item %1").arg(i, 3, 10, QChar(u'0')));
    open(project.path());
    QTreeView *view = window->lstHVSETUP()->detailsView();
    window->lstHVSETUP()->selectRow(180);
    const int scrolled = view->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    ASSERT_EQ(selectedKey(), "T179.HVT");

    QSignalSpy filled(window.get(), &frmHVSetup::listFilled);
    window->RefillList();
    ASSERT_TRUE(filled.wait(10000));
    EXPECT_EQ(selectedKey(), "T179.HVT");
    EXPECT_EQ(view->verticalScrollBar()->value(), scrolled);

    // A change made by another process refills by itself, and the place stays.
    writeFromOutside(project.path(), "ZZ.HVT", "Zebra");
    ASSERT_TRUE(showsWithin("Zebra", 10000));
    EXPECT_EQ(selectedKey(), "T179.HVT");
    EXPECT_EQ(view->verticalScrollBar()->value(), scrolled);
}

TEST_F(FolderWatchTest, NoRefillWhileAModalDialogIsOpenButOnceItCloses)
{
    project.addTemplate("A.HVT", "Alpha");
    open(project.path());
    ASSERT_FALSE(window->folderWatch()->isPolling());
    QDialog dialog(window.get());
    dialog.setModal(true);
    dialog.show();
    QSignalSpy changed(window->folderWatch(), &FolderWatch::changed);
    writeFromOutside(project.path(), "B.HVT", "Beta");
    ASSERT_TRUE(changed.wait(10000));
    EXPECT_FALSE(showsWithin("Beta", 1000));
    dialog.close();
    EXPECT_TRUE(showsWithin("Beta", 5000));
}

TEST_F(FolderWatchTest, AFolderMovedAwaySaysSoAndComesBack)
{
    project.addTemplate("A.HVT", "Alpha");
    open(project.path());
    const QString moved = project.path() + QStringLiteral("-moved");
    ASSERT_TRUE(QDir().rename(project.path(), moved));
    const auto message = [this] { return window->hvStatusBar()->currentMessage(); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return message().contains("no longer there"); }, 10000));
    EXPECT_TRUE(message().contains(project.path())) << message().toStdString();
    EXPECT_TRUE(titles().contains("Alpha")); // not an empty list that looks like the truth

    ASSERT_TRUE(QDir().rename(moved, project.path()));
    project.addTemplate("B.HVT", "Beta");
    ASSERT_TRUE(showsWithin("Beta", 10000));
    EXPECT_TRUE(message().isEmpty()) << message().toStdString();
}

TEST_F(FolderWatchTest, OnAFuseShareTheFolderIsReadAtIntervals)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    const QString folder = share.mountPoint() + QStringLiteral("/plant");
    ASSERT_TRUE(QDir().mkpath(folder));
    hvtest::writeFile(folder + QStringLiteral("/A.HVT"), "[TEMPLATE]\r\nTitle=Alpha\r\n");
    open(folder);
    EXPECT_TRUE(window->folderWatch()->isPolling());
    writeFromOutside(folder, "B.HVT", "Beta");
    EXPECT_TRUE(showsWithin("Beta", 10000));
    window.reset();
}
