// The console's entry sequence.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>

namespace hv {

// A main window that opens the project folder when the start-up's check of it answers after
// the window was shown (app/Startup.h, StartupFolderCheck).
class StartupFolderView {
public:
    virtual ~StartupFolderView() = default;
    // Shown while the project folder has not answered.
    virtual void showFolderNotAnswering() = 0;
    // The project folder (AppState) is decided: open it.
    virtual void openProjectFolder() = 0;
};

// Creates the main window (not yet shown). A window that implements LoadableWindow
// (ui/support/WindowPlacement.h) is loaded by ReadRegWindowInfo before it is placed.
using MainWindowFactory = std::function<std::unique_ptr<QWidget>()>;

// Installs the message-box service (unless one is installed), runs the start-up sequence
// (app/Startup.h) with the login window, and when the console may start, creates the main window
// and places and shows it with ReadRegWindowInfo. Returns the window, which the caller keeps until
// the event loop ends, or null when the security check failed and the process should end.
// `folderArgument` is the folder named on the command line (see RunStartup); when it is no
// folder, a message says so before the window opens on the folder taken instead. The window
// shows without waiting for a folder that does not answer at once (see StartupFolderCheck),
// and is told when it does.
std::unique_ptr<QWidget> Main(const MainWindowFactory &createMainWindow,
                              const QString &folderArgument = {});

} // namespace hv
