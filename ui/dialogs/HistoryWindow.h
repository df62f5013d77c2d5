// Undo from the console: UndoCommands runs the undo of an operation of the history as a job
// and keeps Edit > Undo captioned with what it would undo; HistoryWindow lists the history,
// newest first, and undoes the operation chosen.
#pragma once

#include <QDialog>
#include <QObject>

#include <functional>

class QAction;
class QPushButton;
class QTreeWidget;

namespace hv {

class UndoCommands : public QObject {
    Q_OBJECT
public:
    // `undoAction` is captioned and enabled by what can be undone (from refreshCaption(), which
    // reads the history: the owner calls it once it is shown); `mayStart` says whether
    // another command is running (no undo starts while one is).
    UndoCommands(QAction *undoAction, std::function<bool()> mayStart, QObject *parent = nullptr);

    bool isBusy() const { return m_busy; }
    // Reads the history again and captions the Undo action: "Undo Delete Forklift", or a
    // disabled "Undo" when nothing can be undone.
    void refreshCaption();
    // Undoes the newest operation not yet undone, or operation `id`. The failure is shown
    // through the message service; undone() follows a success. False when none started.
    bool undoNewest();
    bool undo(qint64 id);

Q_SIGNALS:
    // An operation was undone ("Undid Delete Forklift" is the notice): the items of `folder`
    // it worked on are back.
    void undone(const QString &notice, const QString &folder, const QStringList &items);
    // An undo has come to its end, whether it succeeded or not.
    void finished();

private:
    QAction *m_action;
    std::function<bool()> m_mayStart;
    bool m_busy = false;
};

class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    HistoryWindow(UndoCommands &commands, QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }
    QPushButton *undoButton() const { return m_undo; }
    // Fills the list from the history again.
    void reload();

private:
    void updateButton();

    UndoCommands &m_commands;
    QTreeWidget *m_list;
    QPushButton *m_undo;
};

} // namespace hv
