#include "ui/mainwindow/SplitterGrip.h"

#include "ui/support/Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace hv {

int ClampSplitterLeft(int left, int clientWidth, int limit)
{
    if (left < limit)
        left = limit;
    if (left > clientWidth - limit)
        left = clientWidth - limit;
    return left;
}

SplitterGrip::SplitterGrip(QWidget *parent) : QWidget(parent), m_picSplit(new QWidget(parent))
{
    setObjectName(QStringLiteral("imgSplit"));
    setCursor(Qt::SplitHCursor);
    setFocusPolicy(Qt::TabFocus);
    m_picSplit->setObjectName(QStringLiteral("PicSplit"));
    m_picSplit->setAccessibleName(tr("Splitter position"));
    m_picSplit->setAutoFillBackground(true);
    QPalette pal = m_picSplit->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Dark));
    m_picSplit->setPalette(pal);
    m_picSplit->setCursor(Qt::SplitHCursor);
    m_picSplit->hide();
}

void SplitterGrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_dragging = true;
    m_picSplit->setGeometry(geometry());
    m_picSplit->raise();
    m_picSplit->show();
    event->accept();
}

void SplitterGrip::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    m_picSplit->move(x() + int(event->position().x()), m_picSplit->y());
}

void SplitterGrip::mouseReleaseEvent(QMouseEvent *event)
{
    Q_UNUSED(event);
    if (!m_dragging)
        return;
    m_dragging = false;
    const QWidget *client = parentWidget();
    const int limit = twips::toPixelsX(kEdgeLimitTwips, this);
    const int left = ClampSplitterLeft(m_picSplit->x(), client->width(), limit);
    m_picSplit->move(left, m_picSplit->y());
    setGeometry(m_picSplit->geometry());
    m_picSplit->hide();
    Q_EMIT moved();
}

void SplitterGrip::keyPressEvent(QKeyEvent *event)
{
    int step = twips::toPixelsX(kKeyStepTwips, this);
    if (event->key() == Qt::Key_Left)
        step = -step;
    else if (event->key() != Qt::Key_Right)
        return QWidget::keyPressEvent(event);
    const int limit = twips::toPixelsX(kEdgeLimitTwips, this);
    move(ClampSplitterLeft(x() + step, parentWidget()->width(), limit), y());
    Q_EMIT moved();
}

void SplitterGrip::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    if (hasFocus())
        QPainter(this).fillRect(rect(), palette().color(QPalette::Highlight));
}

} // namespace hv
