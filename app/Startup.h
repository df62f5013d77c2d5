// The start-up sequence of the console, up to the point where the main window is created.
#pragma once

#include "app/Security.h"
#include "lists/ViewMode.h"

#include <QString>

namespace hv {

struct StartupDecision {
    bool start = false;    // false: the security check failed, the process ends
    QString projectFolder; // ends in '/'
    int listViewMode = ViewDetails;
    // false when the stored last folder did not answer within kStartupFolderWaitMs: it is
    // the project folder all the same, and the window's fill reports it as not answering.
    bool projectFolderAnswered = true;
    // The folder named on the command line when it is no folder: the project folder was
    // chosen as without it.
    QString missingFolderArgument;
};

// How long the start-up waits for the last folder to answer.
inline constexpr int kStartupFolderWaitMs = 1000;

// Logs "HVAdmin Started", loads the list view mode, takes the stored last folder (trimmed)
// as the project folder when it still exists (or does not answer in time) and the program
// folder otherwise, and runs the security check with `showLogin` as the login window. The shared
// state (AppState) holds the project folder and view mode afterwards; the result says whether the
// console may start.
// A `folderArgument` (the folder named on the command line, relative to the current folder)
// comes before the stored last folder: the project folder is that folder, symbolic links
// resolved, when it is one (or does not answer in time); otherwise it is named in the result
// and the last folder is taken as without it.
StartupDecision RunStartup(const LoginPrompt &showLogin, const QString &folderArgument = {});

} // namespace hv
