#include "ui/support/Main.h"

#include "app/Startup.h"
#include "ui/dialogs/frmLogin.h"
#include "ui/support/ConsoleStyle.h"
#include "ui/support/FontConfiguration.h"
#include "ui/support/MessageBoxService.h"
#include "ui/support/WindowPlacement.h"

#include "app/AppState.h"
#include "app/MessageService.h"
#include "platform/FileNames.h"

#include <QCoreApplication>

namespace hv {

namespace {

void tellMissingFolder(const QString &missing)
{
    ShowMessage(QCoreApplication::translate("hv::Main", "There is no folder %1. The console "
                                                        "opens %2 instead.")
                    .arg(paths::displayName(missing),
                         paths::displayName(AppState::instance().ProjectFolder())),
                QString(), MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace

std::unique_ptr<QWidget> Main(const MainWindowFactory &createMainWindow,
                              const QString &folderArgument)
{
    // Message boxes as windows, unless a service (a test's) is installed already.
    static MessageBoxService messageBoxes;
    if (MessageService *installed = setMessageService(&messageBoxes))
        setMessageService(installed);
    installConsoleStyle();

    // The start-up's steps before a window run while the font configuration is read.
    StartupDecision decision = RunStartup(
        [] {
            awaitFontConfiguration();
            return RunLoginWindow();
        },
        folderArgument);
    if (!decision.start)
        return nullptr;
    awaitFontConfiguration();
    if (!decision.missingFolderArgument.isEmpty())
        tellMissingFolder(decision.missingFolderArgument);
    std::unique_ptr<QWidget> window = createMainWindow();
    if (!window)
        return window;
    auto *view = dynamic_cast<StartupFolderView *>(window.get());
    StartupFolderCheck *check = decision.folderCheck.release();
    if (check) {
        // The window opens now; the folder when it answers.
        check->setParent(window.get());
        QObject::connect(check, &StartupFolderCheck::answered, window.get(), [check, view] {
            if (!check->missingArgument().isEmpty())
                tellMissingFolder(check->missingArgument());
            if (view)
                view->openProjectFolder();
        });
    }
    ReadRegWindowInfo(*window, false);
    if (check && !check->isAnswered() && view)
        view->showFolderNotAnswering();
    return window;
}

} // namespace hv
