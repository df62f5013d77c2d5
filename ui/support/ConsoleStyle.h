// The console's style: the desktop's own (or the one asked for with -style), with one change.
// The overflow buttons of tool bars and menu bars get their pictures when they are first
// drawn, not when the bar is made. A bar makes its overflow button at once, hidden until the
// bar is too narrow for its buttons, and the style's picture for it is an image file whose
// first decoding loads every image format plugin: work a window's first paint need not wait
// for.
#pragma once

#include <QProxyStyle>

namespace hv {

class ConsoleStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Takes over `base` (QProxyStyle's ownership), as QApplication::setStyle takes a style.
    explicit ConsoleStyle(QStyle *base);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

// Makes the application's current style the base of a ConsoleStyle, once: a second call, or
// one when the application's style is a ConsoleStyle already, changes nothing.
void installConsoleStyle();

} // namespace hv
