// The pictures of the main window: the toolbar's view buttons, the category bar and the
// item list. Each comes from the desktop's icon theme and falls back to one of Qt's
// standard icons, so the window has pictures on every desktop. A QIcon keeps every size
// the theme offers, so the pictures stay crisp at any icon size and device pixel ratio.
#pragma once

#include "lists/ListRows.h"

#include <QIcon>

#include <functional>
#include <initializer_list>

namespace hv::icons {

// The toolbar button of a view mode (0 large icons, 1 small icons, 2 list, 3 details).
QIcon viewMode(int mode);

// The picture of a category in the category bar.
QIcon category(Category category);

// The picture of a list row: `iconNumber` 1 for an item found in the folder, 2 for the
// create-new row and the settings rows.
QIcon listRow(Category category, int iconNumber);

// The console's own picture: the icon named kDesktopId (ui/support/ProgramInfo.h) in the icon
// theme. An installation under a prefix that the desktop does not search (/opt/..., ~/.local) finds
// it beside its programs, in `programFolder`/../share/icons. Without an installed icon (a run
// from the build folder) it is the applications' picture.
QIcon program(const QString &programFolder);

// A picture with nothing in it, holding an icon's place until the icon itself is looked up:
// the first look-up in the icon themes reads the themes' indexes, which a window's first
// paint does not wait for.
QIcon blank();

// An icon made by `make` when it is first drawn or measured, and kept from then on: for
// pictures that are costly to make and may never be shown. It counts as not null before it
// is made.
QIcon deferred(std::function<QIcon()> make);

// The first of the theme icons that the theme has, or the style's standard icon when it has
// none of them. A symbolic icon (a name ending in "-symbolic") is painted in the palette's
// button text colour.
QIcon themed(std::initializer_list<const char *> themeNames, int standardPixmap);

} // namespace hv::icons
