#include "ui/support/ConsoleStyle.h"

#include "ui/support/Icons.h"

#include <QApplication>
#include <QPointer>

namespace hv {

ConsoleStyle::ConsoleStyle(QStyle *base) : QProxyStyle(base) {}

QIcon ConsoleStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                 const QWidget *widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton &&
        standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // The option and the widget describe the button as it is made; the picture does not
    // depend on them.
    return icons::deferred([base = QPointer<QStyle>(baseStyle()), standardIcon] {
        return base ? base->standardIcon(standardIcon) : QIcon();
    });
}

void installConsoleStyle()
{
    QStyle *current = QApplication::style();
    if (!current || qobject_cast<ConsoleStyle *>(current))
        return;
    // The current style becomes the new one's child, so setStyle does not delete it.
    QApplication::setStyle(new ConsoleStyle(current));
}

} // namespace hv
