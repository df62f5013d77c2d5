#include "app/WindowLayout.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace hv;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}
QT_END_NAMESPACE

namespace {

constexpr TwipsPerPixel k96Dpi{15.0, 15.0};
constexpr TwipsPerPixel k120Dpi{12.0, 12.0};

double down(int pixels, TwipsPerPixel grid)
{
    return pixels * grid.y;
}

// The main window's inputs from the pixel sizes the window measures.
MainWindowInputs mainWindow(TwipsPerPixel grid, QSize client, int statusBar, int toolBar,
                            int categoryBar, double ratio = 0.5)
{
    MainWindowInputs in;
    in.grid = grid;
    in.client = toTwips(client, grid);
    in.splitRatio = ratio;
    in.statusBar = down(statusBar, grid);
    in.toolBar = down(toolBar, grid);
    in.categoryBar = down(categoryBar, grid);
    return in;
}

DirEditorInputs dirEditor(TwipsPerPixel grid, QSize client, QSize label, int box, QSize button)
{
    DirEditorInputs in;
    in.grid = grid;
    in.client = toTwips(client, grid);
    in.captionLabel = toTwips(label, grid);
    in.captionBox = down(box, grid);
    in.addButton = toTwips(button, grid);
    in.removeButton = in.addButton;
    return in;
}

} // namespace

// The pixel rectangles below are those the windows had when they placed their controls by
// hand, at 96 and at 120 DPI (where 150 twips are 12.5 pixels).
TEST(WindowLayout, TheMainWindowKeepsItsPlaces)
{
    MainWindowLayout l = layOutMainWindow(mainWindow(k96Dpi, {900, 631}, 19, 39, 378));
    EXPECT_EQ(toPixels(l.statusBar, k96Dpi), QRect(0, 612, 900, 19));
    EXPECT_EQ(toPixels(l.grip, k96Dpi), QRect(450, 0, 5, 612));
    EXPECT_EQ(toPixels(l.toolBar, k96Dpi), QRect(455, 0, 445, 39));
    EXPECT_EQ(toPixels(l.itemList, k96Dpi), QRect(455, 39, 445, 573));
    EXPECT_EQ(toPixels(l.categoryBar, k96Dpi), QRect(0, 0, 450, 378));
    EXPECT_EQ(toPixels(l.folderTree, k96Dpi), QRect(0, 378, 450, 234));

    l = layOutMainWindow(mainWindow(k120Dpi, {1237, 780}, 23, 39, 378));
    EXPECT_EQ(toPixels(l.statusBar, k120Dpi), QRect(0, 757, 1237, 23));
    EXPECT_EQ(toPixels(l.grip, k120Dpi), QRect(618, 0, 7, 757));
    EXPECT_EQ(toPixels(l.toolBar, k120Dpi), QRect(625, 0, 612, 39));
    EXPECT_EQ(toPixels(l.itemList, k120Dpi), QRect(625, 39, 612, 718));
    EXPECT_EQ(toPixels(l.categoryBar, k120Dpi), QRect(0, 0, 618, 378));
    EXPECT_EQ(toPixels(l.folderTree, k120Dpi), QRect(0, 378, 618, 379));

    // The grip stands on the pixel left of the ratio's point.
    l = layOutMainWindow(mainWindow(k96Dpi, {901, 631}, 19, 39, 378, 0.3));
    EXPECT_EQ(toPixels(l.grip, k96Dpi).x(), 270);
    EXPECT_EQ(toPixels(l.itemList, k96Dpi).x(), 275);

    // A row above the list and a status panel take their height from the list and the tree.
    MainWindowInputs in = mainWindow(k96Dpi, {900, 631}, 19, 39, 378);
    in.rowAboveList = down(24, k96Dpi);
    in.statusPanel = down(20, k96Dpi);
    l = layOutMainWindow(in);
    EXPECT_EQ(toPixels(l.statusPanel, k96Dpi), QRect(0, 592, 900, 20));
    EXPECT_EQ(toPixels(l.rowAboveList, k96Dpi), QRect(455, 39, 445, 24));
    EXPECT_EQ(toPixels(l.itemList, k96Dpi), QRect(455, 63, 445, 529));
    EXPECT_EQ(toPixels(l.folderTree, k96Dpi), QRect(0, 378, 450, 214));
    EXPECT_EQ(toPixels(l.grip, k96Dpi), QRect(450, 0, 5, 592));
}

