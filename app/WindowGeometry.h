// Window placement arithmetic: stored twips to screen pixels and back, and keeping a stored
// placement reachable when the screens have changed since it was stored.
#pragma once

#include "app/UserSettings.h"

#include <QList>
#include <QRect>

namespace hv {

// The pixel rectangle of a stored placement, each value rounded to the nearest pixel.
QRect WindowSettingToPixels(const WindowSetting &setting, TwipsPerPixel tpp);

// The placement to store for a window whose normal (restored) rectangle is `normalRect`:
// state 2 when it is maximised, otherwise 0 (a minimised window is stored as normal).
WindowSetting WindowSettingFromPixels(const QRect &normalRect, bool maximised, TwipsPerPixel tpp);

// `rect` unchanged when its top edge (where the title bar is) lies on one of the screens'
// available areas; otherwise moved, and shrunk where it is larger, onto the screen it overlaps
// most (the first screen when it overlaps none). A window stored on a monitor that has been
// removed since comes back where the user can reach it.
QRect BringOntoScreens(const QRect &rect, const QList<QRect> &availableScreens);

} // namespace hv
