#include "ui/dialogs/frmWarning.h"

#include "ui/support/WindowPlacement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace hv {

frmWarning::frmWarning(QWidget *owner, const DeleteConfirmation &text)
    : QDialog(owner), m_lblWarning(new QLabel(this)), m_txtWarning(new QPlainTextEdit(this)),
      m_cmdYes(new QPushButton(tr("Yes"), this)), m_cmdNo(new QPushButton(tr("No"), this))
{
    setObjectName(QStringLiteral("frmWarning"));
    setWindowTitle(tr("Warning! Confirm Delete"));
    setModal(true);
    m_lblWarning->setObjectName(QStringLiteral("lblWarning"));
    m_txtWarning->setObjectName(QStringLiteral("txtWarning"));
    m_txtWarning->setAccessibleName(tr("Question"));
    m_cmdYes->setObjectName(QStringLiteral("cmdYes"));
    m_cmdNo->setObjectName(QStringLiteral("cmdNo"));

    QFont headline = m_lblWarning->font();
    headline.setBold(true);
    headline.setPointSizeF(headline.pointSizeF() * 1.2);
    m_lblWarning->setFont(headline);
    m_lblWarning->setAlignment(Qt::AlignCenter);
    auto *icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(iconSize));
    m_txtWarning->setReadOnly(true);
    m_txtWarning->setFocusPolicy(Qt::NoFocus);
    m_txtWarning->setFrameShape(QFrame::NoFrame);
    m_txtWarning->viewport()->setAutoFillBackground(false);
    m_txtWarning->setFixedHeight(m_txtWarning->fontMetrics().lineSpacing() * 4 + 8);

    // Neither button is the default or the cancel button; Yes has the focus.
    for (QPushButton *button : {m_cmdYes, m_cmdNo}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(m_lblWarning, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdYes);
    buttons->addWidget(m_cmdNo);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_txtWarning);
    layout->addLayout(buttons);
    setTabOrder(m_cmdYes, m_cmdNo);

    setWindowTitle(text.caption);
    m_lblWarning->setText(
        QString(text.headline).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_txtWarning->setPlainText(text.question);
    resize(440, sizeHint().height());

    connect(m_cmdYes, &QPushButton::clicked, this, &frmWarning::cmdYes_Click);
    connect(m_cmdNo, &QPushButton::clicked, this, &QDialog::reject);
}

void frmWarning::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    CentreOverOwner(*this);
    m_cmdYes->setFocus(Qt::OtherFocusReason);
}

void frmWarning::showEvent(QShowEvent *event)
{
    Form_Load();
    QDialog::showEvent(event);
}

void frmWarning::cmdYes_Click()
{
    m_answeredYes = true;
    accept();
}

} // namespace hv
