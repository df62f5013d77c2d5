#include "ui/mainwindow/StatusNoticePanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>

namespace hv {

StatusNoticePanel::StatusNoticePanel(QWidget *parent)
    : QWidget(parent), m_row(new QHBoxLayout(this)), m_count(new QLabel(this)),
      m_notice(new QLabel(this)), m_undo(new QLabel(this)), m_expiry(new QTimer(this))
{
    setObjectName(QStringLiteral("hvStatusPanel3"));
    m_count->setObjectName(QStringLiteral("lblItemCount"));
    m_count->setAccessibleName(tr("Items shown"));
    m_notice->setObjectName(QStringLiteral("lblNotice"));
    m_notice->setAccessibleName(tr("Last operation"));
    m_undo->setObjectName(QStringLiteral("lnkUndo"));
    m_undo->setText(QStringLiteral("<a href=\"undo\">%1</a>").arg(tr("Undo")));
    m_undo->setAccessibleName(tr("Undo"));
    m_undo->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_undo->setFocusPolicy(Qt::TabFocus);
    connect(m_undo, &QLabel::linkActivated, this, [this] { Q_EMIT undoRequested(); });
    m_expiry->setSingleShot(true);
    m_expiry->setInterval(kNoticeMs);
    connect(m_expiry, &QTimer::timeout, this, &StatusNoticePanel::clearNotice);
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->addWidget(m_count);
    m_row->addWidget(m_notice);
    m_row->addWidget(m_undo);
    m_notice->hide();
    m_undo->hide();
}

void StatusNoticePanel::setText(const QString &text)
{
    m_countText = text;
    m_count->setText(text);
    updateVisibility();
}

QString StatusNoticePanel::text() const
{
    return m_countText;
}

void StatusNoticePanel::showNotice(const QString &notice, bool undoable)
{
    m_notice->setText(notice);
    m_undo->setProperty("undoable", undoable);
    m_expiry->start();
    updateVisibility();
}

void StatusNoticePanel::clearNotice()
{
    m_expiry->stop();
    m_notice->clear();
    updateVisibility();
}

QString StatusNoticePanel::notice() const
{
    return m_notice->text();
}

void StatusNoticePanel::updateVisibility()
{
    const bool notice = !m_notice->text().isEmpty();
    m_notice->setVisible(notice);
    m_undo->setVisible(notice && m_undo->property("undoable").toBool());
    m_count->setVisible(!notice && !m_countText.isEmpty());
}

} // namespace hv
