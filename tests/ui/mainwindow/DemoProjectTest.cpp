// The demo project that the repository ships (demo/) shows what it promises in the window.
#include "app/AppState.h"
#include "app/Security.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"
#include "tests/ui/mainwindow/MainWindowTestSupport.h"
#include "ui/mainwindow/CategoryBar.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/frmHVSetup.h"

#include <QFileInfo>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace hv;

namespace {

QString demoFolder()
{
    return qEnvironmentVariable("HV_SOURCE_DIR") + QStringLiteral("/demo");
}

} // namespace

TEST(DemoProject, ListsEveryKindOfItemInTheWindow)
{
    ASSERT_TRUE(QFileInfo(demoFolder()).isDir()) << "HV_SOURCE_DIR not set?";
    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    AppState::instance().reset();
    AppState::instance().SetProjectFolder(demoFolder());
    frmHVSetup window;
    window.Load();
    // The list fills off the user-interface thread.
    const auto filled = [&window] {
        return QTest::qWaitFor([&window] { return !window.isFilling(); }, 10000);
    };
    ASSERT_TRUE(filled());
    const QTreeView *view = window.lstHVSETUP()->detailsView();

    // Applications: the "$" application is left out; one table has no records.
    QStringList files = hvtest::columnTexts(view, 1);
    QStringList records = hvtest::columnTexts(view, 2);
    EXPECT_EQ(files.size(), 5);
    EXPECT_FALSE(files.join(',').contains('$'));
    EXPECT_EQ(records.at(files.indexOf("VISITORS.HVT")), "0");
    for (const char *name : {"PLANT1.HVT", "LINE4.HVT", "FORKLIFT.HVT"})
        EXPECT_GT(records.at(files.indexOf(name)).toInt(), 0) << name;

    window.grdOUtlookBar()->setCurrentCell(1, 1);
    ASSERT_TRUE(filled());
    EXPECT_EQ(hvtest::columnTexts(view).mid(1), (QStringList{"Defect Codes", "Shift Codes"}));

    // Directory files: the current form, one naming a missing template, and the old form.
    window.grdOUtlookBar()->setCurrentCell(5, 1);
    ASSERT_TRUE(filled());
    files = hvtest::columnTexts(view, 1);
    const QStringList entries = hvtest::columnTexts(view, 2);
    EXPECT_EQ(entries.at(files.indexOf("PLANT.DIR")), "3");
    EXPECT_EQ(entries.at(files.indexOf("OFFICE.DIR")), "2");
    EXPECT_NE(files.indexOf("legacy.dir"), -1);
    EXPECT_FALSE(QFileInfo::exists(demoFolder() + "/RECEPT.HVT"));
    EXPECT_TRUE(boxes.shown.empty());
    AppState::instance().reset();
}

TEST(DemoProject, SecurityTableAsksForNoLogin)
{
    hvtest::TempConfig config;
    QFile table(demoFolder() + "/config/SECURITY.DBF");
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    config.writeConfigFile("SECURITY.DBF", table.readAll());
    const SecurityAssessment assessment = AssessSecurity();
    EXPECT_EQ(assessment.securityFile, config.configFolder() + "SECURITY.DBF");
    EXPECT_TRUE(assessment.canStart);
    EXPECT_FALSE(assessment.loginRequired);
    EXPECT_EQ(LoadSecurityTable().RowCount(), 2);
}
