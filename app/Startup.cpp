#include "app/Startup.h"

#include "app/AppState.h"
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

    const QString lastFolder = GetLastFolder().trimmed();
    if (IsFolderPresent(lastFolder))
        state.SetProjectFolder(lastFolder);
    else
        state.SetProjectFolder(paths::withTrailingSeparator(ProgramFolder()));

    StartupDecision decision;
    decision.projectFolder = state.ProjectFolder();
    decision.listViewMode = state.ListViewMode();
    decision.start = CheckSecurity(showLogin);
    return decision;
}

} // namespace hv
