// Work a window's first paint does not need (its icon, say) waits until that paint is done,
// so the window appears without waiting for it.
#pragma once

#include <functional>

class QWidget;

namespace hv {

// Runs `work` on the window's thread once `window` has handled its first paint event. Nothing
// runs when the window is destroyed before it is painted.
void afterFirstPaint(QWidget &window, std::function<void()> work);

} // namespace hv
