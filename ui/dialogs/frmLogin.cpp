#include "ui/dialogs/frmLogin.h"

#include "app/MessageService.h"
#include "app/Security.h"
#include "ui/support/Icons.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace hv {

frmLogin::frmLogin(QWidget *parent)
    : QDialog(parent), m_userLabel(new QLabel(tr("&User Name:"), this)),
      m_userName(new QLineEdit(this)), m_passwordLabel(new QLabel(tr("&Password:"), this)),
      m_password(new QLineEdit(this)), m_ok(new QPushButton(tr("OK"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(tr("HV Admin Security Login"));
    setModal(true);

    m_userLabel->setObjectName(QStringLiteral("lblLabels0"));
    m_userLabel->setBuddy(m_userName);
    m_userName->setObjectName(QStringLiteral("txtUserName"));
    m_passwordLabel->setObjectName(QStringLiteral("lblLabels1"));
    m_passwordLabel->setBuddy(m_password);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setAutoDefault(false);

    auto *fields = new QGridLayout;
    fields->addWidget(m_userLabel, 0, 0);
    fields->addWidget(m_userName, 0, 1);
    fields->addWidget(m_passwordLabel, 1, 0);
    fields->addWidget(m_password, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setTabOrder(m_userName, m_password);
    setTabOrder(m_password, m_ok);
    setTabOrder(m_ok, m_cancel);

    m_userName->installEventFilter(this);
    m_password->installEventFilter(this);
    connect(m_ok, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(m_cancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);

    Form_Load();
}

void frmLogin::Form_Load()
{
    m_userName->setText(QStringLiteral("HVADMIN"));
    m_loginSucceeded = false;
    m_table = LoadSecurityTable();
    focusAndSelect(m_userName);
}

void frmLogin::cmdOK_Click()
{
    const LoginVerdict verdict = ValidateLogin(m_userName->text(), m_password->text(), m_table);
    if (verdict == LoginVerdict::Accepted) {
        m_loginSucceeded = true;
        accept();
        return;
    }
    ShowMessage(LoginMessage(verdict), tr("Login"), MsgButtons::Ok);
    if (verdict == LoginVerdict::InvalidUserName) {
        focusAndSelect(m_password);
        focusAndSelect(m_userName);
    } else {
        focusAndSelect(m_userName);
        focusAndSelect(m_password);
    }
}

void frmLogin::cmdCancel_Click()
{
    m_loginSucceeded = false;
    reject();
}

void frmLogin::focusAndSelect(QLineEdit *field)
{
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

// Focus on either field selects its whole text; a mouse click would place the cursor after
// the focus arrives, so the selection is made again once the click has been handled.
bool frmLogin::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto *field = qobject_cast<QLineEdit *>(watched)) {
            field->selectAll();
            QTimer::singleShot(0, field, &QLineEdit::selectAll);
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool RunLoginWindow()
{
    frmLogin window;
    // The login comes before the main window, which gives the program its icon.
    window.setWindowIcon(icons::program(QCoreApplication::applicationDirPath()));
    window.exec();
    return window.LoginSucceeded();
}

} // namespace hv
