#include "app/UserSettings.h"
#include "app/AppState.h"
#include "app/PathHelpers.h"
#include "app/WindowGeometry.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace hv;

namespace {
constexpr TwipsPerPixel k96Dpi{15.0, 15.0};
constexpr TwipsPerPixel k120Dpi{12.0, 12.0};
} // namespace

TEST(UserSettings, ValuesLiveInTheUsersConfigurationFolder)
{
    hvtest::TempConfig config;
    EXPECT_EQ(UserSettingsFile(), config.configFolder() + "HVAdmin.ini");
    EXPECT_EQ(ReadSetting("Settings", "LastFolder"), "");

    WriteSetting("Settings", "LastFolder", "/data/plant a");
    WriteSetting("Other", "Key", "x");
    EXPECT_EQ(ReadSetting("Settings", "LastFolder"), "/data/plant a");
    EXPECT_EQ(ReadSetting("Other", "LastFolder"), "");
    EXPECT_EQ(ReadSetting("Missing", "Key"), "");

    const QByteArray file = hvtest::readFile(config.configFolder() + "HVAdmin.ini");
    EXPECT_TRUE(file.contains("[Settings]"));
    EXPECT_TRUE(file.contains("LastFolder=/data/plant a"));
}

TEST(UserSettings, AFifoInPlaceOfTheStoreHoldsNothingUp)
{
    hvtest::TempConfig config;
    QDir().mkpath(config.configFolder());
    EXPECT_TRUE(hvtest::returnsDespiteFifo(
        UserSettingsFile(), [] { EXPECT_EQ(ReadSetting("Settings", "LastFolder"), ""); }));
}

TEST(UserSettings, WindowPlacementRoundTrips)
{
    hvtest::TempConfig config;
    EXPECT_EQ(ReadWindowSetting(k96Dpi), (WindowSetting{0, 0, 12000, 9000, 0}));
    EXPECT_EQ(ReadWindowSetting(k120Dpi), (WindowSetting{0, 0, 9600, 7200, 0}));

    const WindowSetting maximised{1500, -3000, 10500, 7800, WindowSetting::kMaximised};
    WriteWindowSetting(maximised);
    EXPECT_EQ(ReadSetting("Settings", "Window"), "1500,-3000,10500,7800,2");
    EXPECT_EQ(ReadWindowSetting(k96Dpi), maximised);

    const WindowSetting normal{15, 30, 6000, 4500, WindowSetting::kNormal};
    WriteWindowSetting(normal);
    EXPECT_EQ(ReadWindowSetting(k96Dpi), normal);
}

TEST(UserSettings, MalformedStoredValuesGiveTheDefaults)
{
    hvtest::TempConfig config;
    const WindowSetting fallback = DefaultWindowSetting(k96Dpi);
    for (const char *stored : {"1,2,3,4", "a,b,c,d,e", "0,0,12000,,0", "0,0,-5,9000,0",
                               "0,0,12000,0,0", "garbage", ",,,,"}) {
        WriteSetting("Settings", "Window", stored);
        EXPECT_EQ(ReadWindowSetting(k96Dpi), fallback) << stored;
    }
    // Extra parts are ignored; a state other than maximised is normal (minimised included).
    WriteSetting("Settings", "Window", "15, 30 ,6000,4500,1,99");
    EXPECT_EQ(ReadWindowSetting(k96Dpi), (WindowSetting{15, 30, 6000, 4500, 0}));

    for (const char *stored : {"4", "-1", "x", "2.5", "", "65539"}) {
        WriteSetting("Settings", "ListViewMode", stored);
        EXPECT_EQ(ReadListViewMode(), 3) << stored;
    }
    WriteListViewMode(0);
    EXPECT_EQ(ReadListViewMode(), 0);
    WriteSetting("Settings", "ListViewMode", " 2 ");
    EXPECT_EQ(ReadListViewMode(), 2);
}

