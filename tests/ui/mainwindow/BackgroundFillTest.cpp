#include "ui/mainwindow/BackgroundFill.h"

#include "app/AppState.h"
#include "app/Jobs.h"
#include "app/Startup.h"
#include "app/UserSettings.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/FakePicker.h"
#include "tests/common/SlowShare.h"
#include "tests/common/TempConfig.h"
#include "tests/ui/mainwindow/MainWindowTestSupport.h"
#include "ui/ItemActions.h"
#include "ui/dialogs/TemplatePickerDialog.h"
#include "ui/direditor/frmDIR.h"
#include "ui/mainwindow/CategoryBar.h"
#include "ui/mainwindow/FolderModel.h"
#include "ui/mainwindow/FolderTree.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "ui/support/JobProgressView.h"
#include "ui/support/Main.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

using namespace hv;

namespace {

// A component whose every template waits until the user-interface thread lets it go: a fill
// on the user-interface thread could never finish.
class GatedTemplateInfo : public TemplateInfo {
public:
    GatedTemplateInfo(std::atomic<bool> &open, std::atomic<int> *reads)
        : m_open(open), m_reads(reads)
    {
    }
    void SetTemplatePath(const QString &) override {}
    QString TemplatePath() const override { return {}; }
    void OpenTemplate() override {}
    bool IsValidTemplate() override { return true; }
    QString TemplateTitle() override { return {}; }
    TemplateEntries Entries() const override { return {}; }
    QString BasePath() const override { return {}; }
    void CloseTemplate() override {}
    void GetApplicationInfo(const QString &path, QString &title, qint32 &count,
                            QString &stamp) override
    {
        if (m_reads)
            ++*m_reads;
        QElapsedTimer waited;
        waited.start();
        while (!m_open && waited.elapsed() < 20000)
            QThread::yieldCurrentThread();
        title = m_open ? path.mid(path.lastIndexOf(u'/') + 1) : QStringLiteral("stuck");
        count = 0;
        stamp.clear();
    }
    void GetPopupInfo(const QString &path, QString &title, qint32 &count, QString &stamp) override
    {
        GetApplicationInfo(path, title, count, stamp);
    }

private:
    std::atomic<bool> &m_open;
    std::atomic<int> *m_reads;
};

} // namespace

namespace {

void makeTemplates(const QTemporaryDir &dir, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
}

ListSource gatedSource(const QTemporaryDir &dir, std::atomic<bool> &open,
                       std::atomic<int> *reads = nullptr)
{
    ListSource source;
    source.projectFolder = dir.path();
    source.templateFactory = [&open, reads] {
        return std::make_unique<GatedTemplateInfo>(open, reads);
    };
    return source;
}

} // namespace

TEST(BackgroundFill, WindowThreadRunsAndReportsProgressWhileTheFillWaits)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    makeTemplates(dir, {"b.HVT", "a.HVT", "c.hvt"});
    std::atomic<bool> open{false};

    // The gate opens only once the window thread has reported progress, which it does from
    // half a second into the fill on.
    ListFill fill;
    qsizetype reportedFound = -1;
    QObject::connect(&fill, &ListFill::progress, [&](qsizetype, qsizetype found) {
        reportedFound = found;
        open = true;
    });
    QList<CategoryList> lists;
    QObject::connect(&fill, &ListFill::filled, [&](const CategoryList &list) { lists << list; });
    fill.start(Category::Applications, gatedSource(dir, open));
    EXPECT_TRUE(fill.isRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !lists.isEmpty(); }, 20000));
    EXPECT_FALSE(fill.isRunning());
    EXPECT_EQ(reportedFound, 3);
    const CategoryList &list = lists.first();
    ASSERT_EQ(list.rows.size(), 4);
    EXPECT_EQ(list.rows[1].text, QStringLiteral("a.HVT"));
    EXPECT_EQ(list.rows[3].text, QStringLiteral("c.hvt"));
}

