#include "ui/StatusNoticePanel.h"

#include <QHBoxLayout>
#include <QLabel>

namespace hv {

StatusNoticePanel::StatusNoticePanel(QWidget *parent)
    : QWidget(parent), m_row(new QHBoxLayout(this)), m_count(new QLabel(this))
{
    setObjectName(QStringLiteral("hvStatusPanel3"));
    m_count->setObjectName(QStringLiteral("lblItemCount"));
    m_count->setAccessibleName(tr("Items shown"));
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->addWidget(m_count);
}

void StatusNoticePanel::setText(const QString &text)
{
    m_count->setText(text);
    m_count->setVisible(!text.isEmpty());
}

QString StatusNoticePanel::text() const
{
    return m_count->text();
}

} // namespace hv
