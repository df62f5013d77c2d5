#include "app/WindowLayout.h"

#include <algorithm>
#include <cmath>

namespace hv {

namespace {

// --- The directory editor's spacing ---

// From the client area's left and right edges to the caption label, to the right end of
// the caption box and to the frame.
constexpr double kSideMargin = 150;
// From the client area's top to the caption box.
constexpr double kCaptionBoxTop = 150;
// From the client area's top to the caption label: lower than the box, so the label's text
// stands on the line of the box's text.
constexpr double kCaptionLabelTop = 210;
// Between the caption label and its box.
constexpr double kLabelToBox = 25;
// From the caption box's bottom to the frame.
constexpr double kCaptionToFrame = 100;
// From the frame's bottom to the status panel (or the client area's bottom).
constexpr double kFrameBottomMargin = 100;
// From the frame's left and right edges to the file list.
constexpr double kListInset = 150;
// From the frame's top to the file list (or the row above it), below the frame's title.
constexpr double kListTop = 250;
// From the file list's bottom to the buttons.
constexpr double kListToButtons = 100;
// From the buttons' bottom to the frame's bottom.
constexpr double kButtonsBottomMargin = 100;
// The frame's width beside the two buttons is shared out in quarters: one left of "Add
// File", two between the buttons, one right of "Remove File".
constexpr double kButtonSpacingShares = 4;

double snap(double length, double twipsPerPixel)
{
    return double(std::lround(length / twipsPerPixel)) * twipsPerPixel;
}

// `rect` on whole pixels, where a control placed there ends up; a rectangle that does not
// fit stays as computed (its control is not moved).
QRectF placed(const QRectF &rect, TwipsPerPixel grid)
{
    if (!fits(rect))
        return rect;
    return {snap(rect.x(), grid.x), snap(rect.y(), grid.y), snap(rect.width(), grid.x),
            snap(rect.height(), grid.y)};
}

double right(const QRectF &rect)
{
    return rect.x() + rect.width();
}

double bottom(const QRectF &rect)
{
    return rect.y() + rect.height();
}

int half(int length)
{
    return int(std::lround(length / 2.0));
}

} // namespace

bool fits(const QRectF &rect)
{
    return rect.width() >= 0 && rect.height() >= 0;
}

QRect toPixels(const QRectF &rect, TwipsPerPixel grid)
{
    return {int(std::lround(rect.x() / grid.x)), int(std::lround(rect.y() / grid.y)),
            int(std::lround(rect.width() / grid.x)), int(std::lround(rect.height() / grid.y))};
}

QSizeF toTwips(QSize pixels, TwipsPerPixel grid)
{
    return {pixels.width() * grid.x, pixels.height() * grid.y};
}

QSize fitMinimumSize(QSize wanted, QSize available)
{
    if (available.isEmpty())
        return wanted;
    const auto share = [](int length) { return length * 9 / 10; };
    return wanted.boundedTo({share(available.width()), share(available.height())});
}

MainWindowLayout layOutMainWindow(const MainWindowInputs &in)
{
    const TwipsPerPixel grid = in.grid;
    const double width = in.client.width();
    const double height = in.client.height();
    // What the status bar and the panel above it leave of the client area's height.
    const double above = height - in.statusBar - in.statusPanel;
    MainWindowLayout out;
    out.statusBar = placed({0, height - in.statusBar, width, in.statusBar}, grid);
    out.statusPanel = placed({0, above, width, in.statusPanel}, grid);

    // The grip's left edge: the split ratio of the client's width in whole pixels, rounded
    // down.
    const int pixelsWide = int(std::lround(width / grid.x));
    const double gripLeft = int(pixelsWide * in.splitRatio) * grid.x;
    const double gripWidth = twips::toPixels(kGripWidthTwips, grid.x) * grid.x;
    out.grip = placed({gripLeft, 0, gripWidth, above}, grid);

    const double rightSide = right(out.grip);
    out.toolBar = placed({rightSide, 0, width - rightSide, in.toolBar}, grid);
    out.rowAboveList =
        placed({rightSide, bottom(out.toolBar), width - rightSide, in.rowAboveList}, grid);
    const double listTop = bottom(out.rowAboveList);
    out.itemList = placed({rightSide, listTop, width - rightSide, above - listTop}, grid);

    const double barHeight = in.minFolderTree > 0 ? std::clamp(above - in.minFolderTree, 0.0,
                                                               std::max(in.categoryBar, 0.0))
                                                  : in.categoryBar;
    out.categoryBar = placed({0, 0, out.grip.x(), barHeight}, grid);
    const double treeTop = bottom(out.categoryBar);
    out.folderTree = placed({0, treeTop, out.grip.x(), above - treeTop}, grid);
    return out;
}

DirEditorLayout layOutDirEditor(const DirEditorInputs &in)
{
    const TwipsPerPixel grid = in.grid;
    const double width = in.client.width();
    const double height = in.client.height();
    DirEditorLayout out;
    out.statusPanel = placed({0, height - in.statusPanel, width, in.statusPanel}, grid);

    out.captionLabel = placed(
        {kSideMargin, kCaptionLabelTop, in.captionLabel.width(), in.captionLabel.height()}, grid);
    const double boxLeft = right(out.captionLabel) + kLabelToBox;
    out.captionBox =
        placed({boxLeft, kCaptionBoxTop, width - (boxLeft + kSideMargin), in.captionBox}, grid);

    const double frameTop = bottom(out.captionBox) + kCaptionToFrame;
    out.filesFrame = placed({kSideMargin, frameTop, width - 2 * kSideMargin,
                             height - (frameTop + kFrameBottomMargin + in.statusPanel)},
                            grid);

    // Inside the frame.
    const QRectF &frame = out.filesFrame;
    const double listWidth = frame.width() - 2 * kListInset;
    out.rowAboveList = placed({kListInset, kListTop, listWidth, in.rowAboveList}, grid);
    // Measured from the unrounded top: the list's height ignores where its top was rounded.
    const double listTop = kListTop + in.rowAboveList;
    out.fileList = placed({kListInset, listTop, listWidth,
                           frame.height() - (listTop + kListToButtons + in.addButton.height() +
                                             kButtonsBottomMargin)},
                          grid);
    const double share =
        std::round((frame.width() - 2 * in.addButton.width()) / kButtonSpacingShares);
    out.addButton = placed(
        {share, bottom(out.fileList) + kListToButtons, in.addButton.width(), in.addButton.height()},
        grid);
    out.removeButton = placed({right(out.addButton) + 2 * share, out.addButton.y(),
                               in.removeButton.width(), in.removeButton.height()},
                              grid);
    return out;
}

QRect centredOver(const QRect &owner, QSize size, Halving halving, const QRect &screen)
{
    QRect rect(QPoint(), size);
    if (halving == Halving::TruncatedDifference)
        rect.moveTopLeft({owner.left() + (owner.width() - size.width()) / 2,
                          owner.top() + (owner.height() - size.height()) / 2});
    else
        rect.moveTopLeft({owner.left() + half(owner.width()) - half(size.width()),
                          owner.top() + half(owner.height()) - half(size.height())});
    if (screen.isValid()) {
        if (rect.width() <= screen.width())
            rect.moveLeft(qBound(screen.left(), rect.left(), screen.right() - rect.width() + 1));
        if (rect.height() <= screen.height())
            rect.moveTop(qBound(screen.top(), rect.top(), screen.bottom() - rect.height() + 1));
    }
    return rect;
}

} // namespace hv
