#include "ui/dialogs/frmRename.h"

#include "ui/dialogs/frmWarning.h"
#include "ui/support/WindowPlacement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hv {

frmRename::frmRename(QWidget *owner, const QString &prompt, const QString &caption,
                     const QString &fileName)
    : QDialog(owner), m_lblRename(new QLabel(this)), m_txtRename(new QLineEdit(this)),
      m_okButton(new QPushButton(tr("OK"), this)),
      m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("frmRename"));
    setModal(true);
    setWindowTitle(caption);
    m_lblRename->setText(prompt);
    m_txtRename->setText(fileName.chopped(std::min<qsizetype>(4, fileName.size())));
    m_lblRename->setObjectName(QStringLiteral("lblRename"));
    m_lblRename->setWordWrap(true);
    m_txtRename->setObjectName(QStringLiteral("txtRename"));
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_lblRename->setBuddy(m_txtRename);

    // Neither button is the default or the cancel button.
    for (QPushButton *button : {m_okButton, m_cancelButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch(1);
    auto *left = new QVBoxLayout;
    left->addWidget(m_lblRename);
    left->addWidget(m_txtRename);
    left->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    setTabOrder(m_okButton, m_cancelButton);
    setTabOrder(m_cancelButton, m_txtRename);
    resize(440, sizeHint().height());

    connect(m_okButton, &QPushButton::clicked, this, &frmRename::OKButton_Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void frmRename::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    CentreOverOwner(*this);
    // The name is selected and ready to be typed over.
    m_txtRename->selectAll();
    m_txtRename->setFocus(Qt::OtherFocusReason);
}

void frmRename::showEvent(QShowEvent *event)
{
    Form_Load();
    QDialog::showEvent(event);
}

void frmRename::OKButton_Click()
{
    // One request at a time: OK waits for the answer.
    m_okButton->setEnabled(false);
    Q_EMIT renameRequested(m_txtRename->text());
}

void frmRename::answerRename(bool renamed, bool closes)
{
    m_okButton->setEnabled(true);
    if (renamed)
        m_renamed = true;
    if (closes)
        accept();
    else
        m_txtRename->setFocus(Qt::OtherFocusReason); // for another name
}

} // namespace hv
