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
};

// How long the start-up waits for the last folder to answer.
inline constexpr int kStartupFolderWaitMs = 1000;

// Logs "HVAdmin Started", loads the list view mode, takes the stored last folder (trimmed)
// as the project folder when it still exists (or does not answer in time) and the program
// folder otherwise, and runs the security check with `showLogin` as the login window. The shared
// state (AppState) holds the project folder and view mode afterwards; the result says whether the
// console may start.
StartupDecision RunStartup(const LoginPrompt &showLogin);

} // namespace hv
