#include "ui/mainwindow/MainActions.h"

#include "ui/dialogs/ShortcutsWindow.h"
#include "ui/mainwindow/NamedMenus.h"
#include "ui/support/Icons.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QWidget>

namespace hv {

namespace {

struct ViewModeText {
    const char *name;
    const char *caption;
    const char *shortcut;
};

constexpr ViewModeText kViewModes[] = {
    {"tbLargeIcons", QT_TRANSLATE_NOOP("hv::MainActions", "Lar&ge Icons"), "Ctrl+1"},
    {"tbSmallIcons", QT_TRANSLATE_NOOP("hv::MainActions", "S&mall Icons"), "Ctrl+2"},
    {"tbList", QT_TRANSLATE_NOOP("hv::MainActions", "&List"), "Ctrl+3"},
    {"tbDetails", QT_TRANSLATE_NOOP("hv::MainActions", "&Details"), "Ctrl+4"},
};

} // namespace

MainActions::MainActions(QWidget *owner) : QObject(owner), m_owner(owner)
{
    m_viewModes = new QActionGroup(this);
    m_viewModes->setExclusive(true);
    for (int mode = 0; mode < 4; ++mode) {
        const ViewModeText &text = kViewModes[mode];
        const QString caption = tr(text.caption);
        QAction *action = makeAction(text.name, caption);
        action->setCheckable(true);
        action->setData(mode);
        action->setIcon(icons::blank());
        action->setShortcut(QKeySequence(QString::fromLatin1(text.shortcut)));
        action->setToolTip(QString(caption).remove(QLatin1Char('&')));
        m_viewModes->addAction(action);
    }
    connect(m_viewModes, &QActionGroup::triggered, this,
            [this](QAction *action) { Q_EMIT viewModeChosen(action->data().toInt()); });

    m_refresh = makeAction("mnuRefresh", tr("&Refresh"));
    m_refresh->setShortcut(QKeySequence::Refresh);
    m_refresh->setIcon(icons::blank());

    m_exit = makeAction("mnuExit", tr("E&xit"));
    m_exit->setShortcut(QKeySequence::Quit);
    m_exit->setMenuRole(QAction::QuitRole);

    m_contents = makeAction("mnuContents", tr("&Contents"));
    m_contents->setShortcut(QKeySequence::HelpContents);
    m_index = makeAction("mnuIndex", tr("&Index"));
    m_index->setVisible(false);
    m_webProducts = makeAction("mnuWebProducts", tr("Products"));
    m_webTraining = makeAction("mnuWebTraining", tr("Online Training"));
    m_webTips = makeAction("mnuWebTips", tr("Tips Corner"));
    m_webHome = makeAction("mnuWebHome", tr("Corvasse Home Page"));
    m_about = makeAction("mnuAbout", tr("&About HV Admin"));
    m_about->setMenuRole(QAction::AboutRole);
    m_keyboardShortcuts = makeAction("mnuKeyboardShortcuts", tr("&Keyboard Shortcuts"));
    connect(m_keyboardShortcuts, &QAction::triggered, this, [this] {
        ShortcutsWindow keys(*m_owner, m_owner);
        keys.exec();
    });

    m_undo = makeAction("mnuUndo", tr("&Undo"));
    m_undo->setShortcut(QKeySequence::Undo);
    m_undo->setEnabled(false);
    m_history = makeAction("mnuHistory", tr("&History..."));
}

QAction *MainActions::makeAction(const char *name, const QString &caption)
{
    auto *action = new QAction(caption, m_owner);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction *MainActions::viewModeAction(int mode) const
{
    const QList<QAction *> actions = m_viewModes->actions();
    return mode >= 0 && mode < actions.size() ? actions.at(mode) : nullptr;
}

void MainActions::showViewMode(int mode)
{
    if (QAction *action = viewModeAction(mode))
        action->setChecked(true);
}

void MainActions::buildMenuBar(QMenuBar *menuBar)
{
    QMenu *file = addNamedMenu(m_owner, "mnuFile", tr("&File"));
    file->addAction(m_exit);
    menuBar->addMenu(file);

    QMenu *edit = addNamedMenu(m_owner, "mnuEdit", tr("&Edit"));
    edit->addAction(m_undo);
    edit->addAction(m_history);
    menuBar->addMenu(edit);

    QMenu *view = addNamedMenu(m_owner, "mnuView", tr("&View"));
    view->addActions(m_viewModes->actions());
    view->addSeparator();
    view->addAction(m_refresh);
    menuBar->addMenu(view);

    QMenu *help = addNamedMenu(m_owner, "mnuHelp", tr("&Help"));
    help->addAction(m_contents);
    help->addAction(m_index);
    help->addAction(m_keyboardShortcuts);
    addNamedSeparator(help, "mnuSeperator5");
    QMenu *web = addNamedMenu(m_owner, "mnuWeb", tr("Corvasse on the &Web..."));
    web->addAction(m_webProducts);
    web->addAction(m_webTraining);
    web->addAction(m_webTips);
    addNamedSeparator(web, "mnuSeperator6");
    web->addAction(m_webHome);
    help->addMenu(web);
    addNamedSeparator(help, "mnuSeperator7");
    help->addAction(m_about);
    menuBar->addMenu(help);
}

void MainActions::lookUpIcons()
{
    for (int mode = 0; mode < 4; ++mode)
        viewModeAction(mode)->setIcon(icons::viewMode(mode));
    m_refresh->setIcon(icons::themed({"view-refresh"}, QStyle::SP_BrowserReload));
}

void MainActions::buildToolBar(QToolBar *toolBar)
{
    toolBar->addActions(m_viewModes->actions());
}

} // namespace hv
