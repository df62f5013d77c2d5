// Help > Keyboard Shortcuts: every command of a window that has keys, with its keys. The
// list is read from the window's actions as they are when it opens, so a command that gains a
// key shows here without more ado.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QTreeWidget;

namespace hv {

// One command of the list: its caption without access keys ("Rename") and its keys as the
// platform writes them ("Del, Shift+Del").
struct ShortcutRow {
    QString command;
    QString keys;
};

// The commands of `window` (its actions and those of its children) that have keys, in the
// order they were made; a command whose caption changes (Undo) shows as it is captioned now.
QList<ShortcutRow> shortcutsOf(const QWidget &window);

class ShortcutsWindow : public QDialog {
    Q_OBJECT
public:
    // Lists the keys of `window`, over `parent`.
    explicit ShortcutsWindow(const QWidget &window, QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }

private:
    QTreeWidget *m_list;
};

} // namespace hv
