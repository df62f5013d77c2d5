#include "ui/dialogs/HistoryWindow.h"

#include "app/Jobs.h"
#include "app/MessageService.h"
#include "ops/History.h"
#include "ops/Undo.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace hv {

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kUndoableRole = Qt::UserRole + 1;

} // namespace

UndoCommands::UndoCommands(QAction *undoAction, std::function<bool()> mayStart, QObject *parent)
    : QObject(parent), m_action(undoAction), m_mayStart(std::move(mayStart))
{
    connect(m_action, &QAction::triggered, this, [this] { undoNewest(); });
    m_action->setText(tr("&Undo"));
    m_action->setEnabled(false);
}

void UndoCommands::refreshCaption()
{
    const std::optional<history::Entry> newest = history::NewestNotUndone();
    const bool can = newest && newest->undoable();
    m_action->setText(can ? tr("&Undo %1").arg(newest->captionText().shown) : tr("&Undo"));
    m_action->setEnabled(can && !isBusy());
}

bool UndoCommands::undoNewest()
{
    const std::optional<history::Entry> newest = history::NewestNotUndone();
    return newest && undo(newest->id);
}

bool UndoCommands::undo(qint64 id)
{
    if (isBusy() || (m_mayStart && !m_mayStart()))
        return false;
    const std::optional<history::Entry> entry = history::Find(id);
    if (!entry || entry->undone)
        return false;
    const QString caption = entry->captionText().shown;
    auto *job = startJob<OpResult>(entry->folder, [id](JobControl &control) {
        if (control.isCancelled()) {
            OpResult cancelled;
            cancelled.fail(tr("The operation was cancelled."), tr("Cancelled"));
            return cancelled;
        }
        return UndoOperation(id);
    });
    m_busy = true;
    m_action->setEnabled(false);
    connect(job, &Job::finished, this,
            [this, job, caption, folder = entry->folder, items = entry->items] {
                const OpResult result = job->result();
                m_busy = false;
                refreshCaption();
                if (result.ok)
                    Q_EMIT undone(tr("Undid %1").arg(caption), folder, items);
                else if (!job->isCancelled())
                    ShowResult(result);
                Q_EMIT finished();
            });
    return true;
}

HistoryWindow::HistoryWindow(UndoCommands &commands, QWidget *parent)
    : QDialog(parent), m_commands(commands), m_list(new QTreeWidget(this)),
      m_undo(new QPushButton(tr("&Undo"), this))
{
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(tr("History"));
    m_list->setObjectName(QStringLiteral("lstHistory"));
    m_list->setAccessibleName(tr("Operations"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("Time"), tr("Operation"), tr("Folder"), tr("State")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_undo->setObjectName(QStringLiteral("cmdUndo"));
    m_undo->setAccessibleName(tr("Undo the chosen operation"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_undo, QDialogButtonBox::ActionRole);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(720, 360);

    connect(m_list, &QTreeWidget::currentItemChanged, this, &HistoryWindow::updateButton);
    connect(m_undo, &QPushButton::clicked, this, [this] {
        if (QTreeWidgetItem *item = m_list->currentItem())
            if (m_commands.undo(item->data(0, kIdRole).toLongLong()))
                m_undo->setEnabled(false);
    });
    connect(&m_commands, &UndoCommands::finished, this, &HistoryWindow::reload);
    reload();
}

void HistoryWindow::reload()
{
    const qint64 chosen =
        m_list->currentItem() ? m_list->currentItem()->data(0, kIdRole).toLongLong() : -1;
    m_list->clear();
    UserText error;
    const QList<history::Entry> entries = history::Entries(&error);
    if (!error.isEmpty())
        ShowMessage(tr("The history could not be read."), tr("History"), MsgButtons::Ok,
                    MsgIcon::None, error.shown);
    const QLocale locale;
    for (const history::Entry &entry : entries) {
        const QString state = entry.undone       ? tr("Undone")
                              : entry.undoable() ? QString()
                                                 : tr("Cannot be undone");
        auto *item = new QTreeWidgetItem(m_list, {locale.toString(entry.time, QLocale::ShortFormat),
                                                  entry.captionText().shown, entry.folder, state});
        item->setData(0, kIdRole, entry.id);
        item->setData(0, kUndoableRole, entry.undoable() && !entry.undone);
        if (entry.id == chosen || (chosen < 0 && !m_list->currentItem()))
            m_list->setCurrentItem(item);
    }
    updateButton();
}

void HistoryWindow::updateButton()
{
    QTreeWidgetItem *item = m_list->currentItem();
    m_undo->setEnabled(item && item->data(0, kUndoableRole).toBool() && !m_commands.isBusy());
}

} // namespace hv