TEST(WindowLayout, TheDirectoryEditorKeepsItsPlaces)
{
    DirEditorLayout l = layOutDirEditor(dirEditor(k96Dpi, {500, 381}, {76, 14}, 22, {97, 25}));
    EXPECT_EQ(toPixels(l.captionLabel, k96Dpi), QRect(10, 14, 76, 14));
    EXPECT_EQ(toPixels(l.captionBox, k96Dpi), QRect(88, 10, 402, 22));
    EXPECT_EQ(toPixels(l.filesFrame, k96Dpi), QRect(10, 39, 480, 336));
    EXPECT_EQ(toPixels(l.fileList, k96Dpi), QRect(10, 17, 460, 281));
    EXPECT_EQ(toPixels(l.addButton, k96Dpi), QRect(72, 305, 97, 25));
    EXPECT_EQ(toPixels(l.removeButton, k96Dpi), QRect(312, 305, 97, 25));

    l = layOutDirEditor(dirEditor(k120Dpi, {733, 494}, {95, 18}, 26, {121, 31}));
    EXPECT_EQ(toPixels(l.captionLabel, k120Dpi), QRect(13, 18, 95, 18));
    EXPECT_EQ(toPixels(l.captionBox, k120Dpi), QRect(110, 13, 610, 26));
    EXPECT_EQ(toPixels(l.filesFrame, k120Dpi), QRect(13, 47, 708, 438));
    EXPECT_EQ(toPixels(l.fileList, k120Dpi), QRect(13, 21, 683, 370));
    EXPECT_EQ(toPixels(l.addButton, k120Dpi), QRect(117, 399, 121, 31));
    EXPECT_EQ(toPixels(l.removeButton, k120Dpi), QRect(471, 399, 121, 31));

    DirEditorInputs in = dirEditor(k96Dpi, {500, 381}, {76, 14}, 22, {97, 25});
    in.rowAboveList = down(24, k96Dpi);
    in.statusPanel = down(20, k96Dpi);
    l = layOutDirEditor(in);
    EXPECT_EQ(toPixels(l.statusPanel, k96Dpi), QRect(0, 361, 500, 20));
    EXPECT_EQ(toPixels(l.filesFrame, k96Dpi), QRect(10, 39, 480, 316));
    EXPECT_EQ(toPixels(l.rowAboveList, k96Dpi), QRect(10, 17, 460, 24));
    EXPECT_EQ(toPixels(l.fileList, k96Dpi), QRect(10, 41, 460, 237));
    EXPECT_EQ(toPixels(l.addButton, k96Dpi), QRect(72, 285, 97, 25));

    // A client area too small for the frame leaves the frame unplaced.
    in = dirEditor(k96Dpi, {500, 40}, {76, 14}, 22, {97, 25});
    EXPECT_FALSE(fits(layOutDirEditor(in).filesFrame));
    EXPECT_TRUE(fits(layOutDirEditor(in).captionBox));
}

TEST(WindowLayout, CentringHalvesByEitherRuleAndKeepsTheDialogOnTheScreen)
{
    const QRect owner(100, 50, 301, 201);
    EXPECT_EQ(centredOver(owner, {100, 100}, Halving::TruncatedDifference),
              QRect(200, 100, 100, 100));
    EXPECT_EQ(centredOver(owner, {100, 100}, Halving::RoundedHalves), QRect(201, 101, 100, 100));
    // A dialog larger than its owner by an odd length: truncation goes toward zero,
    // rounding the halves goes one further.
    const QRect even(100, 50, 300, 200);
    EXPECT_EQ(centredOver(even, {303, 203}, Halving::TruncatedDifference).topLeft(),
              QPoint(99, 49));
    EXPECT_EQ(centredOver(even, {303, 203}, Halving::RoundedHalves).topLeft(), QPoint(98, 48));

    const QRect screen(0, 0, 800, 600);
    const QRect corner(700, 500, 200, 200);
    EXPECT_EQ(centredOver(corner, {300, 300}, Halving::RoundedHalves, screen),
              QRect(500, 300, 300, 300));
    EXPECT_EQ(centredOver(corner, {300, 300}, Halving::TruncatedDifference),
              QRect(650, 450, 300, 300));
    // Wider than the screen: only the height is kept on it.
    EXPECT_EQ(centredOver(corner, {900, 300}, Halving::RoundedHalves, screen),
              QRect(350, 300, 900, 300));
}
