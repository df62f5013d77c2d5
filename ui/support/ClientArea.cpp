#include "ui/support/ClientArea.h"

namespace hv {

ClientArea::ClientArea(std::function<void()> layOut, QWidget *parent)
    : QWidget(parent), m_layOut(std::move(layOut))
{
}

void ClientArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!window()->isMinimized())
        m_layOut();
}

} // namespace hv
