#include "ui/support/WindowPlacement.h"
#include "app/AppState.h"
#include "app/UserSettings.h"
#include "app/WindowGeometry.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/LogCapture.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"
#include "ui/support/Main.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

using namespace hv;

namespace {

// A window that records its load and whether it was visible then.
class CountingWindow : public QMainWindow, public LoadableWindow {
public:
    void Load() override
    {
        if (loaded)
            return;
        loaded = true;
        hiddenAtLoad = !isVisible();
    }
    bool loaded = false;
    bool hiddenAtLoad = false;
};

class WindowPlacementTest : public ::testing::Test {
protected:
    hvtest::TempConfig config;
    hvtest::LogCapture log;
};

} // namespace

TEST_F(WindowPlacementTest, NothingStoredOpensAtTheTopLeftAt800By600)
{
    EXPECT_EQ(ScreenTwipsPerPixel().x,
              1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchX());
    CountingWindow window;
    window.setObjectName("frmHVSetup");
    ReadRegWindowInfo(window, false);
    EXPECT_TRUE(window.loaded);
    EXPECT_TRUE(window.hiddenAtLoad);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMaximized());
    EXPECT_EQ(window.pos(), QPoint(0, 0));
    EXPECT_EQ(window.size(), QSize(800, 600));

    ReadRegWindowInfo(window, true); // placing again with keep-hidden hides it
    EXPECT_FALSE(window.isVisible());

    ASSERT_TRUE(log.waitFor(2));
    EXPECT_EQ(log.entries[0].module, "mRegistryEdit");
    EXPECT_EQ(log.entries[0].procedure, "ReadRegWindowInfo");
    EXPECT_EQ(log.messages(), (QStringList{"Read Window Settings for: frmHVSetup",
                                           "Read Window Settings for: frmHVSetup"}));
}

TEST_F(WindowPlacementTest, NormalPlacementRoundTrips)
{
    const TwipsPerPixel tpp = ScreenTwipsPerPixel();
    QMainWindow window;
    window.setObjectName("frmDIR");
    window.move(40, 30);
    window.resize(300, 200);
    window.show();
    WriteRegWindowInfo(window);
    EXPECT_EQ(ReadWindowSetting(tpp), WindowSettingFromPixels(QRect(40, 30, 300, 200), false, tpp));

    QMainWindow other;
    ReadRegWindowInfo(other, false);
    EXPECT_EQ(other.pos(), QPoint(40, 30));
    EXPECT_EQ(other.size(), QSize(300, 200));
    ASSERT_TRUE(log.waitFor(2));
    EXPECT_EQ(log.entries[0].procedure, "WriteRegWindowInfo");
    EXPECT_EQ(log.entries[0].message, "Write Window Settings for: frmDIR");
    EXPECT_EQ(log.entries[1].message, "Read Window Settings for: QMainWindow");
}

TEST_F(WindowPlacementTest, MaximisedAndMinimisedWindowsStoreTheirRestoredRectangle)
{
    const TwipsPerPixel tpp = ScreenTwipsPerPixel();
    QMainWindow window;
    window.move(50, 40);
    window.resize(320, 240);
    window.show();
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMaximized(); }, 2000));
    WriteRegWindowInfo(window);
    EXPECT_EQ(ReadWindowSetting(tpp), WindowSettingFromPixels(QRect(50, 40, 320, 240), true, tpp));

    // Comes back maximised; restoring it gives the size it had before.
    QMainWindow again;
    ReadRegWindowInfo(again, false);
    EXPECT_TRUE(again.isMaximized());
    again.showNormal();
    EXPECT_EQ(again.size(), QSize(320, 240));

    // Stored while minimised: normal.
    QMainWindow small;
    small.move(60, 70);
    small.resize(200, 100);
    small.show();
    small.showMinimized();
    WriteRegWindowInfo(small);
    EXPECT_EQ(ReadWindowSetting(tpp).state, WindowSetting::kNormal);
    QMainWindow back;
    ReadRegWindowInfo(back, false);
    EXPECT_FALSE(back.isMaximized());
    EXPECT_FALSE(back.isMinimized());
    EXPECT_EQ(back.size(), QSize(200, 100));
}

TEST_F(WindowPlacementTest, PlacementOnARemovedMonitorComesBackOnScreen)
{
    const TwipsPerPixel tpp = ScreenTwipsPerPixel();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    WriteWindowSetting(
        WindowSettingFromPixels(QRect(screen.right() + 1000, 20, 300, 200), false, tpp));
    QMainWindow window;
    ReadRegWindowInfo(window, false);
    EXPECT_TRUE(screen.contains(QRect(window.pos(), window.size())));
    EXPECT_EQ(window.size(), QSize(300, 200));
}