TEST(BackgroundFill, ANewFillDropsTheListOfTheFillItReplaced)
{
    QTemporaryDir stalled;
    QTemporaryDir other;
    ASSERT_TRUE(stalled.isValid() && other.isValid());
    makeTemplates(stalled, {"old1.HVT", "old2.HVT", "old3.HVT", "old4.HVT", "old5.HVT"});
    makeTemplates(other, {"new.HVT"});
    std::atomic<bool> stalledOpen{false};
    std::atomic<bool> otherOpen{true};
    std::atomic<int> stalledReads{0};

    ListFill fill;
    QList<CategoryList> lists;
    QObject::connect(&fill, &ListFill::filled, [&](const CategoryList &list) { lists << list; });
    fill.start(Category::Applications, gatedSource(stalled, stalledOpen, &stalledReads));
    ASSERT_TRUE(QTest::qWaitFor([&] { return stalledReads == 1; }, 10000));
    const quint64 first = fill.generation();
    fill.start(Category::Applications, gatedSource(other, otherOpen));
    EXPECT_GT(fill.generation(), first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !lists.isEmpty(); }, 10000));
    EXPECT_EQ(lists.first().rows.value(1).text, QStringLiteral("new.HVT"));

    // The replaced fill ends later, without reading its other files; its list never shows.
    stalledOpen = true;
    ASSERT_TRUE(QTest::qWaitFor([] { return runningJobCount() == 0; }, 10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(stalledReads, 1);
    EXPECT_EQ(lists.size(), 1);
    EXPECT_FALSE(fill.isRunning());
}

TEST(BackgroundFill, AWindowOnAShareThatStoppedAnsweringShowsSaysSoAndStillOpensAnotherFolder)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    const QString stalled = share.mountPoint() + QStringLiteral("/plant");
    ASSERT_TRUE(QDir().mkpath(stalled));
    hvtest::writeFile(stalled + QStringLiteral("/PLANT.HVT"), "[TEMPLATE]\r\nTitle=Plant\r\n");
    QTemporaryDir local;
    hvtest::writeFile(local.filePath(QStringLiteral("OFFICE.HVT")),
                      "[TEMPLATE]\r\nTitle=Office\r\n");
    AppState::instance().reset();
    AppState::instance().SetProjectFolder(stalled + u'/');
    JobTimings timings;
    timings.progressAfterMs = 20;
    timings.notAnsweringAfterMs = 300;
    timings.tickMs = 10;
    setJobTimings(timings);
    if (!share.stall())
        GTEST_SKIP() << "the share went on answering after it was told to stall";

    QElapsedTimer clock;
    clock.start();
    {
        frmHVSetup window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_LT(clock.elapsed(), 3000);
        const auto message = [&window] { return window.hvStatusBar()->currentMessage(); };
        ASSERT_TRUE(QTest::qWaitFor([&] { return message().contains("not answering"); }, 5000))
            << message().toStdString();
        EXPECT_TRUE(message().contains(stalled)) << message().toStdString();
        EXPECT_TRUE(window.isFilling());

        // Another folder opens while the share still does not answer.
        Q_EMIT window.hvFolderTree()->folderClicked(local.path());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isFilling(); }, 5000));
        EXPECT_EQ(hvtest::columnTexts(window.lstHVSETUP()->detailsView()),
                  (QStringList{"Create New Application", "Office"}));
        EXPECT_TRUE(message().isEmpty()) << message().toStdString();
        window.close();
    }
    EXPECT_LT(clock.elapsed(), 8000);
    setJobTimings(JobTimings());
    share.release();
    AppState::instance().reset();
}

// A start whose last folder does not answer shows the window at once, saying so, and lists the
// folder once it answers.
TEST(BackgroundFill, AStartOnALastFolderThatDoesNotAnswerShowsTheWindowAtOnce)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    const QString stalled = share.mountPoint() + QStringLiteral("/plant");
    ASSERT_TRUE(QDir().mkpath(stalled));
    hvtest::writeFile(stalled + QStringLiteral("/PLANT.HVT"), "[TEMPLATE]\r\nTitle=Plant\r\n");
    WriteLastFolder(stalled + u'/');
    AppState::instance().reset();
    const auto answerAgain = qScopeGuard([&share] {
        share.release();
        AppState::instance().reset();
    });
    if (!share.stall())
        GTEST_SKIP() << "the share went on answering after it was told to stall";

    QElapsedTimer clock;
    clock.start();
    const std::unique_ptr<QWidget> created =
        Main([] { return std::unique_ptr<QWidget>(std::make_unique<frmHVSetup>()); });
    ASSERT_NE(created, nullptr);
    auto &window = *qobject_cast<frmHVSetup *>(created.get());
    EXPECT_TRUE(window.isVisible());
    EXPECT_LT(clock.elapsed(), kStartupFolderGraceMs + 600);
    EXPECT_EQ(window.hvStatusBar()->currentMessage(),
              "The folder " + stalled + " is not answering.");

    share.release();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return !window.isFilling() &&
                   hvtest::columnTexts(window.lstHVSETUP()->detailsView()).contains("Plant");
        },
        5000));
    EXPECT_TRUE(window.hvStatusBar()->currentMessage().isEmpty());
    EXPECT_EQ(AppState::instance().ProjectFolder(), stalled + u'/');
    EXPECT_TRUE(boxes.shown.empty());
    window.close();
}

