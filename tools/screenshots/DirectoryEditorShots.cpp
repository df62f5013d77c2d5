#include "tools/screenshots/DirectoryEditorShots.h"

#include "files/DirClass.h"
#include "suite/DirTemplateLookup.h"
#include "ui/direditor/frmDIR.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace hv {
namespace {

// Time for a window to lay out and paint before its picture is taken.
constexpr int kSettleMs = 400;

// After the settle time, saves a picture of the modal window then open and closes it.
void shootModal(const QString &path)
{
    QTimer::singleShot(kSettleMs, [path] {
        QWidget *window = QApplication::activeModalWidget();
        if (!window)
            return;
        if (!window->grab().save(path))
            qWarning("cannot write %s", qPrintable(path));
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
    });
}

} // namespace

void ShootDirectoryEditor(QWidget &owner, const QString &projectFolder, const QString &folder,
                          std::function<void()> done)
{
    QPointer<QWidget> ownerGuard(&owner);
    QTimer::singleShot(0, &owner, [ownerGuard, projectFolder, folder, done] {
        if (!ownerGuard) {
            done();
            return;
        }
        auto dir = std::make_shared<DirClass>(dirTemplateLookup(projectFolder));
        auto *editor = new frmDIR(*dir, ownerGuard);
        QObject::connect(editor, &QDialog::finished, editor, [editor, dir, done] {
            editor->deleteLater();
            done();
        });
        // These run while the editor is shown.
        QObject::connect(editor, &frmDIR::loaded, editor, [folder](bool) {
            QTimer::singleShot(kSettleMs, [folder] {
                QPointer<frmDIR> shown = qobject_cast<frmDIR *>(QApplication::activeModalWidget());
                if (!shown)
                    return;
                shown->grab().save(folder + QStringLiteral("/directory-editor.png"));
                shootModal(folder + QStringLiteral("/template-picker.png"));
                shown->cmdAdd()->click(); // returns when the picker is closed
                shootModal(folder + QStringLiteral("/save-as.png"));
                shown->mnuSaveas()->trigger(); // returns when the dialog is closed
                if (shown)
                    shown->close();
            });
        });
        editor->Load_DIR(projectFolder + QStringLiteral("OFFICE.DIR"));
    });
}

} // namespace hv
