// Every window as a screen reader and a keyboard user meet it: each control has an
// accessible name, and each command can be reached without the mouse. Every window of the
// console is listed once in kWindows; a new window is one more line there.
#include "app/AppState.h"
#include "files/DirClass.h"
#include "ops/ItemRename.h"
#include "ops/LockCheck.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"
#include "tests/ui/mainwindow/MainWindowTestSupport.h"
#include "ui/dialogs/DataWindow.h"
#include "ui/dialogs/HistoryWindow.h"
#include "ui/dialogs/ShortcutsWindow.h"
#include "ui/dialogs/TemplatePickerDialog.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmLogin.h"
#include "ui/dialogs/frmRename.h"
#include "ui/dialogs/frmWarning.h"
#include "ui/dialogs/frmfileLock.h"
#include "ui/direditor/frmDIR.h"
#include "ui/mainwindow/frmHVSetup.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>

using namespace hv;

namespace {

struct WindowUnderTest {
    const char *name;
    std::function<std::unique_ptr<QWidget>()> create;
};

void PrintTo(const WindowUnderTest &window, std::ostream *os)
{
    *os << window.name;
}

const WindowUnderTest kWindows[] = {
    {"frmHVSetup", [] { return std::make_unique<frmHVSetup>(); }},
    {"frmLogin", [] { return std::make_unique<frmLogin>(); }},
    {"frmAbout", [] { return std::make_unique<frmAbout>(); }},
    {"frmDIR",
     [] {
         static DirClass dir;
         return std::make_unique<frmDIR>(dir);
     }},
    {"frmWarning",
     [] {
         return std::make_unique<frmWarning>(
             nullptr, DeleteConfirmationText(true, false, QStringLiteral("Plant"), 3));
     }},
    {"frmRename",
     [] {
         const RenamePrompt prompt = RenamePromptFor(QStringLiteral("PLANT1.HVT"));
         return std::make_unique<frmRename>(nullptr, prompt.prompt, prompt.caption,
                                            QStringLiteral("PLANT1.HVT"));
     }},
    {"frmfileLock",
     [] {
         LockCheckResult held;
         held.outcome = LockOutcome::OtherUsers;
         held.listVisible = true;
         return std::make_unique<frmfileLock>(nullptr, QStringLiteral("/p/A.HVD"), held);
     }},
    {"TemplatePicker", [] { return std::make_unique<TemplatePickerDialog>(); }},
    {"DataWindow",
     [] {
         return std::make_unique<DataWindow>(QStringLiteral("Line 4"),
                                             QStringLiteral("/nonexistent/LINE4.HVD"));
     }},
    {"ShortcutsWindow",
     [] {
         static auto *owner = new QWidget; // kept for the whole run, like the history's
         return std::make_unique<ShortcutsWindow>(*owner);
     }},
    {"HistoryWindow",
     [] {
         // Kept for the whole run: the windows of every case refer to them.
         static auto *undo = new QAction;
         static auto *commands = new UndoCommands(undo, [] { return true; });
         return std::make_unique<HistoryWindow>(*commands);
     }},
};

// Roles of the things a user operates or reads from, which a screen reader must name.
bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::Dial:
    case QAccessible::EditableText:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Link:
    case QAccessible::PageTab:
    case QAccessible::PageTabList:
    case QAccessible::MenuItem:
    case QAccessible::MenuBar:
    case QAccessible::ToolBar:
    case QAccessible::StatusBar:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
    case QAccessible::Splitter:
    case QAccessible::ProgressBar:
        return true;
    default:
        return false;
    }
}

// Views whose children are their rows: the rows are named by their texts.
bool holdsRows(QAccessible::Role role)
{
    return role == QAccessible::List || role == QAccessible::Tree || role == QAccessible::Table;
}

QString describe(QAccessibleInterface *iface)
{
    QObject *object = iface->object();
    const QString name = object ? object->objectName() : QString();
    return (object ? QString::fromLatin1(object->metaObject()->className()) : QStringLiteral("?")) +
           (name.isEmpty() ? QString() : u'#' + name);
}

void collectNameless(QAccessibleInterface *iface, const QString &path, QStringList &nameless)
{
    QObject *object = iface->object();
    // Qt's own helpers (scroll area corners, the toolbar's extension button) are not ours.
    if (object && object->objectName().startsWith(QLatin1String("qt_")))
        return;
    const auto *widget = qobject_cast<const QWidget *>(object);
    const bool focusable = widget && (widget->focusPolicy() & Qt::TabFocus);
    const QString here = path + u'/' + describe(iface);
    if ((isControl(iface->role()) || focusable) &&
        iface->text(QAccessible::Name).trimmed().isEmpty())
        nameless.append(here);
    if (holdsRows(iface->role()))
        return;
    for (int i = 0; i < iface->childCount(); ++i) {
        if (QAccessibleInterface *child = iface->child(i))
            collectNameless(child, here, nameless);
    }
}

