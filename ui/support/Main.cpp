#include "ui/support/Main.h"

#include "app/Startup.h"
#include "ui/dialogs/frmLogin.h"
#include "ui/support/MessageBoxService.h"
#include "ui/support/WindowPlacement.h"

#include "app/MessageService.h"
#include "platform/FileNames.h"

#include <QCoreApplication>

namespace hv {

std::unique_ptr<QWidget> Main(const MainWindowFactory &createMainWindow,
                              const QString &folderArgument)
{
    // Message boxes as windows, unless a service (a test's) is installed already.
    static MessageBoxService messageBoxes;
    if (MessageService *installed = setMessageService(&messageBoxes))
        setMessageService(installed);

    const StartupDecision decision = RunStartup(&RunLoginWindow, folderArgument);
    if (!decision.start)
        return nullptr;
    if (!decision.missingFolderArgument.isEmpty())
        ShowMessage(QCoreApplication::translate("hv::Main", "There is no folder %1. The console "
                                                            "opens %2 instead.")
                        .arg(paths::displayName(decision.missingFolderArgument),
                             paths::displayName(decision.projectFolder)),
                    QString(), MsgButtons::Ok, MsgIcon::Exclamation);
    std::unique_ptr<QWidget> window = createMainWindow();
    if (window)
        ReadRegWindowInfo(*window, false);
    return window;
}

} // namespace hv
