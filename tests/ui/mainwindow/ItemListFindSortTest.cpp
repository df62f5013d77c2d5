// The item list's sort, filter box and item counts, through the main window.
#include "app/AppState.h"
#include "app/UserSettings.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/TempConfig.h"
#include "tests/ui/mainwindow/MainWindowTestSupport.h"
#include "ui/mainwindow/CategoryBar.h"
#include "ui/mainwindow/ItemFilterBox.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/StatusNoticePanel.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "ui/support/WindowPlacement.h"

#include <QDateTime>
#include <QHeaderView>
#include <QTreeView>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace hv;

// A value that a fill (which may run in the background) brings, within a bounded wait.
#define EXPECT_EQ_SOON(actual, expected)                                                           \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, 5000);                       \
        EXPECT_EQ(actual, expected);                                                               \
    } while (false)

namespace {

// A dBase III table holding `records` records of one 10-character field.
QByteArray table(int records)
{
    QByteArray t(32, '\0');
    t[0] = 3;
    t[1] = char(126);
    t[2] = 12;
    t[3] = 7;
    qToLittleEndian<qint32>(records, t.data() + 4);
    qToLittleEndian<qint16>(65, t.data() + 8);
    qToLittleEndian<qint16>(11, t.data() + 10);
    QByteArray descriptor("NAME\0\0\0\0\0\0\0C", 12);
    descriptor.append(QByteArray(4, '\0')).append(char(10)).append(QByteArray(15, '\0'));
    t.append(descriptor).append('\r');
    for (int i = 0; i < records; ++i)
        t.append(' ').append(QByteArray(10, 'x'));
    return t.append('\x1a');
}

class ItemListFindSortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppState::instance().reset();
        addApplication("L10", "Line 10", 3, "2026-01-05T08:00:00Z");
        addApplication("L2", "Line 2", 12, "2025-12-31T23:00:00Z");
        addApplication("L1", "line 1", 0, "2026-03-01T10:00:00Z");
        addApplication("CAFE", "Café Süd", 100, "2024-06-01T12:00:00Z");
        project.addTemplate("CODES.HPT", "Defect Codes");
        hvtest::writeFile(project.path() + "/CODES.hpd", table(2));
        project.addDirectory("PLANT.DIR", "Plant", 1);
        project.addDirectory("OFFICE.DIR", "Office", 2);
        AppState::instance().SetProjectFolder(project.path());
    }
    void TearDown() override { AppState::instance().reset(); }

    void addApplication(const QString &stem, const QString &title, int records, const char *when)
    {
        const QString data = project.path() + u'/' + stem + ".hvd";
        project.addTemplate(stem + ".HVT", title);
        hvtest::writeFile(data, table(records));
        QFile file(data);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::fromString(QLatin1String(when), Qt::ISODate),
                                     QFileDevice::FileModificationTime));
    }

    std::unique_ptr<frmHVSetup> startWindow()
    {
        auto window = std::make_unique<frmHVSetup>();
        ReadRegWindowInfo(*window, false);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    hvtest::ProjectFolder project{config.path(), QStringLiteral("plant")};
};

QStringList titles(frmHVSetup &window)
{
    return hvtest::columnTexts(window.lstHVSETUP()->detailsView());
}

QPoint sectionCentre(QHeaderView *header, int section)
{
    return {header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
            header->height() / 2};
}

void clickSection(frmHVSetup &window, int section)
{
    QHeaderView *header = window.lstHVSETUP()->detailsView()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, sectionCentre(header, section));
}

const QStringList kTitleOrder{"Create New Application", "Café Süd", "line 1", "Line 10", "Line 2"};

} // namespace

TEST_F(ItemListFindSortTest, AClickedColumnSortsNaturallyEitherWayWithTheCreateNewRowOnTop)
{
    auto window = startWindow();
    EXPECT_EQ_SOON(titles(*window), kTitleOrder);

    clickSection(*window, 0);
    EXPECT_EQ(titles(*window),
              (QStringList{"Create New Application", "Café Süd", "line 1", "Line 2", "Line 10"}));
    clickSection(*window, 0);
    EXPECT_EQ(titles(*window),
              (QStringList{"Create New Application", "Line 10", "Line 2", "line 1", "Café Süd"}));
    clickSection(*window, 1); // file names
    EXPECT_EQ(hvtest::columnTexts(window->lstHVSETUP()->detailsView(), 1),
              (QStringList{"", "CAFE.HVT", "L1.HVT", "L2.HVT", "L10.HVT"}));
    clickSection(*window, 2); // records: 0, 3, 12, 100 as numbers
    EXPECT_EQ(titles(*window),
              (QStringList{"Create New Application", "line 1", "Line 10", "Line 2", "Café Süd"}));
    clickSection(*window, 3); // dates
    EXPECT_EQ(titles(*window),
              (QStringList{"Create New Application", "Café Süd", "Line 2", "Line 10", "line 1"}));

    // A click on a row chooses the item shown there, whatever the order.
    QTreeView *view = window->lstHVSETUP()->detailsView();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(2, 0)).center());
    ASSERT_EQ(window->selectedItems().size(), 1);
    EXPECT_EQ(window->selectedItems().first().key, "L2.HVT");
    EXPECT_EQ(window->selectedItems().first().title, "Line 2");

    // A refill keeps the order.
    hvtest::writeFile(project.path() + "/L3.HVT", "[TEMPLATE]\r\nTitle=Line 3\r\n");
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ_SOON(titles(*window).size(), 6);
    EXPECT_EQ(titles(*window).value(1), "Café Süd");
    EXPECT_EQ(titles(*window).value(5), "Line 3"); // written last, without a data file
}

