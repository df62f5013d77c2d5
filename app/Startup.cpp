#include "app/Startup.h"

#include "app/AppState.h"
#include "app/Jobs.h"
#include "app/PathHelpers.h"
#include "app/UserSettings.h"
#include "log/DiagnosticLog.h"
#include "platform/PathNames.h"

namespace hv {

StartupDecision RunStartup(const LoginPrompt &showLogin)
{
    WriteLog(QStringLiteral("mMain"), QStringLiteral("Main"), QStringLiteral("HVAdmin Started"));
    AppState &state = AppState::instance();
    LoadListViewMode();

    // The last folder may be on a share that stopped answering: the start waits for it only
    // so long, then keeps it (the window says that it is not answering).
    StartupDecision decision;
    const QString lastFolder = GetLastFolder().trimmed();
    const std::optional<bool> present =
        lastFolder.isEmpty() ? std::optional<bool>(false)
                             : runWithin<bool>(lastFolder, kStartupFolderWaitMs, [lastFolder] {
                                   return IsFolderPresent(lastFolder);
                               });
    if (!present) {
        WriteLog(QStringLiteral("mMain"), QStringLiteral("Main"),
                 QStringLiteral("Last Folder Not Answering=[") + lastFolder + QStringLiteral("]"));
        state.SetProjectFolder(lastFolder);
        decision.projectFolderAnswered = false;
    } else if (*present) {
        state.SetProjectFolder(lastFolder);
    } else {
        state.SetProjectFolder(paths::withTrailingSeparator(ProgramFolder()));
    }

    decision.projectFolder = state.ProjectFolder();
    decision.listViewMode = state.ListViewMode();
    decision.start = CheckSecurity(showLogin);
    return decision;
}

} // namespace hv