// The controls of a window and of its menus that have no accessible name.
QStringList namelessControls(QWidget *window)
{
    QStringList nameless;
    collectNameless(QAccessible::queryAccessibleInterface(window), QString(), nameless);
    for (QMenu *menu : window->findChildren<QMenu *>())
        collectNameless(QAccessible::queryAccessibleInterface(menu), QString(), nameless);
    return nameless;
}

QString joined(const QStringList &list)
{
    return list.join(QLatin1String(", "));
}

// The menus a keyboard opens from the menu bar: Alt with the underlined letter, then arrows.
QList<QMenu *> keyboardMenus(QMenuBar *bar, QStringList &problems)
{
    QList<QMenu *> menus;
    QList<QKeySequence> keys;
    for (QAction *action : bar->actions()) {
        const QKeySequence key = QKeySequence::mnemonic(action->text());
        if (key.isEmpty() || keys.contains(key))
            problems.append(QStringLiteral("menu '%1' has no key of its own").arg(action->text()));
        keys.append(key);
        if (action->menu())
            menus.append(action->menu());
    }
    for (qsizetype i = 0; i < menus.size(); ++i) {
        for (QAction *action : menus.at(i)->actions()) {
            if (action->menu())
                menus.append(action->menu());
        }
    }
    return menus;
}

class WindowAccessibilityTest : public ::testing::TestWithParam<WindowUnderTest> {
protected:
    void SetUp() override
    {
        AppState::instance().reset();
        project.addTemplate("LINE4.HVT", "Line 4");
        project.addDirectory("PLANT.DIR", "Plant", 1);
        AppState::instance().SetProjectFolder(project.path());
        window = GetParam().create();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override
    {
        window.reset();
        AppState::instance().reset();
    }

    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    hvtest::ProjectFolder project{config.path(), QStringLiteral("project")};
    std::unique_ptr<QWidget> window;
};

TEST_P(WindowAccessibilityTest, EveryControlHasAnAccessibleName)
{
    EXPECT_EQ(joined(namelessControls(window.get())).toStdString(), "");
}

TEST_P(WindowAccessibilityTest, EveryCommandIsReachableFromTheKeyboard)
{
    QStringList problems;
    QList<QMenu *> menus;
    if (auto *main = qobject_cast<QMainWindow *>(window.get()))
        menus = keyboardMenus(main->menuBar(), problems);
    const auto inMenus = [&](QAction *action) {
        return std::any_of(menus.cbegin(), menus.cend(),
                           [action](QMenu *menu) { return menu->actions().contains(action); });
    };
    // A toolbar button's command is also in a menu or has a shortcut.
    for (QToolBar *toolBar : window->findChildren<QToolBar *>()) {
        for (QAction *action : toolBar->actions()) {
            if (!action->isSeparator() && action->shortcut().isEmpty() && !inMenus(action))
                problems.append(QStringLiteral("toolbar command '%1'").arg(action->text()));
        }
    }
    // Buttons and links outside toolbars are reached with Tab.
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        // Qt's helpers, toolbar buttons (above) and the parts of item views are not ours.
        if (widget->objectName().startsWith(QLatin1String("qt_")) ||
            qobject_cast<QToolBar *>(widget->parentWidget()) ||
            qobject_cast<QAbstractItemView *>(widget->parentWidget()))
            continue;
        const auto *label = qobject_cast<QLabel *>(widget);
        const bool link = label && label->text().contains(QLatin1String("<a "));
        if ((qobject_cast<QAbstractButton *>(widget) || link) &&
            !(widget->focusPolicy() & Qt::TabFocus))
            problems.append(QStringLiteral("%1 takes no Tab focus").arg(widget->objectName()));
        if (link && !(label->textInteractionFlags() & Qt::LinksAccessibleByKeyboard))
            problems.append(
                QStringLiteral("link %1 ignores the keyboard").arg(widget->objectName()));
    }
    EXPECT_EQ(joined(problems), QString());
}

INSTANTIATE_TEST_SUITE_P(AllWindows, WindowAccessibilityTest, ::testing::ValuesIn(kWindows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(AccessibilityWalk, FindsANamelessControlAndAcceptsABuddyLabel)
{
    QDialog dialog;
    auto *named = new QLineEdit(&dialog);
    auto *label = new QLabel(QStringLiteral("&Title:"), &dialog);
    label->setBuddy(named);
    auto *nameless = new QLineEdit(&dialog);
    nameless->setObjectName(QStringLiteral("txtNameless"));
    EXPECT_EQ(joined(namelessControls(&dialog)), QStringLiteral("/QDialog/QLineEdit#txtNameless"));
}

} // namespace
