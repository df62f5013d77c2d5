// The per-user folders of the freedesktop base directory layout that this system writes to
// itself: the state folder (history of operations) and the data folder (the home trash).
// Each is read from the environment at every call, so a process that changes HOME or the
// XDG variables (a test) reaches the new folder. A variable that is unset, empty or not an
// absolute path is ignored, as the layout prescribes.
#pragma once

#include <QString>

namespace hv::paths {

// Removes the base directory variables that are set but not absolute paths from this
// process's environment, so that every library of the process (GIO's trash among them)
// ignores them as the functions below do. Call at the start of main(), before any thread.
void dropRelativeBaseFolders();

// $XDG_STATE_HOME, else ~/.local/state; no trailing separator.
QString userStateFolder();

// $XDG_DATA_HOME, else ~/.local/share; no trailing separator.
QString userDataFolder();

} // namespace hv::paths
