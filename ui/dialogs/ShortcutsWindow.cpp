#include "ui/dialogs/ShortcutsWindow.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace hv {

QList<ShortcutRow> shortcutsOf(const QWidget &window)
{
    QList<ShortcutRow> rows;
    QSet<const QAction *> seen;
    QList<QAction *> actions = window.actions();
    actions += window.findChildren<QAction *>();
    for (const QAction *action : std::as_const(actions)) {
        if (seen.contains(action) || action->shortcuts().isEmpty() || action->isSeparator())
            continue;
        seen.insert(action);
        QStringList keys;
        for (const QKeySequence &key : action->shortcuts())
            keys.append(key.toString(QKeySequence::NativeText));
        // The caption as a button shows it: no access key, no trailing dots.
        rows.append({action->iconText(), keys.join(QLatin1String(", "))});
    }
    return rows;
}

ShortcutsWindow::ShortcutsWindow(const QWidget &window, QWidget *parent)
    : QDialog(parent), m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("frmKeyboardShortcuts"));
    setWindowTitle(tr("Keyboard Shortcuts"));
    m_list->setObjectName(QStringLiteral("lstShortcuts"));
    m_list->setAccessibleName(tr("Keyboard shortcuts"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("Command"), tr("Keys")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (const ShortcutRow &row : shortcutsOf(window))
        new QTreeWidgetItem(m_list, {row.command, row.keys});
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(420, 420);
}

} // namespace hv