TEST(UserSettings, HandWrittenStoreIsRead)
{
    hvtest::TempConfig config;
    // Unquoted commas make QSettings read a list: it is joined back.
    config.writeConfigFile("HVAdmin.ini", "[Settings]\nWindow=150,300,9000,6000,2\n"
                                          "ListViewMode=1\nLastFolder=/srv/qa\n");
    EXPECT_EQ(ReadWindowSetting(k96Dpi), (WindowSetting{150, 300, 9000, 6000, 2}));
    EXPECT_EQ(ReadListViewMode(), 1);
    EXPECT_EQ(GetLastFolder(), "/srv/qa/");
}

TEST(UserSettings, LastFolderAndViewModeWrappers)
{
    hvtest::TempConfig config;
    AppState::instance().reset();
    EXPECT_EQ(ReadLastFolder(), ProgramFolder());
    EXPECT_EQ(GetLastFolder(), ProgramFolder() + "/");

    SaveLastFolder("/data/qa/");
    EXPECT_EQ(GetLastFolder(), "/data/qa/");

    AppState::instance().SetListViewMode(1);
    SaveListViewMode();
    AppState::instance().SetListViewMode(3);
    LoadListViewMode();
    EXPECT_EQ(AppState::instance().ListViewMode(), 1);
    AppState::instance().reset();
}

TEST(WindowGeometry, TwipsAndPixelsConvertWithRounding)
{
    const WindowSetting s{1500, 3000, 12000, 9000, 2};
    EXPECT_EQ(WindowSettingToPixels(s, k96Dpi), QRect(200, 100, 800, 600));
    EXPECT_EQ(WindowSettingToPixels(s, k120Dpi), QRect(250, 125, 1000, 750));
    EXPECT_EQ(WindowSettingToPixels({7, 8, 23, 22, 0}, k96Dpi), QRect(1, 0, 2, 1));

    EXPECT_EQ(WindowSettingFromPixels(QRect(200, 100, 800, 600), true, k96Dpi), s);
    EXPECT_EQ(WindowSettingFromPixels(QRect(-10, 5, 640, 480), false, {15.0, 15.0}),
              (WindowSetting{75, -150, 9600, 7200, 0}));
    // A pixel rectangle survives the trip through twips at any DPI.
    const TwipsPerPixel odd{1440.0 / 144, 1440.0 / 110};
    const QRect r(123, 45, 678, 910);
    EXPECT_EQ(WindowSettingToPixels(WindowSettingFromPixels(r, false, odd), odd), r);
}

TEST(WindowGeometry, PlacementOffEveryScreenIsBroughtBack)
{
    const QRect primary(0, 0, 1920, 1040);
    const QRect right(1920, 0, 1280, 1000);
    const QList<QRect> both{primary, right};
    const QList<QRect> onlyPrimary{primary};

    // On a screen, or mostly off it with the title bar reachable: left alone.
    EXPECT_EQ(BringOntoScreens(QRect(2000, 100, 800, 600), both), QRect(2000, 100, 800, 600));
    EXPECT_EQ(BringOntoScreens(QRect(-600, 900, 800, 600), onlyPrimary),
              QRect(-600, 900, 800, 600));

    // The right-hand monitor was removed: the window comes back onto the primary screen.
    EXPECT_EQ(BringOntoScreens(QRect(2000, 100, 800, 600), onlyPrimary),
              QRect(1120, 100, 800, 600));
    // Title bar above the top of the screen.
    EXPECT_EQ(BringOntoScreens(QRect(100, -20, 800, 600), onlyPrimary), QRect(100, 0, 800, 600));
    // Larger than the screen: shrunk to fit.
    EXPECT_EQ(BringOntoScreens(QRect(5000, 5000, 4000, 3000), onlyPrimary), primary);
    // Lying nowhere near any screen: onto the first (primary) one.
    EXPECT_EQ(BringOntoScreens(QRect(-5000, 300, 800, 600), QList<QRect>{right, primary}),
              QRect(1920, 300, 800, 600));
    // Overlapping the second screen's body: onto that screen.
    EXPECT_EQ(BringOntoScreens(QRect(2500, -400, 800, 600), both), QRect(2400, 0, 800, 600));
    EXPECT_EQ(BringOntoScreens(QRect(1, 2, 3, 4), {}), QRect(1, 2, 3, 4));
}