TEST_F(ItemListFindSortTest, SortAndDraggedWidthsAreRememberedPerCategory)
{
    int dragged = 0;
    int autoSized = 0;
    {
        auto window = startWindow();
        EXPECT_EQ_SOON(titles(*window), kTitleOrder);
        clickSection(*window, 2);
        clickSection(*window, 2);
        // The file name column dragged 60 pixels wider at its right edge.
        QHeaderView *header = window->lstHVSETUP()->detailsView()->header();
        autoSized = header->sectionSize(2);
        const int edge = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;
        dragged = header->sectionSize(1) + 60;
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, {edge, header->height() / 2});
        QTest::mouseMove(header->viewport(), {edge + 30, header->height() / 2});
        QTest::mouseMove(header->viewport(), {edge + 60, header->height() / 2});
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {},
                            {edge + 60, header->height() / 2});
        ASSERT_EQ(header->sectionSize(1), dragged);
        window->close();
    }
    EXPECT_EQ(ReadSetting("Settings", "ListSortApplications"), "2,1");
    EXPECT_FALSE(ReadSetting("Settings", "ListColumnWidthsApplications").isEmpty());

    auto window = startWindow();
    EXPECT_EQ_SOON(titles(*window), (QStringList{"Create New Application", "Café Süd", "Line 2",
                                                 "Line 10", "line 1"}));
    QHeaderView *header = window->lstHVSETUP()->detailsView()->header();
    EXPECT_EQ(header->sortIndicatorSection(), 2);
    EXPECT_NEAR(header->sectionSize(1), dragged, 1);
    // A column the user did not size still fits its contents.
    EXPECT_EQ(header->sectionSize(2), autoSized);
    // A double-click on the edge gives the column back to the automatic sizing.
    const int edge = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, {edge, header->height() / 2});
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, {edge, header->height() / 2});
    EXPECT_LT(header->sectionSize(1), dragged - 30);
    EXPECT_EQ(ReadSetting("Settings", "ListColumnWidthsApplications"), "0,0");

    // Another category keeps its own order: by title.
    window->grdOUtlookBar()->setCurrentCell(1, 1);
    EXPECT_EQ_SOON(titles(*window), (QStringList{"Create New Popup", "Defect Codes"}));
    EXPECT_EQ(header->sortIndicatorSection(), -1);
}

TEST_F(ItemListFindSortTest, TheFilterBoxNarrowsTheListIgnoringCaseAndAccents)
{
    auto window = startWindow();
    EXPECT_EQ_SOON(titles(*window), kTitleOrder);
    ItemFilterBox *find = window->txtFind();
    ItemListView *list = window->lstHVSETUP();

    // Ctrl+F goes to the box from the list.
    list->detailsView()->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(find->hasFocus());

    QTest::keyClicks(find, "SUD");
    EXPECT_EQ(titles(*window), (QStringList{"Create New Application", "Café Süd"}));
    find->setText("LÍNE 2"); // accents typed are ignored too
    EXPECT_EQ(titles(*window), (QStringList{"Create New Application", "Line 2"}));
    find->setText("l1.h"); // the file name
    EXPECT_EQ(titles(*window), (QStringList{"Create New Application", "line 1"}));
    find->setText("nothing like it");
    EXPECT_EQ(titles(*window), (QStringList{"Create New Application"}));

    // Escape shows every row again; Down goes to the first item shown.
    QTest::keyClick(find, Qt::Key_Escape);
    EXPECT_EQ(find->text(), "");
    EXPECT_EQ(titles(*window), kTitleOrder);
    QTest::keyClicks(find, "line");
    QTest::keyClick(find, Qt::Key_Down);
    EXPECT_TRUE(list->detailsView()->hasFocus());
    EXPECT_EQ(list->selectedKey(), "L1.HVT");

    // A refill keeps the filter.
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ_SOON(titles(*window),
                   (QStringList{"Create New Application", "line 1", "Line 10", "Line 2"}));
}

TEST_F(ItemListFindSortTest, TheStatusBarCountsTheItemsShownAndTheirRecords)
{
    auto window = startWindow();
    StatusNoticePanel *counts = window->countPanel();
    EXPECT_EQ_SOON(counts->text(), "4 applications · 115 records");
    window->txtFind()->setText("line");
    EXPECT_EQ(counts->text(), "3 applications · 15 records");
    window->txtFind()->setText("line 2");
    EXPECT_EQ(counts->text(), "1 application · 12 records");

    window->grdOUtlookBar()->setCurrentCell(1, 1);
    EXPECT_EQ_SOON(counts->text(), "1 popup · 2 records");
    window->grdOUtlookBar()->setCurrentCell(5, 1);
    EXPECT_EQ_SOON(counts->text(), "2 directory files");
    window->txtFind()->setText("office");
    EXPECT_EQ(counts->text(), "1 directory file");
    window->grdOUtlookBar()->setCurrentCell(3, 1); // units: no items
    EXPECT_EQ_SOON(counts->text(), "");
}
