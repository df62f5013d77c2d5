#include "ui/frmWarning.h"

#include "app/AppState.h"
#include "app/MessageService.h"
#include "app/WindowLayout.h"
#include "suite/TemplateFileInfo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace hv {

bool AskDeletePermanently(const QString &path, const QString &reason)
{
    return ShowMessage(PermanentDeleteQuestionText(path), QStringLiteral("Delete"),
                       MsgButtons::YesNo, MsgIcon::Exclamation, reason) == MsgAnswer::Yes;
}

frmWarning::frmWarning(QWidget *owner)
    : QDialog(owner), m_lblWarning(new QLabel(this)), m_txtWarning(new QPlainTextEdit(this)),
      m_cmdYes(new QPushButton(QStringLiteral("Yes"), this)),
      m_cmdNo(new QPushButton(QStringLiteral("No"), this))
{
    setObjectName(QStringLiteral("frmWarning"));
    setWindowTitle(QStringLiteral("Warning! Confirm Delete"));
    setModal(true);
    m_lblWarning->setObjectName(QStringLiteral("lblWarning"));
    m_txtWarning->setObjectName(QStringLiteral("txtWarning"));
    m_txtWarning->setAccessibleName(QStringLiteral("Question"));
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
    resize(440, sizeHint().height());

    connect(m_cmdYes, &QPushButton::clicked, this, &frmWarning::cmdYes_Click);
    connect(m_cmdNo, &QPushButton::clicked, this, &QDialog::reject);
}

frmWarning::~frmWarning() = default;

void frmWarning::IsPopup(bool popupFlag)
{
    m_applicationMode = !popupFlag;
}

void frmWarning::IsApplication(bool applicationFlag)
{
    m_applicationMode = applicationFlag;
}

void frmWarning::DeleteDataOnly(bool onlyData)
{
    m_dataOnly = onlyData;
}

void frmWarning::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    const QString &path = AppState::instance().SelectedItemPath();
    m_info = std::make_unique<TemplateFileInfo>(AppState::instance().ProjectFolder());
    const DeleteConfirmation text =
        DeleteConfirmationFor(*m_info, path, m_applicationMode, m_dataOnly);
    setWindowTitle(text.caption);
    m_lblWarning->setText(
        QString(text.headline).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_txtWarning->setPlainText(text.question);
    if (const QWidget *owner = parentWidget())
        move(centredOver(owner->frameGeometry(), frameGeometry().size(),
                         Halving::TruncatedDifference)
                 .topLeft());
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
    const QString &path = AppState::instance().SelectedItemPath();
    if (m_dataOnly) {
        m_result = ClearItemData(path, m_applicationMode, {}, nullptr, AskDeletePermanently);
    } else {
        TemplateFileInfo info(AppState::instance().ProjectFolder());
        m_result = DeleteItem(path, m_applicationMode, info, {}, nullptr, AskDeletePermanently);
    }
    accept();
}

} // namespace hv
