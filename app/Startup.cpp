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

const QString kModule = QStringLiteral("mMain");
const QString kProcedure = QStringLiteral("Main");

} // namespace

StartupFolderCheck::StartupFolderCheck(const QString &argument) : m_argument(argument) {}

StartupFolderCheck::~StartupFolderCheck() = default;

void StartupFolderCheck::start()
{
    if (m_argument.isEmpty())
        askLastFolder();
    else
        askArgument();
}

bool StartupFolderCheck::answersInTime(Job &job) const
{
    return !m_late && job.waitForWork(kStartupFolderGraceMs);
}

// The folder named on the command line, symbolic links resolved, when it is one. When it
// does not answer in time it is taken as given until it does.
void StartupFolderCheck::askArgument()
{
    const QString absolute = paths::absolutePath(m_argument).value_or(m_argument);
    auto *job = startJob<Answer>(absolute, [absolute](JobControl &) {
        const QString folder = paths::canonicalPath(absolute);
        return paths::isFolder(folder) ? Answer{true, folder} : Answer{};
    });
    if (answersInTime(*job)) {
        takeArgumentAnswer(job->result());
        return;
    }
    m_late = true;
    WriteLog(kModule, kProcedure, QStringLiteral("Folder Argument=[") + absolute + u']');
    AppState::instance().SetProjectFolder(absolute);
    connect(job, &Job::finished, this, [this, job] {
        if (!job->isCancelled())
            takeArgumentAnswer(job->result());
    });
}

void StartupFolderCheck::takeArgumentAnswer(const Answer &answer)
{
    if (answer.present) {
        if (!m_late)
            WriteLog(kModule, kProcedure,
                     QStringLiteral("Folder Argument=[") + answer.folder + u']');
        AppState::instance().SetProjectFolder(answer.folder);
        decide();
        return;
    }
    WriteLog(kModule, kProcedure, QStringLiteral("No Such Folder=[") + m_argument + u']');
    m_missingArgument = m_argument;
    askLastFolder();
}

// The stored last folder, trimmed, when it still exists; the program folder otherwise. When
// it does not answer in time it is the project folder until it does (the window says that it
// is not answering).
void StartupFolderCheck::askLastFolder()
{
    m_lastFolder = GetLastFolder().trimmed();
    if (m_lastFolder.isEmpty()) {
        takeLastFolderAnswer(false);
        return;
    }
    auto *job = startJob<bool>(
        m_lastFolder, [folder = m_lastFolder](JobControl &) { return IsFolderPresent(folder); });
    if (answersInTime(*job)) {
        takeLastFolderAnswer(job->result());
        return;
    }
    if (!m_late) {
        m_late = true;
        WriteLog(kModule, kProcedure,
                 QStringLiteral("Last Folder Not Answering=[") + m_lastFolder + u']');
        AppState::instance().SetProjectFolder(m_lastFolder);
    }
    connect(job, &Job::finished, this, [this, job] {
        if (!job->isCancelled())
            takeLastFolderAnswer(job->result());
    });
}

void StartupFolderCheck::takeLastFolderAnswer(bool present)
{
    AppState::instance().SetProjectFolder(present ? m_lastFolder
                                                  : paths::withTrailingSeparator(ProgramFolder()));
    decide();
}

void StartupFolderCheck::decide()
{
    m_answered = true;
    if (m_late)
        Q_EMIT answered();
}

StartupDecision RunStartup(const LoginPrompt &showLogin, const QString &folderArgument)
{
    WriteLog(kModule, kProcedure, QStringLiteral("HVAdmin Started"));
    AppState &state = AppState::instance();
    LoadListViewMode();

    StartupDecision decision;
    std::unique_ptr<StartupFolderCheck> check(new StartupFolderCheck(folderArgument));
    check->start();
    decision.projectFolderAnswered = check->isAnswered();
    decision.missingFolderArgument = check->missingArgument();
    if (!check->isAnswered())
        decision.folderCheck = std::move(check);

    decision.projectFolder = state.ProjectFolder();
    decision.listViewMode = state.ListViewMode();
    decision.start = CheckSecurity(showLogin);
    return decision;
}

} // namespace hv
