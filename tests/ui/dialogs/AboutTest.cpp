#include "tests/common/ModalWindows.h"
#include "tests/ui/mainwindow/MainWindowTestSupport.h"
#include "ui/dialogs/AboutBanner.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/support/ProgramInfo.h"
#include "ui/support/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QUrlQuery>

#include <gtest/gtest.h>

using namespace hv;

TEST(AboutWindow, ShowsTitleVersionAndContactDetails)
{
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.lblAppTitle()->text(), kProgramTitle);
    EXPECT_TRUE(about.lblAppTitle()->font().bold());
    EXPECT_EQ(about.cmdOk()->text(), "&OK");

    // "major.minor Build revision", the same numbers as the status bar's "Vmajor.minor.revision".
    const QRegularExpressionMatch version =
        QRegularExpression("^(\\d+)\\.(\\d+) Build (\\d+)$").match(about.lblVersion()->text());
    ASSERT_TRUE(version.hasMatch()) << about.lblVersion()->text().toStdString();
    EXPECT_EQ(statusBarVersionText(),
              QStringLiteral("V%1.%2.%3")
                  .arg(version.captured(1), version.captured(2), version.captured(3)));

    const QStringList contact = about.lblCompanyInfo()->text().split('\n');
    EXPECT_EQ(contact.size(), 5);
    EXPECT_TRUE(contact.value(3).startsWith("Telephone"));
    EXPECT_TRUE(contact.value(4).startsWith("Fax"));
    EXPECT_TRUE(about.lblWebsite()->text().contains(kMakerWebSite));
    EXPECT_TRUE(about.lblEmail()->text().contains(kMakerSupportEmail));
}

TEST(AboutWindow, StacksItsControlsBelowTheBannerAndCentresOnTheScreen)
{
    frmAbout about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(about.width(), kAboutBannerWidth);
    EXPECT_EQ(about.Image1()->geometry(), QRect(0, 0, kAboutBannerWidth, kAboutBannerHeight));
    EXPECT_EQ(about.Image1()->pixmap().deviceIndependentSize(),
              QSizeF(kAboutBannerWidth, kAboutBannerHeight));

    const int gap = twips::toPixelsY(100, &about);
    QWidget *previous = about.Image1();
    for (QLabel *label : {about.lblAppTitle(), about.lblVersion(), about.lblCompanyInfo(),
                          about.lblWebsite(), about.lblEmail()}) {
        EXPECT_EQ(label->y(), previous->y() + previous->height() + gap)
            << label->objectName().toStdString();
        EXPECT_GE(label->height(), label->fontMetrics().height());
        previous = label;
    }
    QPushButton *ok = about.cmdOk();
    EXPECT_EQ(ok->y(), about.height() - (ok->height() + twips::toPixelsY(50, &about)));
    auto *line1 = about.findChild<QFrame *>("Line1");
    auto *line2 = about.findChild<QFrame *>("Line2");
    ASSERT_TRUE(line1 && line2);
    EXPECT_EQ(line1->x(), twips::toPixelsX(100, &about));
    EXPECT_LT(line2->y(), ok->y());
    EXPECT_GT(line1->y(), about.lblEmail()->y() + about.lblEmail()->height());

    const QRect screen = about.screen()->geometry();
    EXPECT_EQ(about.frameGeometry().left(),
              screen.x() + (screen.width() - about.frameGeometry().width()) / 2);
    EXPECT_EQ(about.frameGeometry().top(),
              screen.y() + (screen.height() - about.frameGeometry().height()) / 2);
}

TEST(AboutWindow, BannerIsSharpAtEveryPixelRatio)
{
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        const QPixmap banner = MakeAboutBanner(ratio);
        EXPECT_EQ(banner.deviceIndependentSize(), QSizeF(kAboutBannerWidth, kAboutBannerHeight));
        EXPECT_EQ(banner.width(), qCeil(kAboutBannerWidth * ratio));
        EXPECT_EQ(banner.height(), qCeil(kAboutBannerHeight * ratio));
    }
    // A painted picture, not an empty one: its left edge carries the bar's teal.
    const QImage image = MakeAboutBanner(1.0).toImage();
    EXPECT_EQ(image.pixelColor(2, 30), QColor(0, 168, 168));
}

TEST(AboutWindow, LinksOpenTheWebSiteAndASupportMail)
{
    hvtest::UrlRecorder urls({"https", "mailto"});
    frmAbout about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.lblWebsite(), Qt::LeftButton, {},
                      QPoint(4, about.lblWebsite()->height() / 2));
    QTest::mouseClick(about.lblEmail(), Qt::LeftButton, {},
                      QPoint(4, about.lblEmail()->height() / 2));
    ASSERT_EQ(urls.opened.size(), 2);
    EXPECT_EQ(urls.opened[0], QUrl(kMakerWebSite));
    const QUrl mail = urls.opened[1];
    EXPECT_EQ(mail.scheme(), "mailto");
    EXPECT_EQ(mail.path(), kMakerSupportEmail);
    const QUrlQuery query(mail);
    EXPECT_EQ(query.queryItemValue("Subject", QUrl::FullyDecoded), kProgramTitle);
    EXPECT_TRUE(query.hasQueryItem("Body"));
    EXPECT_EQ(mail.query(QUrl::FullyDecoded).indexOf("Subject="), 0);
}

TEST(AboutWindow, OkClosesTheWindow)
{
    frmAbout about;
    const auto watch = hvtest::whenModalOpens<frmAbout>(
        [](frmAbout *window) { QTest::mouseClick(window->cmdOk(), Qt::LeftButton); });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}
