#include "tests/ui/german/TextWalk.h"

#include "ui/support/Translations.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTextDocumentFragment>
#include <QTreeView>

#include <algorithm>

namespace hvtest {

namespace {

// A view's rows beyond these are more of the same.
constexpr int kRowsWalked = 200;

// The text as shown: without its access-key marks and its rich-text markup.
QString shownText(QString text)
{
    if (Qt::mightBeRichText(text))
        text = QTextDocumentFragment::fromHtml(text).toPlainText();
    static const QRegularExpression accessKey(QStringLiteral("&(?!&)"));
    return text.remove(accessKey).replace(QStringLiteral("&&"), QStringLiteral("&")).trimmed();
}

void walkActions(const QList<QAction *> &actions, const std::function<void(QString)> &add)
{
    for (QAction *action : actions) {
        if (!action->isVisible() || action->isSeparator())
            continue;
        add(action->text());
        if (action->toolTip() != QString(action->text()).remove(u'&'))
            add(action->toolTip());
    }
}

} // namespace

void TextWalk::skipRows(const QString &viewName, std::function<bool(const QModelIndex &)> skip)
{
    m_skippedRows.insert(
        viewName, skip ? std::move(skip) : [](const QModelIndex &) { return true; });
}

void TextWalk::add(const QString &text)
{
    const QString shown = shownText(text);
    if (!shown.isEmpty())
        m_texts.insert(shown);
}

void TextWalk::collect(QWidget &window)
{
    const auto addText = [this](const QString &text) { add(text); };
    add(window.windowTitle());
    QList<QWidget *> widgets = window.findChildren<QWidget *>();
    widgets.prepend(&window);
    for (QWidget *widget : std::as_const(widgets)) {
        // Menus are walked through their items, shown or not: a context menu is hidden until
        // it is asked for, and a popup menu's own title is never shown.
        if (auto *menu = qobject_cast<QMenu *>(widget)) {
            walkActions(menu->actions(), addText);
            continue;
        }
        if (!widget->isVisibleTo(&window) && widget != &window)
            continue;
        add(widget->toolTip());
        if (auto *bar = qobject_cast<QMenuBar *>(widget))
            walkActions(bar->actions(), addText);
        else if (auto *label = qobject_cast<QLabel *>(widget))
            add(label->text());
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            add(button->text());
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            add(edit->placeholderText());
        else if (auto *group = qobject_cast<QGroupBox *>(widget))
            add(group->title());
        else if (auto *status = qobject_cast<QStatusBar *>(widget))
            add(status->currentMessage());
        else if (auto *tabs = qobject_cast<QTabBar *>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs->tabText(i));
        else if (auto *combo = qobject_cast<QComboBox *>(widget); combo && !combo->isEditable())
            for (int i = 0; i < combo->count(); ++i)
                add(combo->itemText(i));
        auto *view = qobject_cast<QAbstractItemView *>(widget);
        if (!view || !view->model() || qobject_cast<QHeaderView *>(widget))
            continue;
        const QAbstractItemModel *model = view->model();
        auto *tree = qobject_cast<QTreeView *>(view);
        if (tree && !tree->isHeaderHidden())
            for (int column = 0; column < model->columnCount(); ++column)
                if (!tree->isColumnHidden(column))
                    add(model->headerData(column, Qt::Horizontal).toString());
        const auto skip = m_skippedRows.value(view->objectName());
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < std::min(model->rowCount(root), kRowsWalked); ++row) {
            if (skip && skip(model->index(row, 0, root)))
                continue;
            for (int column = 0; column < model->columnCount(root); ++column) {
                const QModelIndex index = model->index(row, column, root);
                add(index.data(Qt::DisplayRole).toString());
                add(index.data(Qt::ToolTipRole).toString());
            }
        }
    }
}

QStringList clashingAccessKeys(QWidget &window)
{
    QStringList clashes;
    QList<QWidget *> menus;
    for (QMenuBar *bar : window.findChildren<QMenuBar *>())
        menus.append(bar);
    for (QMenu *menu : window.findChildren<QMenu *>())
        menus.append(menu);
    for (QWidget *menu : std::as_const(menus)) {
        QSet<QString> keys;
        for (QAction *action : menu->actions()) {
            const QString key = QKeySequence::mnemonic(action->text()).toString();
            if (!action->isVisible() || key.isEmpty())
                continue;
            if (keys.contains(key))
                clashes.append(menu->objectName() + QStringLiteral(": ") + key);
            keys.insert(key);
        }
    }
    return clashes;
}

bool staysUntranslated(const QString &text)
{
    static const QRegularExpression kStays[] = {
        QRegularExpression(QStringLiteral("^HV Admin$")),    // the program's name
        QRegularExpression(QStringLiteral("^In HVLaunch$")), // the suite's launcher, by its name
        QRegularExpression(QStringLiteral("^Details$")),     // the same word in German
        QRegularExpression(QStringLiteral("^V\\d+(\\.\\d+)*$")), // a version
        QRegularExpression(QStringLiteral("^/")),                // a path
        QRegularExpression(QStringLiteral("^[^ /]+\\.(hvt|hpt|hvd|hpd|dir|dbf|chm)$"),
                           QRegularExpression::CaseInsensitiveOption), // a file name
    };
    return std::any_of(std::begin(kStays), std::end(kStays), [&](const QRegularExpression &stays) {
        return stays.match(text).hasMatch();
    });
}

QStringList textsLeftInEnglish(const std::function<void(TextWalk &)> &visit)
{
    TextWalk german;
    visit(german);
    TextWalk english;
    hv::installTranslations(QLocale::c());
    visit(english);
    hv::installTranslations();
    QStringList left;
    for (const QString &text : german.texts()) {
        const bool letters =
            std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
        if (letters && english.texts().contains(text) && !staysUntranslated(text))
            left.append(text);
    }
    left.sort();
    return left;
}

} // namespace hvtest