// The editor's read runs as a job: the main window goes on painting and shows the read's
// progress, then says the folder is not answering; the editor does not open, and the window
// closes at once.
TEST(BackgroundFill, TheDirectoryEditorOnAShareThatStoppedAnsweringLeavesTheWindowAnswering)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    hvtest::writeFile(share.mountPoint() + QStringLiteral("/PLANT.DIR"),
                      "[DIRECTORY]\r\nCaption=Plant\r\n");
    QTemporaryDir local;
    AppState::instance().reset();
    AppState::instance().SetProjectFolder(local.path() + u'/');
    JobTimings timings;
    timings.progressAfterMs = 20;
    timings.notAnsweringAfterMs = 600;
    timings.tickMs = 10;
    setJobTimings(timings);

    {
        frmHVSetup window;
        // The window (its folder tree) is destroyed once the share answers again.
        const auto answerAgain = qScopeGuard([&share] { share.release(); });
        window.show();
        // The share becomes the project folder without the folder tree showing it: the
        // tree's model looks at the folders it lists on the window's thread.
        AppState::instance().SetProjectFolder(share.mountPoint() + u'/');
        window.grdOUtlookBar()->setCurrentCell(5, 1); // Directory Files
        ASSERT_TRUE(QTest::qWaitFor([&window] { return !window.isFilling(); }, 10000));
        window.lstHVSETUP()->selectRow(1);
        if (!share.stall())
            GTEST_SKIP() << "the share went on answering after it was told to stall";

        QElapsedTimer clock;
        clock.start();
        QStringList shown;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (window.jobProgress()->isVisible() && !shown.contains(window.jobProgress()->text()))
                shown << window.jobProgress()->text();
        });
        watch.start(5);
        window.itemActions()->lstHVSetup_DblClick();
        EXPECT_LT(clock.elapsed(), 500);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return !window.itemActions()->isBusy() && !window.findChild<frmDIR *>(); },
            5000));
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown[0].text.contains("not answering"));
        EXPECT_TRUE(shown.contains("Reading PLANT.DIR")) << shown.join(" | ").toStdString();
        EXPECT_TRUE(window.jobProgress()->isVisible());
        EXPECT_EQ(window.jobProgress()->text(),
                  "The folder " + share.mountPoint() + " is not answering.");
        clock.restart();
        window.close();
        EXPECT_LT(clock.elapsed(), 1000);
    }
    setJobTimings(JobTimings());
    AppState::instance().reset();
}

