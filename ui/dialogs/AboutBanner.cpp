#include "ui/dialogs/AboutBanner.h"

#include "ui/support/ProgramInfo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace hv {

QPixmap MakeAboutBanner(qreal devicePixelRatio)
{
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(int(std::ceil(kAboutBannerWidth * dpr)),
                   int(std::ceil(kAboutBannerHeight * dpr)));
    pixmap.setDevicePixelRatio(dpr);
    const QRectF area(0, 0, kAboutBannerWidth, kAboutBannerHeight);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // The category bar's teal, deepening to the right.
    QLinearGradient background(area.topLeft(), area.topRight());
    background.setColorAt(0.0, QColor(0, 168, 168));
    background.setColorAt(1.0, QColor(0, 84, 104));
    painter.fillRect(area, background);

    // Three stacked "record cards" on the right: the suite collects records.
    painter.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
    for (int i = 0; i < 3; ++i) {
        const QRectF card(300 + i * 14, 10 + i * 7, 58, 38);
        painter.setBrush(QColor(255, 255, 255, 40 + i * 30));
        painter.drawRoundedRect(card, 4, 4);
        for (int line = 0; line < 3; ++line) {
            const qreal y = card.top() + 11 + line * 8;
            painter.drawLine(QPointF(card.left() + 8, y), QPointF(card.right() - 8 - line * 9, y));
        }
    }

    // A thin light rule along the bottom edge.
    painter.fillRect(QRectF(0, kAboutBannerHeight - 3, kAboutBannerWidth, 3),
                     QColor(255, 255, 255, 90));

    QFont titleFont(QStringLiteral("DejaVu Sans"));
    titleFont.setPixelSize(26);
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(16, 6, 280, 34), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromLatin1(kMainWindowCaption));

    QFont subtitleFont(QStringLiteral("DejaVu Sans"));
    subtitleFont.setPixelSize(12);
    painter.setFont(subtitleFont);
    painter.setPen(QColor(224, 248, 248));
    painter.drawText(QRectF(17, 38, 280, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromLatin1(kProgramTitle));
    painter.end();
    return pixmap;
}

} // namespace hv
