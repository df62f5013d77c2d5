#include "app/Startup.h"

#include "app/AppState.h"
#include "app/Jobs.h"
#include "app/PathHelpers.h"
#include "app/UserSettings.h"
#include "log/DiagnosticLog.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"

namespace hv {

namespace {

// The folder named on the command line, symbolic links resolved; nothing when it names no
// folder. It may be on a share that stopped answering, like the last folder: when it does not
// answer in time, it is taken as given.
std::optional<QString> folderOfArgument(const QString &argument, bool &answered)
{
    const QString absolute = paths::absolutePath(argument).value_or(argument);
    const std::optional<std::optional<QString>> checked = runWithin<std::optional<QString>>(
        absolute, kStartupFolderWaitMs, [absolute]() -> std::optional<QString> {
            const QString folder = paths::canonicalPath(absolute);
            if (paths::isFolder(folder))
                return folder;
            return std::nullopt;
        });
    answered = checked.has_value();
    return answered ? *checked : absolute;
}

// The stored last folder, trimmed, when it still exists; the program folder otherwise. The
// last folder may be on a share that stopped answering: the start waits for it only so long,
// then keeps it (the window says that it is not answering).
void takeLastFolder(AppState &state, StartupDecision &decision)
{
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
}

} // namespace

StartupDecision RunStartup(const LoginPrompt &showLogin, const QString &folderArgument)
{
    const QString module = QStringLiteral("mMain");
    const QString procedure = QStringLiteral("Main");
    WriteLog(module, procedure, QStringLiteral("HVAdmin Started"));
    AppState &state = AppState::instance();
    LoadListViewMode();

    StartupDecision decision;
    std::optional<QString> argumentFolder;
    if (!folderArgument.isEmpty()) {
        argumentFolder = folderOfArgument(folderArgument, decision.projectFolderAnswered);
        if (argumentFolder) {
            WriteLog(module, procedure,
                     QStringLiteral("Folder Argument=[") + *argumentFolder + QStringLiteral("]"));
            state.SetProjectFolder(*argumentFolder);
        } else {
            WriteLog(module, procedure,
                     QStringLiteral("No Such Folder=[") + folderArgument + QStringLiteral("]"));
            decision.missingFolderArgument = folderArgument;
        }
    }
    if (!argumentFolder)
        takeLastFolder(state, decision);

    decision.projectFolder = state.ProjectFolder();
    decision.listViewMode = state.ListViewMode();
    decision.start = CheckSecurity(showLogin);
    return decision;
}

} // namespace hv
