#include "ui/mainwindow/PathLabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace hv {

PathLabel::PathLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void PathLabel::setCaptionAndPath(const QString &caption, const QString &path)
{
    if (caption != m_caption)
        m_minimumWidth = -1;
    m_caption = caption;
    m_path = path;
    setText(caption + path);
    setToolTip(path);
    update();
}

QString PathLabel::shownText() const
{
    const QFontMetrics metrics = fontMetrics();
    const int room = contentsRect().width() - 2 * margin() - metrics.horizontalAdvance(m_caption);
    return m_caption + metrics.elidedText(m_path, Qt::ElideMiddle, std::max(room, 0));
}

QSize PathLabel::minimumSizeHint() const
{
    // Never wider than the caption and a little of the path: the rest is elided.
    const QSize full = QLabel::minimumSizeHint();
    if (m_minimumWidth < 0)
        m_minimumWidth = fontMetrics().horizontalAdvance(m_caption + QStringLiteral("/…/"));
    return {m_minimumWidth, full.height()};
}

QSize PathLabel::sizeHint() const
{
    return minimumSizeHint();
}

void PathLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_minimumWidth = -1;
    QLabel::changeEvent(event);
}

void PathLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shownText(),
                          foregroundRole());
}

} // namespace hv
