#include "ui/support/Main.h"

#include "app/Startup.h"
#include "ui/dialogs/frmLogin.h"
#include "ui/support/MessageBoxService.h"
#include "ui/support/WindowPlacement.h"

namespace hv {

std::unique_ptr<QWidget> Main(const MainWindowFactory &createMainWindow)
{
    // Message boxes as windows, unless a service (a test's) is installed already.
    static MessageBoxService messageBoxes;
    if (MessageService *installed = setMessageService(&messageBoxes))
        setMessageService(installed);

    if (!RunStartup(&RunLoginWindow).start)
        return nullptr;
    std::unique_ptr<QWidget> window = createMainWindow();
    if (window)
        ReadRegWindowInfo(*window, false);
    return window;
}

} // namespace hv
