// The Directory Files branch of the item list's double-click: the directory editor opens on
// the double-clicked directory file, or on a new directory file in the project folder for
// the create-new row, while the main window stays visible.
#pragma once

#include <QString>

#include <functional>

namespace hv {

class frmHVSetup;
class frmDIR;

// Stores the main window's placement, logs the double-click, opens the editor modally on
// the project folder + `key` (the folder alone when `key` is "NEW"), and after it closes
// places the main window at the stored placement (the editor's, which it shares) and
// refills the list. `configure`, when given, is called with the editor before it opens.
void ActivateDirectoryFile(frmHVSetup &window, const QString &key,
                           const std::function<void(frmDIR &)> &configure = {});

} // namespace hv
