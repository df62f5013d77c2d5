#include "ui/mainwindow/DirectoryActivation.h"

#include "app/AppState.h"
#include "files/DirClass.h"
#include "log/DiagnosticLog.h"
#include "suite/DirTemplateLookup.h"
#include "ui/direditor/frmDIR.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "ui/support/JobProgressView.h"
#include "ui/support/WindowPlacement.h"

#include <QCoreApplication>

#include <memory>

namespace hv {

void ActivateDirectoryFile(frmHVSetup &window, const QString &key, std::function<void()> closed,
                           const std::function<void(frmDIR &)> &configure)
{
    WriteRegWindowInfo(window);
    QCoreApplication::processEvents();
    WriteLog(QStringLiteral("frmHVSetup"), QStringLiteral("lstHVSetup_Dblclick"),
             QStringLiteral("Double Click List Selection"));

    const QString folder = AppState::instance().ProjectFolder();
    // The directory lives as long as the editor over it.
    auto dir = std::make_shared<DirClass>(dirTemplateLookup(folder));
    auto *editor = new frmDIR(*dir, &window);
    if (configure)
        configure(*editor);
    QObject::connect(editor, &frmDIR::jobStarted, window.jobProgress(), &JobProgressView::watch);
    QObject::connect(
        editor, &QDialog::finished, &window,
        [&window, editor, dir, closed = std::move(closed)] {
            editor->deleteLater();
            QCoreApplication::processEvents();
            ReadRegWindowInfo(window, false);
            window.RefillList();
            if (closed)
                closed();
        },
        Qt::SingleShotConnection);
    editor->Load_DIR(key == QStringLiteral("NEW") ? folder : folder + key);
}

} // namespace hv
