#include "ui/frmRename.h"

#include "app/AppState.h"
#include "app/MessageService.h"
#include "app/WindowLayout.h"
#include "ops/ItemRename.h"
#include "suite/TemplateFileInfo.h"
#include "ui/frmWarning.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hv {

frmRename::frmRename(QWidget *owner)
    : QDialog(owner), m_lblRename(new QLabel(this)), m_txtRename(new QLineEdit(this)),
      m_okButton(new QPushButton(QStringLiteral("OK"), this)),
      m_cancelButton(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("frmRename"));
    setModal(true);
    // What the window carries before it is loaded.
    setWindowTitle(QStringLiteral("Rename Application"));
    m_lblRename->setText(QStringLiteral("Please enter new Application Name without an extension:"));
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
    if (const QWidget *owner = parentWidget())
        move(centredOver(owner->frameGeometry(), frameGeometry().size(),
                         Halving::TruncatedDifference)
                 .topLeft());
    const QString &file = AppState::instance().SelectedItemFile();
    m_txtRename->setText(file.chopped(std::min<qsizetype>(4, file.size())));
    const RenamePrompt prompt = RenamePromptFor(file);
    m_lblRename->setText(prompt.prompt);
    setWindowTitle(prompt.caption);
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
    const AppState &state = AppState::instance();
    TemplateFileInfo info(state.ProjectFolder());
    const RenameResult result =
        RenameItem(state.ProjectFolder(), state.SelectedItemFile(), m_txtRename->text(), info);
    if (!result.message.isEmpty())
        ShowMessage(result.message, result.title, MsgButtons::Ok, MsgIcon::None, result.reason);
    if (result.ok)
        m_renamed = true;
    if (result.closesWindow())
        accept();
}

} // namespace hv
