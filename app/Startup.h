// The start-up sequence of the console, up to the point where the main window is created.
#pragma once

#include "app/Security.h"
#include "lists/ViewMode.h"

#include <QObject>
#include <QString>

#include <memory>

namespace hv {

class Job;
struct StartupDecision;

// The check of the folder the console opens: the folder named on the command line, else the
// stored last folder, each asked by a job. The start-up waits for each answer it needs at most
// kStartupFolderGraceMs once a worker has taken the question up; when one has not come by
// then, the window opens without it: the project folder is the folder asked (the window says
// it is not answering), and the check goes on and decides when the answer comes, as the
// start-up would have (a folder named on the command line that is no folder gives way to the
// last folder, a last folder that is gone to the program folder).
class StartupFolderCheck : public QObject {
    Q_OBJECT
public:
    ~StartupFolderCheck() override;
    // Whether the project folder is decided.
    bool isAnswered() const { return m_answered; }
    // The folder named on the command line when it turned out to be no folder.
    const QString &missingArgument() const { return m_missingArgument; }

Q_SIGNALS:
    // The answer came after the start-up stopped waiting: AppState's project folder is the
    // folder to open (a fallback when the one asked is missing).
    void answered();

private:
    friend StartupDecision RunStartup(const LoginPrompt &, const QString &);
    struct Answer {
        bool present = false;
        QString folder; // the folder named on the command line, symbolic links resolved
    };
    explicit StartupFolderCheck(const QString &argument);
    void start();
    void askArgument();
    void takeArgumentAnswer(const Answer &answer);
    void askLastFolder();
    void takeLastFolderAnswer(bool present);
    void decide();
    // Whether `job` returned while the start-up still waits.
    bool answersInTime(Job &job) const;

    QString m_argument;
    QString m_lastFolder;
    QString m_missingArgument;
    bool m_late = false; // the start-up has stopped waiting
    bool m_answered = false;
};

struct StartupDecision {
    bool start = false;    // false: the security check failed, the process ends
    QString projectFolder; // ends in '/'
    int listViewMode = ViewDetails;
    // false when the folder did not answer within kStartupFolderGraceMs: it is the project
    // folder for now, and folderCheck says when it answers.
    bool projectFolderAnswered = true;
    // The folder named on the command line when it is no folder: the project folder was
    // chosen as without it.
    QString missingFolderArgument;
    // While the folder has not answered: its check, for the caller to keep (and parent).
    std::unique_ptr<StartupFolderCheck> folderCheck;
};

// How long the start-up waits for the folder to answer before the window opens without it.
inline constexpr int kStartupFolderGraceMs = 200;

// Logs "HVAdmin Started", loads the list view mode, takes the stored last folder (trimmed)
// as the project folder when it still exists (or does not answer in time: see
// StartupFolderCheck) and the program
// folder otherwise, and runs the security check with `showLogin` as the login window. The shared
// state (AppState) holds the project folder and view mode afterwards; the result says whether the
// console may start.
// A `folderArgument` (the folder named on the command line, relative to the current folder)
// comes before the stored last folder: the project folder is that folder, symbolic links
// resolved, when it is one (or does not answer in time); otherwise it is named in the result
// and the last folder is taken as without it.
StartupDecision RunStartup(const LoginPrompt &showLogin, const QString &folderArgument = {});

} // namespace hv
