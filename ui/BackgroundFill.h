// A list fill that keeps the window alive.
//
// The fill runs on a worker thread while the user-interface thread goes on painting, moving
// and resizing the window. Keyboard and mouse input waits until the fill is done, then
// arrives in order, as it would after a fill on the user-interface thread; so the order of
// events stays what the window expects, and a click during a fill never acts on a half-filled
// list. A fill that takes longer than kProgressAfterMs reports its progress.
#pragma once

#include "lists/CategoryListEngine.h"

#include <functional>

namespace hv {

inline constexpr int kProgressAfterMs = 500;

// The files read so far of the files found; called on the user-interface thread.
using FillProgressReport = std::function<void(qsizetype read, qsizetype found)>;

// Fills `category` from `source` on a worker thread and returns the list once it is done.
// Until then the calling thread handles every event except user input; from
// kProgressAfterMs on it calls `report` about every tenth of a second.
CategoryList fillInBackground(Category category, ListSource source,
                              const FillProgressReport &report);

} // namespace hv
