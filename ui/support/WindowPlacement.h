// Placing a window where the user left it, and remembering where that was.
//
// The placement is the one "Window" value of the user settings (app/UserSettings.h), shared
// by the main window and the directory editor. Positions are the window frame's top-left
// corner, sizes the client area's; both are kept in twips.
#pragma once

#include "app/UserSettings.h"

#include <QSize>

class QWidget;

namespace hv {

// A window that fills itself once, before it is first placed and shown (its Form_Load).
// ReadRegWindowInfo calls Load() on a window that implements this; Load() must do nothing
// after its first call.
class LoadableWindow {
public:
    virtual ~LoadableWindow() = default;
    virtual void Load() = 0;
};

// Twips per pixel of the primary screen (1440 / its logical DPI).
TwipsPerPixel ScreenTwipsPerPixel();

// Gives the window the minimum size `wanted` (pixels), within 90 % of the available area of
// the screen it is on (fitMinimumSize, app/WindowLayout.h), so that a large scale factor on a
// small screen never makes the window larger than the screen.
void SetFittingMinimumSize(QWidget &window, QSize wanted);

// Moves a dialog to the centre of its owner's frame, halves of the difference truncated, as
// the item windows are placed; a dialog without an owner stays where it is.
void CentreOverOwner(QWidget &dialog);

// Logs "Read Window Settings for: <window's name>", loads the window (LoadableWindow), hides
// it while moving and sizing it to the stored placement (brought onto a screen when it lies
// off every screen), shows it unless `keepHidden`, and maximises it when the stored state is
// maximised.
void ReadRegWindowInfo(QWidget &window, bool keepHidden);

// Logs "Write Window Settings for: <window's name>" and stores the window's normal (restored)
// placement with its state: maximised, or normal (also for a minimised window).
void WriteRegWindowInfo(const QWidget &window);

} // namespace hv
