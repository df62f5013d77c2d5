#include "ui/dialogs/TemplatePickerDialog.h"

#include "app/Jobs.h"
#include "app/MessageService.h"
#include "suite/TemplateFileInfo.h"
#include "suite/TemplatePickerLogic.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace hv {

TemplatePickerDialog::TemplatePickerDialog(QWidget *parent)
    : QDialog(parent), m_folderBox(new QComboBox(this)), m_list(new QTreeWidget(this)),
      m_status(new QLabel(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("dlgTemplatePicker"));
    setWindowTitle(tr("Select Application Templates"));
    resize(560, 380);

    auto *lookIn = new QLabel(tr("&Look in:"), this);
    lookIn->setBuddy(m_folderBox);
    m_folderBox->setEditable(true);
    m_folderBox->setInsertPolicy(QComboBox::NoInsert);
    m_folderBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto *browseButton = new QPushButton(tr("&Browse..."), this);
    auto *top = new QHBoxLayout;
    top->addWidget(lookIn);
    top->addWidget(m_folderBox, 1);
    top->addWidget(browseButton);

    m_list->setObjectName(QStringLiteral("lstTemplates"));
    // The editable box's parts are named too, so a screen reader names whichever has focus.
    m_folderBox->lineEdit()->setAccessibleName(tr("Look in"));
    m_folderBox->view()->setAccessibleName(tr("Recent folders"));
    m_list->setAccessibleName(tr("Application templates"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({tr("File Name"), tr("Title")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setAccessibleName(tr("Status"));
    layout->addWidget(m_status);
    layout->addWidget(m_buttons);

    connect(browseButton, &QPushButton::clicked, this, &TemplatePickerDialog::browse);
    connect(m_folderBox, &QComboBox::activated, this,
            [this](int index) { showFolder(m_folderBox->itemText(index)); });
    connect(m_folderBox->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { showFolder(m_folderBox->currentText()); });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this,
            &TemplatePickerDialog::updateOkButton);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    SetMultiSelect(true);
    updateOkButton();
}

void TemplatePickerDialog::SetMultiSelect(bool multiSelect)
{
    m_list->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                         : QAbstractItemView::SingleSelection);
}

void TemplatePickerDialog::showFolder(const QString &folder)
{
    startListing(folder, false, QString());
}

void TemplatePickerDialog::startListing(const QString &folder, bool fallBack,
                                        const QString &remembered)
{
    // The folder is read off the user-interface thread; a later choice replaces a listing
    // still waiting.
    if (m_listing) {
        m_listing->disconnect(this);
        m_listing->cancel();
    }
    struct Listing {
        bool isFolder = false;
        QString folder;
        QList<templatepicker::TemplateChoice> choices;
        QString offered;
    };
    auto *job = startJob<Listing>(folder, [folder, fallBack, remembered](JobControl &) {
        Listing listing;
        if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
            listing.offered = templatepicker::firstFolder(remembered, {});
        listing.isFolder = fallBack || QFileInfo(folder).isDir();
        if (listing.isFolder) {
            listing.folder = templatepicker::firstFolder(folder, remembered);
            TemplateFileInfo templates(listing.folder);
            listing.choices = templatepicker::listTemplates(listing.folder, templates);
        }
        return listing;
    });
    m_listing = job;
    m_status->setText(tr("Reading %1...").arg(folder));
    updateOkButton();
    connect(job, &Job::notAnswering, this, [this, folder] {
        m_status->setText(tr("The folder %1 is not answering.").arg(folder));
    });
    connect(job, &Job::finished, this, [this, job, folder] {
        m_listing = nullptr;
        m_status->clear();
        const Listing &listing = job->result();
        if (job->isCancelled()) {
            updateOkButton();
            return;
        }
        if (!listing.offered.isEmpty() && m_folderBox->findText(listing.offered) < 0)
            m_folderBox->addItem(listing.offered);
        if (!listing.isFolder) {
            ShowMessage(tr("The folder %1 cannot be found.").arg(folder), windowTitle(),
                        MsgButtons::Ok, MsgIcon::Exclamation);
            m_folderBox->setEditText(m_folder);
            updateOkButton();
            return;
        }
        showListing(listing.folder, listing.choices);
    });
}

void TemplatePickerDialog::showListing(const QString &folder,
                                       const QList<templatepicker::TemplateChoice> &choices)
{
    m_folder = folder;
    if (m_folderBox->findText(m_folder) < 0)
        m_folderBox->addItem(m_folder);
    m_folderBox->setCurrentIndex(m_folderBox->findText(m_folder));

    m_list->clear();
    QList<QTreeWidgetItem *> items;
    for (const templatepicker::TemplateChoice &choice : choices) {
        auto *item = new QTreeWidgetItem({choice.fileName, choice.title});
        item->setData(0, Qt::UserRole, m_folder + choice.fileName);
        if (!choice.readable)
            item->setToolTip(0, tr("This template cannot be read."));
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    m_list->resizeColumnToContents(0);
    if (!items.isEmpty())
        m_list->setCurrentItem(items.first(), 0, QItemSelectionModel::NoUpdate);
    updateOkButton();
    Q_EMIT listed();
}

QStringList TemplatePickerDialog::selectedPaths() const
{
    QStringList paths;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_list->topLevelItem(i);
        if (item->isSelected())
            paths.append(item->data(0, Qt::UserRole).toString());
    }
    return paths;
}

QString TemplatePickerDialog::Show()
{
    const QString remembered = templatepicker::rememberedFolder(m_settingKey);
    // The start folder (else the one shown before, else the home folder) is listed, and the
    // one shown before is one choice away, as found off the window's thread.
    startListing(m_startFolder, true, remembered);
    if (exec() != QDialog::Accepted)
        return {};
    templatepicker::rememberFolder(m_settingKey, m_folder);
    return templatepicker::joinChosen(selectedPaths(), m_startFolder);
}

void TemplatePickerDialog::browse()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, tr("Look in"), m_folder,
                                                             QFileDialog::ShowDirsOnly |
                                                                 QFileDialog::DontUseNativeDialog);
    if (!chosen.isEmpty())
        showFolder(chosen);
}

void TemplatePickerDialog::updateOkButton()
{
    // What is selected belongs to the folder shown, not to one being read.
    m_buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(!m_listing && !m_list->selectedItems().isEmpty());
}

} // namespace hv
