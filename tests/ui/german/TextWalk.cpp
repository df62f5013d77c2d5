#include "tests/ui/german/TextWalk.h"

#include "ui/support/Translations.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTreeView>

#include <algorithm>
#include <utility>

namespace hvtest {

namespace {

// The texts that stay as they are in every language: the program's and the suite's names,
// words German shares, versions, key names, paths, file names, web and mail addresses, and a
// data window's title (the item's title and its data file).
const QRegularExpression
    kStays(QStringLiteral(
               "^(HV Admin|Halvora 5 Administrator|In HVLaunch|Details|OK|V[\\d.]+|"
               "[\\d.]+ Build \\d+|F\\d+|/.*|[^ /]+\\.(hvt|hpt|dir|chm)|.+ - [^ /]+\\.(hvd|hpd)|"
               "<a href=.*|https://\\S+|\\S+@\\S+)$"),
           QRegularExpression::CaseInsensitiveOption);

QList<QWidget *> menusOf(QWidget &window)
{
    QList<QWidget *> menus;
    for (QMenuBar *bar : window.findChildren<QMenuBar *>())
        menus.append(bar);
    for (QMenu *menu : window.findChildren<QMenu *>())
        menus.append(menu);
    return menus;
}

} // namespace

void TextWalk::collect(QWidget &window)
{
    const auto add = [this](QString text) {
        if (!text.remove(QRegularExpression(QStringLiteral("&(?!&)"))).trimmed().isEmpty())
            texts.insert(text.trimmed());
    };
    add(window.windowTitle());
    // Menus through their items, shown or not: a popup menu's own title is never shown.
    for (QWidget *menu : menusOf(window))
        for (QAction *action : menu->actions())
            if (action->isVisible() && !action->isSeparator()) {
                add(action->text());
                add(action->toolTip());
            }
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(&window) || qobject_cast<QMenu *>(widget))
            continue;
        add(widget->toolTip());
        if (auto *label = qobject_cast<QLabel *>(widget))
            add(label->text());
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            add(button->text());
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            add(edit->placeholderText());
        else if (auto *status = qobject_cast<QStatusBar *>(widget))
            add(status->currentMessage());
        auto *view = qobject_cast<QAbstractItemView *>(widget);
        if (!view || !view->model() || qobject_cast<QHeaderView *>(widget))
            continue;
        const QAbstractItemModel &model = *view->model();
        auto *tree = qobject_cast<QTreeView *>(view);
        for (int column = 0; tree && !tree->isHeaderHidden() && column < model.columnCount();
             ++column)
            add(model.headerData(column, Qt::Horizontal).toString());
        const bool skipsRows = skippedRows.contains(view->objectName());
        const auto skip = skippedRows.value(view->objectName());
        for (int row = 0; row < std::min(model.rowCount(), 200); ++row) {
            if (skipsRows && (!skip || skip(model.index(row, 0))))
                continue;
            for (int column = 0; column < model.columnCount(); ++column) {
                add(model.index(row, column).data().toString());
                add(model.index(row, column).data(Qt::ToolTipRole).toString());
            }
        }
    }
}

QStringList clashingAccessKeys(QWidget &window)
{
    QStringList clashes;
    for (QWidget *menu : menusOf(window)) {
        QHash<QString, bool> keys;
        for (QAction *action : menu->actions()) {
            const QString key = QKeySequence::mnemonic(action->text()).toString();
            if (action->isVisible() && !key.isEmpty() && std::exchange(keys[key], true))
                clashes.append(menu->objectName() + QStringLiteral(": ") + key);
        }
    }
    return clashes;
}

QStringList textsLeftInEnglish(const std::function<void(TextWalk &)> &visit)
{
    TextWalk german;
    TextWalk english;
    visit(german);
    hv::installTranslations(QLocale::c());
    visit(english);
    hv::installTranslations();
    QStringList left;
    for (const QString &text : std::as_const(german.texts))
        if (english.texts.contains(text) && !kStays.match(text).hasMatch() &&
            std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }))
            left.append(text);
    left.sort();
    return left;
}

} // namespace hvtest
