#include "ui/support/ConsoleStyle.h"
#include "ui/support/Icons.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace hv;

TEST(DeferredIcon, IsMadeOnFirstUseOnceForAllCopies)
{
    int made = 0;
    QPixmap red(16, 16);
    red.fill(Qt::red);
    const QIcon icon = icons::deferred([&] {
        ++made;
        return QIcon(red);
    });
    const QIcon copy = icon;
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(made, 0);
    EXPECT_EQ(icon.pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
    EXPECT_EQ(copy.availableSizes(), QList<QSize>{QSize(16, 16)});
    EXPECT_EQ(made, 1);

    // What it makes may be nothing: then it is null, once made.
    const QIcon nothing = icons::deferred([] { return QIcon(); });
    EXPECT_TRUE(nothing.pixmap(16, 16).isNull());
    EXPECT_TRUE(nothing.isNull());
}

TEST(ConsoleStyle, KeepsTheBaseStyleAndDrawsTheOverflowButtonAsItDoes)
{
    QStyle *before = QApplication::style();
    installConsoleStyle();
    auto *style = qobject_cast<ConsoleStyle *>(QApplication::style());
    ASSERT_NE(style, nullptr);
    installConsoleStyle();
    EXPECT_EQ(QApplication::style(), style);
    if (!qobject_cast<ConsoleStyle *>(before)) { // not wrapped by an earlier test
        EXPECT_EQ(style->baseStyle(), before);
    }

    QMainWindow window;
    QToolBar *bar = window.addToolBar(QStringLiteral("bar"));
    const auto *overflow = bar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
    ASSERT_NE(overflow, nullptr);
    const QImage shown = overflow->icon().pixmap(QSize(16, 16)).toImage();
    const QImage base = style->baseStyle()
                            ->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton)
                            .pixmap(QSize(16, 16))
                            .toImage();
    ASSERT_FALSE(base.isNull());
    EXPECT_EQ(shown, base);
    // Every other picture is the base style's own.
    EXPECT_EQ(style->standardIcon(QStyle::SP_DirIcon).pixmap(16, 16).toImage(),
              style->baseStyle()->standardIcon(QStyle::SP_DirIcon).pixmap(16, 16).toImage());
}
