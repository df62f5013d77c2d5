#include "ui/dialogs/frmfileLock.h"

#include "ui/support/Twips.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace hv {

namespace {

// The window's width; its height comes from the explanation shown.
constexpr int kWidthTwips = 8400;
// The window's height for an explanation with its list of holders, and without.
constexpr int kListHeightTwips = 5000;
constexpr int kPlainHeightTwips = 3400;

} // namespace

frmfileLock::frmfileLock(QWidget *owner, const QString &path, const LockCheckResult &result)
    : QDialog(owner), Filename(path),
      m_frame(new QGroupBox(tr(" Halvora File Access Error"), this)),
      m_lblMessage(new QLabel(m_frame)), m_lstUsers(new QTreeWidget(this)),
      m_cmdContinue(new QPushButton(tr("Continue"), this)),
      m_cmdRetry(new QPushButton(tr("Retry"), this)),
      m_cmdCancel(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("frmfileLock"));
    setWindowTitle(tr("File Access Error"));
    setModal(true);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_lblMessage->setObjectName(QStringLiteral("lblMessage"));
    m_lstUsers->setObjectName(QStringLiteral("lstUsers"));
    m_lstUsers->setAccessibleName(tr("Connections to the file"));
    m_cmdContinue->setObjectName(QStringLiteral("cmdContinue"));
    m_cmdRetry->setObjectName(QStringLiteral("cmdRetry"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    m_lblMessage->setWordWrap(true);
    m_lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(m_lblMessage);
    // A report view: rows with columns, set when the window is filled.
    m_lstUsers->setRootIsDecorated(false);
    m_lstUsers->setItemsExpandable(false);
    m_lstUsers->setSelectionMode(QAbstractItemView::NoSelection);
    m_lstUsers->setFocusPolicy(Qt::NoFocus);
    m_lstUsers->header()->setStretchLastSection(true);
    m_lstUsers->setColumnCount(0);

    // One row of buttons with equal gaps at both ends and between them; none is the default
    // or the cancel button.
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *button : {m_cmdContinue, m_cmdRetry, m_cmdCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        buttons->addWidget(button);
        buttons->addStretch(1);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addWidget(m_lstUsers, 1);
    layout->addLayout(buttons);
    // Retry comes first in the tab order and has the focus.
    setTabOrder(m_cmdRetry, m_cmdContinue);
    setTabOrder(m_cmdContinue, m_cmdCancel);

    connect(m_cmdContinue, &QPushButton::clicked, this, &frmfileLock::cmdContinue_Click);
    connect(m_cmdRetry, &QPushButton::clicked, this, &frmfileLock::cmdRetry_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmfileLock::cmdCancel_Click);
    showLockResult(result);
}

void frmfileLock::showLockResult(const LockCheckResult &result)
{
    if (!m_cmdRetry->isEnabled()) {
        m_cmdRetry->setEnabled(true);
        m_cmdRetry->setFocus(Qt::OtherFocusReason);
    }
    m_lblMessage->setText(result.message);
    m_lstUsers->clear();
    m_lstUsers->setColumnCount(int(result.columns.size()));
    m_lstUsers->setHeaderLabels(result.columns);
    for (const QStringList &row : result.rows)
        m_lstUsers->addTopLevelItem(new QTreeWidgetItem(row));
    for (int column = 0; column + 1 < result.columns.size(); ++column)
        m_lstUsers->resizeColumnToContents(column);
    m_lstUsers->setVisible(result.listVisible);
    // The height the explanation asks for, or more where the text needs it.
    const int width = twips::toPixelsX(kWidthTwips, this);
    const int height =
        twips::toPixelsY(result.listVisible ? kListHeightTwips : kPlainHeightTwips, this);
    layout()->activate();
    resize(width, std::max(height, heightForWidth(width) > 0 ? heightForWidth(width)
                                                             : minimumSizeHint().height()));
}

void frmfileLock::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_cmdRetry->setFocus(Qt::OtherFocusReason);
}

void frmfileLock::cmdContinue_Click()
{
    accept();
}

void frmfileLock::cmdCancel_Click()
{
    QDialog::reject();
}

void frmfileLock::reject()
{
    // Escape or the title bar's close: the safe answer, never the answer of an earlier check.
    cmdCancel_Click();
}

void frmfileLock::cmdRetry_Click()
{
    // One check at a time: Retry waits for the answer.
    m_cmdRetry->setEnabled(false);
    Q_EMIT retryRequested();
}

void frmfileLock::fileReleased()
{
    m_cmdRetry->setEnabled(true);
    accept();
}

} // namespace hv
