// What the window leaves until it is needed: pictures made when first drawn, a caption
// measured once.
#include "ui/mainwindow/PathLabel.h"
#include "ui/support/ConsoleStyle.h"
#include "ui/support/Icons.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace hv;

TEST(DeferredIcon, IsMadeOnFirstUseOnly)
{
    int made = 0;
    QPixmap red(16, 16);
    red.fill(Qt::red);
    const QIcon icon = icons::deferred([&] {
        ++made;
        return QIcon(red);
    });
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(made, 0);
    EXPECT_EQ(icon.pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(16, 16)});
    EXPECT_EQ(made, 1);
}

TEST(ConsoleStyle, KeepsTheBaseStyleAndDrawsTheOverflowButtonAsItDoes)
{
    installConsoleStyle();
    auto *style = qobject_cast<ConsoleStyle *>(QApplication::style());
    ASSERT_NE(style, nullptr);
    installConsoleStyle();
    EXPECT_EQ(QApplication::style(), style);

    QMainWindow window;
    const auto *overflow = window.addToolBar(QStringLiteral("bar"))
                               ->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
    ASSERT_NE(overflow, nullptr);
    const auto picture = [](const QIcon &icon) { return icon.pixmap(QSize(16, 16)).toImage(); };
    const QImage base =
        picture(style->baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton));
    ASSERT_FALSE(base.isNull());
    EXPECT_EQ(picture(overflow->icon()), base);
    EXPECT_EQ(picture(style->standardIcon(QStyle::SP_DirIcon)),
              picture(style->baseStyle()->standardIcon(QStyle::SP_DirIcon)));
}

TEST(PathLabel, MeasuresItsCaptionAgainWhenTheCaptionOrTheFontChanges)
{
    PathLabel label;
    label.setCaptionAndPath(QStringLiteral("Folder: "), QStringLiteral("/srv/plant"));
    const int narrow = label.minimumSizeHint().width();
    label.setCaptionAndPath(QStringLiteral("Selected Project Folder: "), QStringLiteral("/srv"));
    const int wide = label.minimumSizeHint().width();
    EXPECT_GT(wide, narrow);
    QFont larger = label.font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    label.setFont(larger);
    EXPECT_GT(label.minimumSizeHint().width(), wide);
}
