// The Directory Files branch of the item list's double-click: the directory editor opens on
// the double-clicked directory file, or on a new directory file in the project folder for
// the create-new row, while the main window stays visible.
#pragma once

#include <QString>

#include <functional>

namespace hv {

class frmHVSetup;
class frmDIR;

// Stores the main window's placement, logs the double-click and opens the editor on the
// project folder + `key` (the folder alone when `key` is "NEW"): it returns at once, the file
// is read as a job (its progress in the main window's status bar) and the editor shows
// modally. After it closes, or when it did not open, the main window takes the stored
// placement (the editor's, which it shares), the list is refilled and `closed` is called.
// `configure`, when given, is called with the editor before it loads.
void ActivateDirectoryFile(frmHVSetup &window, const QString &key, std::function<void()> closed,
                           const std::function<void(frmDIR &)> &configure = {});

} // namespace hv
