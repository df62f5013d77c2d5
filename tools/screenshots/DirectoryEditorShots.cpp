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
        // These run inside the editor's modal loop.
        QTimer::singleShot(kSettleMs, [folder] {
            QPointer<frmDIR> editor = qobject_cast<frmDIR *>(QApplication::activeModalWidget());
            if (!editor)
                return;
            editor->grab().save(folder + QStringLiteral("/directory-editor.png"));
            shootModal(folder + QStringLiteral("/template-picker.png"));
            editor->cmdAdd()->click(); // returns when the picker is closed
            shootModal(folder + QStringLiteral("/save-as.png"));
            editor->mnuSaveas()->trigger(); // returns when the dialog is closed
            if (editor)
                editor->close();
        });
        if (ownerGuard) {
            DirClass dir(dirTemplateLookup(projectFolder));
            frmDIR editor(dir, ownerGuard);
            editor.Load_DIR(projectFolder + QStringLiteral("OFFICE.DIR"));
        }
        done();
    });
}

} // namespace hv
