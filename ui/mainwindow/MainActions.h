// The actions and menus of the main window. Every command has one QAction here; the
// toolbar and the menus show the same actions, so a view mode chosen in one is checked in
// the other. The item list's context menus and their commands are ItemActions'.
#pragma once

#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace hv {

class MainActions : public QObject {
    Q_OBJECT
public:
    // Creates the actions as children of `owner` (the main window), so their shortcuts work
    // anywhere in it.
    explicit MainActions(QWidget *owner);

    // The four view modes, in toolbar order: large icons, small icons, list, details.
    QActionGroup *viewModes() const { return m_viewModes; }
    QAction *viewModeAction(int mode) const;
    // Checks the action of a view mode without triggering it.
    void showViewMode(int mode);

    QAction *refresh() const { return m_refresh; }

    // File and Help menus.
    QAction *mnuExit() const { return m_exit; }
    QAction *mnuContents() const { return m_contents; }
    QAction *mnuIndex() const { return m_index; }
    QAction *mnuWebProducts() const { return m_webProducts; }
    QAction *mnuWebTraining() const { return m_webTraining; }
    QAction *mnuWebTips() const { return m_webTips; }
    QAction *mnuWebHome() const { return m_webHome; }
    QAction *mnuAbout() const { return m_about; }
    // Help > Keyboard Shortcuts: lists the window's keys.
    QAction *mnuKeyboardShortcuts() const { return m_keyboardShortcuts; }
    // Edit menu: undo the newest operation of the history, and the history window.
    QAction *mnuUndo() const { return m_undo; }
    QAction *mnuHistory() const { return m_history; }

    // Fills the window's menu bar: File, Edit, View, Help.
    void buildMenuBar(QMenuBar *menuBar);
    // Fills the toolbar with the four view-mode buttons.
    void buildToolBar(QToolBar *toolBar);
    // The actions' pictures, in blank until this looks them up in the icon themes.
    void lookUpIcons();

Q_SIGNALS:
    // A view-mode button or menu item was chosen.
    void viewModeChosen(int mode);

private:
    QAction *makeAction(const char *name, const QString &caption);

    QWidget *m_owner;
    QActionGroup *m_viewModes;
    QAction *m_refresh;
    QAction *m_exit;
    QAction *m_contents;
    QAction *m_index;
    QAction *m_webProducts;
    QAction *m_webTraining;
    QAction *m_webTips;
    QAction *m_webHome;
    QAction *m_about;
    QAction *m_keyboardShortcuts;
    QAction *m_undo;
    QAction *m_history;
};

} // namespace hv