// A save on a share that stops answering leaves the editor answering: it says so, keeps
// the changes to be saved again, and closes when asked.
TEST(BackgroundFill, TheDirectoryEditorsSaveOnAShareThatStoppedAnsweringKeepsTheChanges)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    const QString path = share.mountPoint() + QStringLiteral("/PLANT.DIR");
    hvtest::writeFile(path, "[DIRECTORY]\r\nCaption=Plant\r\n[FILE]\r\nTitle=Line\r\n"
                            "Filename=LINE.HVT\r\nAccess=W\r\n");
    // A template that is there: reading it opens it, which always asks the share.
    hvtest::writeFile(share.mountPoint() + QStringLiteral("/ADDED.HVT"),
                      "[TEMPLATE]\r\nTITLE=Added\r\n");
    JobTimings timings;
    timings.notAnsweringAfterMs = 300;
    timings.tickMs = 10;
    setJobTimings(timings);
    DirClass dir;
    {
        frmDIR editor(dir, nullptr, [](QWidget *) {
            return std::make_unique<hvtest::FakePicker>(QStringLiteral("ADDED.HVT"));
        });
        const auto answerAgain = qScopeGuard([&share] { share.release(); });
        QSignalSpy loaded(&editor, &frmDIR::loaded);
        editor.load(path);
        ASSERT_TRUE(loaded.wait(5000) && loaded.first().first().toBool());
        editor.show();
        editor.txtDIRCaption()->setText(QStringLiteral("Plant 2"));
        if (!share.stall())
            GTEST_SKIP() << "the share went on answering after it was told to stall";

        // Adding a template reads it: the click returns at once, and nothing is added from a
        // folder that does not answer.
        QElapsedTimer clock;
        clock.start();
        editor.cmdAdd()->click();
        EXPECT_LT(clock.elapsed(), 500);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.empty(); }, 5000));
        EXPECT_TRUE(boxes.shown[0].text.contains("not answering"));
        EXPECT_FALSE(editor.isBusy());
        EXPECT_EQ(dir.DirEntries().Count(), 1);
        boxes.shown.clear();

        QSignalSpy saved(&editor, &frmDIR::saved);
        clock.restart();
        editor.mnuSave()->trigger();
        EXPECT_LT(clock.elapsed(), 500);
        EXPECT_TRUE(editor.isBusy());
        EXPECT_FALSE(editor.txtDIRCaption()->isEnabled());
        ASSERT_TRUE(saved.wait(5000));
        EXPECT_FALSE(saved.first().first().toBool());
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown[0].text.contains("not answering"))
            << boxes.shown[0].text.toStdString();
        EXPECT_TRUE(dir.ChangeFlag());
        EXPECT_TRUE(editor.mnuSave()->isEnabled());
        boxes.answers = {MsgAnswer::No};
        editor.close();
        EXPECT_FALSE(editor.isVisible());
    }
    setJobTimings(JobTimings());
}

TEST(BackgroundFill, TheTemplatePickerListsAFolderOffTheWindowThread)
{
    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    QTemporaryDir dir;
    makeTemplates(dir, {"B.HVT", "A.HVT"});
    TemplatePickerDialog picker;
    QSignalSpy listed(&picker, &TemplatePickerDialog::listed);
    picker.showFolder(dir.path());
    EXPECT_TRUE(picker.isListing());
    ASSERT_TRUE(listed.wait(5000));
    ASSERT_EQ(picker.templateList()->topLevelItemCount(), 2);
    EXPECT_EQ(picker.selectedPaths().size(), 0);

    // A folder that is not there: said so, and the list stays that of the folder shown.
    picker.showFolder(dir.filePath(QStringLiteral("missing")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !picker.isListing(); }, 5000));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("cannot be found"));
    EXPECT_EQ(picker.templateList()->topLevelItemCount(), 2);
    EXPECT_EQ(listed.size(), 1);
}

TEST(BackgroundFill, TheFolderTreeAsksAStalledShareOffTheWindowThread)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    FolderTree tree;
    tree.resize(300, 400);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree.isListing(); }, 5000));
    const auto answerAgain = qScopeGuard([&share] { share.release(); });
    if (!share.stall())
        GTEST_SKIP() << "the share went on answering after it was told to stall";
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(tree.showFolder(share.mountPoint()));
    EXPECT_LT(clock.elapsed(), 100);
    EXPECT_EQ(tree.selectedFolder(), share.mountPoint()); // on its way, not refused
}

namespace {

// The longest time the window thread went without running its timers, from construction on.
class WindowThreadGaps {
public:
    WindowThreadGaps()
    {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this] { m_longest = std::max(m_longest, m_clock.restart()); });
        m_timer.start(10);
    }
    qint64 longest() const { return std::max(m_longest, m_clock.elapsed()); }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

// Lets a stalled share answer again after `ms` unless dismissed first: a window thread stuck
// on the share fails the test instead of hanging it.
class ReleaseLater {
public:
    ReleaseLater(hvtest::SlowShare &share, int ms)
        : m_thread([this, &share, ms] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, std::chrono::milliseconds(ms),
                                   [this] { return m_dismissed; }))
                  share.release();
          })
    {
    }
    ~ReleaseLater()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_dismissed = true;
        }
        m_done.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_dismissed = false;
    std::thread m_thread;
};

