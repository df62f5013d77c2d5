// Menus and separators with object names, as the windows' menus carry the names that tests
// and the accessibility walk find them by.
#pragma once

#include <QAction>
#include <QMenu>
#include <QString>

namespace hv {

inline QAction *addNamedSeparator(QMenu *menu, const char *name)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

inline QMenu *addNamedMenu(QWidget *owner, const char *name, const QString &caption)
{
    auto *menu = new QMenu(caption, owner);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace hv
