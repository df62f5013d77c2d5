// Where the controls of the main window and of the directory editor go, as arithmetic on the
// client area's size: no widget is involved, so the rules can be read and checked here.
//
// Lengths are twips (1/1440 inch). The windows hand in their client size and the sizes their
// controls ask for, converted from whole pixels, and place each rectangle with toPixels().
// Each rule lands on whole pixels, as a control can only sit there: a rectangle is rounded
// to the pixel grid (`TwipsPerPixel`) before a later one is measured from it.
//
// A rectangle with a negative width or height does not fit (the window is too small for the
// layout): the window leaves that control where it is and places the others.
//
//     const MainWindowLayout rects = layOutMainWindow(inputs);
//     statusBar->setGeometry(toPixels(rects.statusBar, inputs.grid));
#pragma once

#include "platform/Twips.h"

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

namespace hv {

// Whether a control can be placed at `rect` (its width and height are not negative).
bool fits(const QRectF &rect);

// `rect` in whole pixels, each of its edges and lengths rounded to the nearest pixel.
QRect toPixels(const QRectF &rect, TwipsPerPixel grid);
// A pixel size in twips.
QSizeF toTwips(QSize pixels, TwipsPerPixel grid);

// The minimum size of a window on a screen whose available area is `available` pixels:
// `wanted` where it fits within 90 % of that area, the 90 % where it does not (each of width
// and height on its own). An empty `available` (no screen known) leaves `wanted`.
QSize fitMinimumSize(QSize wanted, QSize available);

// --- The main window ---

// The splitter grip's width between the left and right sides of the main window.
constexpr int kGripWidthTwips = 80;

struct MainWindowInputs {
    QSizeF client;           // the client area below the menu bar
    double splitRatio = 0.5; // the splitter's left edge as a share of the client's width
    TwipsPerPixel grid;      // twips per screen pixel
    double statusBar = 0;    // the status bar's height
    double statusPanel = 0;  // a panel above the status bar, across the window (none: 0)
    double toolBar = 0;      // the view-mode toolbar's height
    double rowAboveList = 0; // a row between the toolbar and the item list (none: 0)
    double categoryBar = 0;  // the category bar's height, which the bar keeps itself
    // The folder tree's least height: on a window too short for both, the category bar gives
    // up height rather than push the tree out of sight (0: the bar always keeps its height).
    double minFolderTree = 0;
};

struct MainWindowLayout {
    QRectF statusBar;
    QRectF statusPanel;
    QRectF grip; // the splitter's grip
    QRectF toolBar;
    QRectF rowAboveList;
    QRectF itemList;
    QRectF categoryBar;
    QRectF folderTree;
};

// The splitter's grip stands at the split ratio, on the pixel at or left of it. Right of it
// the toolbar, the row above the list and the item list are stacked from the top; left of it
// the category bar and the folder tree. All of them end above the status panel and the
// status bar at the bottom.
MainWindowLayout layOutMainWindow(const MainWindowInputs &in);

// --- The directory editor ---

struct DirEditorInputs {
    QSizeF client;           // the client area below the menu bar
    TwipsPerPixel grid;      // twips per screen pixel
    QSizeF captionLabel;     // "DIR Caption:"
    double captionBox = 0;   // the caption text box's height
    QSizeF addButton;        // "Add File"
    QSizeF removeButton;     // "Remove File"
    double rowAboveList = 0; // a row above the file list inside the frame (none: 0)
    double statusPanel = 0;  // a panel along the bottom of the client area (none: 0)
};

// The caption label, its text box and the frame are in the client area; the file list, the
// row above it and the two buttons are in the frame, measured from the frame's corner.
struct DirEditorLayout {
    QRectF captionLabel;
    QRectF captionBox;
    QRectF filesFrame;
    QRectF rowAboveList;
    QRectF fileList;
    QRectF addButton;
    QRectF removeButton;
    QRectF statusPanel;
};

// The caption label and its box along the top, the frame below them down to the status
// panel, in the frame the list and under it the two buttons, spread evenly across.
DirEditorLayout layOutDirEditor(const DirEditorInputs &in);

// --- Centring a dialog over its owner ---

// How the offset of a centred dialog becomes whole pixels.
enum class Halving {
    // Half the difference of the two sizes, truncated toward zero.
    TruncatedDifference,
    // Half of each size rounded to the nearest pixel (halves up), the difference of those.
    RoundedHalves,
};

// The rectangle of a dialog of `size` centred over `owner` (both frames). A valid `screen`
// keeps the dialog on it where the dialog fits on it, so its title bar stays reachable.
QRect centredOver(const QRect &owner, QSize size, Halving halving, const QRect &screen = {});

} // namespace hv
