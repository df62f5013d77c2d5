#include "app/AppState.h"
#include "app/UserSettings.h"
#include "app/WindowGeometry.h"
#include "files/DirClass.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/TempConfig.h"
#include "ui/direditor/frmDIR.h"
#include "ui/mainwindow/FolderTree.h"
#include "ui/mainwindow/frmHVSetup.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace hv;

TEST(ScaledScreen, TheWindowsFitASmallScreenAtTwiceTheScale)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_EQ(screen->devicePixelRatio(), 2.0);
    const QRect available = screen->availableGeometry();
    ASSERT_EQ(available.size(), QSize(640, 400));

    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    AppState::instance().reset();
    AppState::instance().SetProjectFolder(config.path() + u'/');
    // A placement kept in twips comes back at the same place in device-independent pixels
    // (twips per pixel follow the logical DPI, not the scale), and the window fits.
    const TwipsPerPixel tpp = ScreenTwipsPerPixel();
    WriteWindowSetting(WindowSettingFromPixels(QRect(10, 12, 600, 360), false, tpp));
    frmHVSetup window;
    ReadRegWindowInfo(window, false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_LE(window.minimumWidth(), available.width() * 9 / 10);
    EXPECT_LE(window.minimumHeight(), available.height() * 9 / 10);
    EXPECT_EQ(window.pos(), QPoint(10, 12));
    EXPECT_EQ(window.size(), QSize(600, 360));
    // The status bar and the folder tree can be reached.
    for (const QWidget *part : QList<QWidget *>{window.hvStatusBar(), window.hvFolderTree()})
        EXPECT_TRUE(available.contains(QRect(part->mapToGlobal(QPoint()), part->size())));

    // The editor takes the same placement; one larger than the screen is brought onto it.
    WriteWindowSetting(WindowSettingFromPixels(QRect(0, 0, 1000, 700), false, tpp));
    DirClass dir;
    frmDIR editor(dir, &window);
    QSignalSpy loaded(&editor, &frmDIR::loaded);
    editor.load(config.path() + u'/');
    ASSERT_TRUE(loaded.wait(10000) && loaded.first().first().toBool());
    EXPECT_LE(editor.minimumWidth(), available.width() * 9 / 10);
    EXPECT_LE(editor.minimumHeight(), available.height() * 9 / 10);
    EXPECT_TRUE(editor.width() <= available.width() && editor.height() <= available.height());
    AppState::instance().reset();
}