TEST_F(WindowPlacementTest, MainShowsTheWindowOnlyWhenTheSecurityCheckPasses)
{
    hvtest::FakeMessageService boxes;
    AppState::instance().reset();
    int created = 0;
    auto factory = [&] {
        ++created;
        auto window = std::make_unique<CountingWindow>();
        window->setObjectName("frmHVSetup");
        return std::unique_ptr<QWidget>(std::move(window));
    };

    config.writeConfigFile("hv.ini", "HVSECURE.SECURITYFILE=/no/such/folder/SEC.DBF\r\n");
    EXPECT_EQ(Main(factory), nullptr);
    EXPECT_EQ(created, 0);
    ASSERT_EQ(boxes.shown.size(), 1u); // through the test's service, not a real box
    EXPECT_EQ(boxes.shown[0].caption, "Check Security");

    ASSERT_TRUE(log.waitFor(3));
    EXPECT_EQ(log.messages().last(), "Security Check Failed");
    QFile::remove(config.configFolder() + "hv.ini");
    log.entries.clear();
    std::unique_ptr<QWidget> window = Main(factory);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(static_cast<CountingWindow *>(window.get())->loaded);
    ASSERT_TRUE(log.waitFor(4));
    EXPECT_EQ(log.messages().first(), "HVAdmin Started");
    EXPECT_EQ(log.messages().last(), "Read Window Settings for: frmHVSetup");
    AppState::instance().reset();
}

// Under a window manager a maximised window loses its borders, so its frame is not its normal
// frame. The parent test starts a display and a window manager and runs the child in this
// program on them; the child skips when run on its own.
namespace {

struct ManagedRun {
    bool started = false; // the display and its window manager came up
    bool passed = false;  // the child ran (was not skipped) and passed
    bool failed = false;  // the child ran and failed
    QByteArray output;
};

ManagedRun runOnManagedDesktop(const QString &xvfb, const QString &openbox, const QString &xprop)
{
    ManagedRun run;
    QProcess server;
    server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
    QProcess manager;
    const auto stop = qScopeGuard([&] {
        for (QProcess *process : {&manager, &server}) {
            process->terminate();
            process->waitForFinished(5000);
        }
    });
    if (!QTest::qWaitFor([&] { return server.canReadLine(); }, 10000))
        return run;
    const QString display = u':' + QString::fromLatin1(server.readLine().trimmed());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    manager.setProcessEnvironment(env);
    manager.start(openbox, {"--sm-disable"});
    // The manager has taken the display once it names itself on the root window.
    run.started = manager.waitForStarted() &&
                  QTest::qWaitFor(
                      [&] {
                          return hvtest::runProgram(xprop, {"-display", display, "-root",
                                                            "_NET_SUPPORTING_WM_CHECK"})
                              .out.contains("window id");
                      },
                      20000);
    if (!run.started)
        return run;
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("HV_MANAGED_DESKTOP", "1");
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=ManagedDesktop.ChildRoundTrips"});
    const bool ended = child.waitForFinished(60000);
    run.output = child.readAll();
    run.passed = ended && run.output.contains("[  PASSED  ] 1 test");
    run.failed = !ended || run.output.contains("[  FAILED  ]");
    return run;
}

} // namespace

TEST(ManagedDesktop, MaximisedPlacementsComeBackAsStored)
{
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    const QString openbox = QStandardPaths::findExecutable("openbox");
    const QString xprop = QStandardPaths::findExecutable("xprop");
    if (xvfb.isEmpty() || openbox.isEmpty() || xprop.isEmpty())
        GTEST_SKIP() << "needs Xvfb, openbox and xprop";
    // A fresh display and window manager now and then come up too slowly to take the child's
    // window in time; the round trip itself does not depend on timing, so a drift fails
    // every attempt.
    ManagedRun run;
    ManagedRun lastFailed;
    for (int attempt = 0; attempt < 3 && !run.passed; ++attempt) {
        run = runOnManagedDesktop(xvfb, openbox, xprop);
        if (run.failed)
            lastFailed = run;
    }
    if (run.passed)
        return;
    ASSERT_FALSE(lastFailed.failed) << lastFailed.output.toStdString();
    GTEST_SKIP() << "the display or its window manager did not take the window in time";
}

TEST(ManagedDesktop, ChildRoundTrips)
{
    if (qEnvironmentVariableIsEmpty("HV_MANAGED_DESKTOP"))
        GTEST_SKIP() << "runs on the display that MaximisedPlacementsComeBackAsStored starts";
    hvtest::TempConfig config;
    const TwipsPerPixel tpp = ScreenTwipsPerPixel();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    // Maximised by the window manager, borders gone.
    const auto settled = [&](QWidget &window) {
        return QTest::qWaitFor(
            [&] { return window.isMaximized() && window.frameGeometry() == available; }, 10000);
    };
    const WindowSetting stored{750, 1500, 9000, 6000, WindowSetting::kMaximised};
    WriteWindowSetting(stored);
    for (int save = 0; save < 3; ++save) {
        QMainWindow window;
        ReadRegWindowInfo(window, false);
        // A manager too slow to maximise it says nothing about the placement's round trip.
        if (!settled(window))
            GTEST_SKIP() << "the window manager did not maximise the window in time";
        WriteRegWindowInfo(window);
        EXPECT_EQ(ReadWindowSetting(tpp), stored) << "save " << save;
    }

    // Maximised by the user from where it was placed.
    WriteWindowSetting({750, 1500, 9000, 6000, WindowSetting::kNormal});
    QMainWindow window;
    ReadRegWindowInfo(window, false);
    if (!QTest::qWaitFor([&] { return window.frameGeometry() != window.geometry(); }, 10000))
        GTEST_SKIP() << "the window manager did not frame the window in time";
    window.showMaximized();
    if (!settled(window))
        GTEST_SKIP() << "the window manager did not maximise the window in time";
    WriteRegWindowInfo(window);
    EXPECT_EQ(ReadWindowSetting(tpp), stored);
}
