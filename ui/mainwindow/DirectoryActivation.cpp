#include "ui/mainwindow/DirectoryActivation.h"

#include "app/AppState.h"
#include "files/DirClass.h"
#include "log/DiagnosticLog.h"
#include "suite/DirTemplateLookup.h"
#include "ui/direditor/frmDIR.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "ui/support/WindowPlacement.h"

#include <QCoreApplication>

namespace hv {

void ActivateDirectoryFile(frmHVSetup &window, const QString &key,
                           const std::function<void(frmDIR &)> &configure)
{
    WriteRegWindowInfo(window);
    QCoreApplication::processEvents();
    WriteLog(QStringLiteral("frmHVSetup"), QStringLiteral("lstHVSetup_Dblclick"),
             QStringLiteral("Double Click List Selection"));

    const QString folder = AppState::instance().ProjectFolder();
    {
        DirClass dir(dirTemplateLookup(folder));
        frmDIR editor(dir, &window);
        if (configure)
            configure(editor);
        editor.Load_DIR(key == QStringLiteral("NEW") ? folder : folder + key);
    }

    QCoreApplication::processEvents();
    ReadRegWindowInfo(window, false);
    window.RefillList();
}

} // namespace hv