// Shows `folder` in `tree` and waits until it is selected.
bool showAndSelect(FolderTree &tree, const QString &folder)
{
    tree.resize(300, 400);
    tree.show();
    if (!QTest::qWaitForWindowExposed(&tree))
        return false;
    tree.showFolder(folder);
    return QTest::qWaitFor(
        [&] { return tree.currentIndex().isValid() && tree.selectedFolder() == folder; }, 5000);
}

// Whether the tree has a row for each folder of `path`, found by the names it shows.
bool hasRowFor(const QTreeView &tree, const QString &path)
{
    const QAbstractItemModel *model = tree.model();
    QModelIndex index = model->index(0, 0);
    for (const QString &name : path.split(u'/', Qt::SkipEmptyParts)) {
        QModelIndex child;
        for (int row = 0; row < model->rowCount(index) && !child.isValid(); ++row) {
            if (model->index(row, 0, index).data().toString() == name)
                child = model->index(row, 0, index);
        }
        if (!child.isValid())
            return false;
        index = child;
    }
    return true;
}

} // namespace

TEST(BackgroundFill, TheFolderTreeExpandsAFolderOfAStalledShareWithoutWaitingForIt)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    ASSERT_TRUE(QDir().mkpath(share.mountPoint() + QStringLiteral("/plant")));
    JobTimings quick;
    quick.notAnsweringAfterMs = 300;
    quick.tickMs = 20;
    setJobTimings(quick);
    const auto restore = qScopeGuard([] { setJobTimings(JobTimings()); });
    FolderTree tree;
    ASSERT_TRUE(showAndSelect(tree, share.mountPoint()));
    FolderModel *model = tree.folderModel();
    const QModelIndex mount = tree.currentIndex();
    EXPECT_TRUE(model->hasChildren(mount)); // not listed yet
    const auto answerAgain = qScopeGuard([&share] { share.release(); });
    if (!share.stall())
        GTEST_SKIP() << "the share went on answering after it was told to stall";
    const ReleaseLater safety(share, 4000);

    const WindowThreadGaps gaps;
    tree.expand(mount);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return model->rowCount(mount) == 1 && model->isPlaceholder(model->index(0, 0, mount));
        },
        3000));
    EXPECT_LT(gaps.longest(), 100);
    EXPECT_EQ(model->index(0, 0, mount).data().toString(), "(not answering)");
    EXPECT_FALSE(model->flags(model->index(0, 0, mount)) & Qt::ItemIsSelectable);

    // Once the share answers, its folders replace the placeholder.
    share.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->isListed(mount); }, 5000));
    ASSERT_EQ(model->rowCount(mount), 1);
    EXPECT_EQ(model->filePath(model->index(0, 0, mount)), share.mountPoint() + "/plant");
}

TEST(BackgroundFill, TheFolderTreeFollowsAFolderHoldingAStalledShareWithoutAskingTheShare)
{
    hvtest::SlowShare share;
    if (!share.mount())
        GTEST_SKIP() << share.skipReason().toStdString();
    const QString holder = QFileInfo(share.mountPoint()).path();
    FolderTree tree;
    ASSERT_TRUE(showAndSelect(tree, share.mountPoint()));
    const auto answerAgain = qScopeGuard([&share] { share.release(); });
    if (!share.stall())
        GTEST_SKIP() << "the share went on answering after it was told to stall";
    const ReleaseLater safety(share, 4000);

    // The folder that holds the stalled mount point changes: the tree shows the new folder,
    // and the window thread never waits on the share meanwhile.
    const WindowThreadGaps gaps;
    QTemporaryDir added(holder + QStringLiteral("/added-XXXXXX"));
    ASSERT_TRUE(added.isValid());
    EXPECT_TRUE(QTest::qWaitFor([&] { return hasRowFor(tree, added.path()); }, 3000));
    EXPECT_LT(gaps.longest(), 100);
    EXPECT_EQ(tree.selectedFolder(), share.mountPoint());
}
