// The item list's view modes, as the user settings store them ("ListViewMode").
#pragma once

namespace hv {

enum ListViewModes : int { ViewLargeIcons = 0, ViewSmallIcons = 1, ViewList = 2, ViewDetails = 3 };

} // namespace hv
