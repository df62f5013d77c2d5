#include "ui/dialogs/FileDialogs.h"

#include "app/MessageService.h"
#include "app/WindowLayout.h"
#include "log/DiagnosticLog.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QShowEvent>

namespace hv {
namespace {

const QString kModule = QStringLiteral("mComdlg");

// The save dialog: positions itself once, when first shown, and asks before replacing a
// file through the message-box service.
class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget *owner, bool centreOverOwner)
        : QFileDialog(owner), m_owner(owner), m_overOwner(centreOverOwner && owner)
    {
    }

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (!files.isEmpty()) {
            // The dialog names files through Qt: a folder whose name is not UTF-8 must be the
            // only one that looks like it, or the file would be saved elsewhere.
            const QString &shown = files.first();
            const qsizetype slash = shown.lastIndexOf(u'/');
            const QString name = shown.mid(slash + 1);
            std::optional<QString> exact;
            if (name.contains(QChar::ReplacementCharacter))
                exact = paths::exactPathOfQtPath(shown);
            else if (const auto folder = paths::exactPathOfQtPath(shown.left(slash)))
                exact = *folder + u'/' + name;
            if (!exact) {
                ShowMessage(QCoreApplication::translate("hv::ShowSave",
                                                        "%1 cannot be told apart from another "
                                                        "name that differs only in bytes that "
                                                        "are not UTF-8.")
                                .arg(shown),
                            windowTitle(), MsgButtons::Ok, MsgIcon::Exclamation);
                return;
            }
            const QString existing = paths::findExisting(*exact);
            if (!existing.isEmpty() && paths::isRegularFile(existing) &&
                ShowMessage(replaceQuestion(
                                paths::displayName(existing.mid(existing.lastIndexOf(u'/') + 1))),
                            windowTitle(), MsgButtons::YesNo,
                            MsgIcon::Exclamation) != MsgAnswer::Yes)
                return;
            m_chosen = *exact;
        }
        QFileDialog::accept();
    }

    // The chosen path as it is on disk.
    const QString &chosen() const { return m_chosen; }

protected:
    void showEvent(QShowEvent *event) override
    {
        QFileDialog::showEvent(event);
        if (m_positioned)
            return;
        m_positioned = true;
        const QScreen *screen = m_overOwner ? m_owner->screen() : this->screen();
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const QRect screenRect = screen ? screen->geometry() : QRect();
        const QRect around = m_overOwner ? m_owner->window()->frameGeometry() : screenRect;
        move(centredOver(around, frameGeometry().size(), Halving::RoundedHalves,
                         screen ? screen->availableGeometry() : QRect())
                 .topLeft());
    }

private:
    QWidget *m_owner;
    bool m_overOwner;
    bool m_positioned = false;
    QString m_chosen;
};

} // namespace

QStringList nameFiltersFromPairs(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns)
            pattern = pattern.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            continue;
        filters.append(parts.at(i) + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return filters;
}

QString replaceQuestion(const QString &fileName)
{
    return QCoreApplication::translate("hv::ShowSave",
                                       "%1 already exists.\nDo you want to replace it?")
        .arg(fileName);
}

SaveDialogResult ShowSave(QWidget *owner, const QString &proposedName, const UserText &title,
                          const QString &initialFolder, const QString &filter,
                          const QString &defaultExtension, bool centreOverOwner)
{
    WriteLog(kModule, QStringLiteral("ShowSave"), title.english);
    SaveDialog dialog(owner, centreOverOwner);
    dialog.setObjectName(QStringLiteral("dlgSave"));
    dialog.setWindowTitle(title.shown);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The console's own dialog, so that it can be centred, matches names without regard to
    // case and asks its questions through the message-box service.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                      QFileDialog::HideNameFilterDetails);
    QDir::Filters entries = dialog.filter();
    entries.setFlag(QDir::CaseSensitive, false);
    dialog.setFilter(entries);
    const QStringList filters = nameFiltersFromPairs(filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultExtension);
    if (!initialFolder.isEmpty())
        dialog.setDirectory(paths::findExisting(initialFolder).isEmpty()
                                ? initialFolder
                                : paths::findExisting(initialFolder));
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);

    SaveDialogResult result;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        result.fileNames.append(dialog.chosen());
        result.cancelled = false;
    }
    return result;
}

} // namespace hv
