// A tour of the main window for reviewers: shows each category in details view and the
// applications in the other three view modes, saves a picture of the window at each step
// and of the About window, and then closes the window. Run by scripts/screenshots.sh through
// hvadmin-screenshots.
#pragma once

#include <QString>

namespace hv {

class frmHVSetup;

// Runs the tour once the event loop runs; the pictures are PNG files in `folder`.
void StartScreenshotTour(frmHVSetup &window, const QString &folder);

} // namespace hv
