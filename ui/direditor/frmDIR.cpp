#include "ui/direditor/frmDIR.h"

#include "app/Jobs.h"
#include "app/MessageService.h"
#include "app/WindowLayout.h"
#include "log/DiagnosticLog.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "suite/DirTemplateLookup.h"
#include "ui/dialogs/FileDialogs.h"
#include "ui/dialogs/TemplatePickerDialog.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/direditor/DirEntriesModel.h"
#include "ui/direditor/DirFileGrid.h"
#include "ui/support/ClientArea.h"
#include "ui/support/JobProgressView.h"
#include "ui/support/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace hv {

namespace {

const QString kModule = QStringLiteral("frmDIR");
const QString kModelModule = QStringLiteral("DirClass");

// The buttons' size in twips, at least.
constexpr int kButtonWidthTwips = 1455;
constexpr int kButtonHeightTwips = 375;
// The smallest window, in pixels: the caption box, a few rows of the list and both buttons
// side by side still fit.
constexpr int kMinWidthPixels = 360;
constexpr int kMinHeightPixels = 280;

TemplatePickerFactory pickerWindows()
{
    return [](QWidget *owner) -> std::unique_ptr<TemplatePicker> {
        return std::make_unique<TemplatePickerDialog>(owner);
    };
}

// The name of the file SaveAs writes for a chosen path: ".DIR" appended unless it ends so.
QString withDirExtension(const QString &path)
{
    return path.endsWith(QStringLiteral(".DIR"), Qt::CaseInsensitive)
               ? path
               : path + QStringLiteral(".DIR");
}

// The folder holding `path` (a file's), with its trailing '/'.
QString folderOf(const QString &path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

// What a job that reads or writes the file brings back: the outcome and the directory as the
// worker left it.
template <class R> struct DirWork {
    DirWork() = default; // not an aggregate: the directory is made by its own constructor
    R result{};
    bool readOnly = false; // the directory's folder cannot be written
    DirClass dir;
};

} // namespace

frmDIR::frmDIR(DirClass &dir, QWidget *parent, TemplatePickerFactory pickers)
    : QDialog(parent), m_dir(dir), m_pickers(pickers ? std::move(pickers) : pickerWindows()),
      m_entries(new DirEntriesModel(dir, this)), m_menuBar(new QMenuBar(this)),
      m_client(new ClientArea([this] { Resize_Form(); }, this)),
      m_lblCaption(new QLabel(tr("DIR Caption:"), m_client)), m_txtCaption(new QLineEdit(m_client)),
      m_fraFiles(new QGroupBox(tr("File List"), m_client)),
      m_grid(new DirFileGrid(m_entries, m_fraFiles)),
      m_cmdAdd(new QPushButton(tr("Add File"), m_fraFiles)),
      m_cmdDelete(new QPushButton(tr("Remove File"), m_fraFiles)),
      m_progress(new JobProgressView(this))
{
    setObjectName(QStringLiteral("frmDIR"));
    setWindowTitle(tr("HV Admin - Directory Editor"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    SetFittingMinimumSize(*this, QSize(kMinWidthPixels, kMinHeightPixels));

    m_lblCaption->setObjectName(QStringLiteral("lblCaption"));
    m_lblCaption->setBuddy(m_txtCaption);
    m_txtCaption->setObjectName(QStringLiteral("txtDIRCaption"));
    m_fraFiles->setObjectName(QStringLiteral("fraFiles"));
    m_cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    m_cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    m_cmdDelete->setEnabled(false);
    for (QPushButton *button : {m_cmdAdd, m_cmdDelete}) {
        button->setAutoDefault(false);
        button->resize(
            qMax(button->sizeHint().width(), twips::toPixelsX(kButtonWidthTwips, this)),
            qMax(button->sizeHint().height(), twips::toPixelsY(kButtonHeightTwips, this)));
    }
    m_lblCaption->resize(m_lblCaption->sizeHint());
    m_txtCaption->resize(m_txtCaption->sizeHint());
    buildMenus();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    m_menuBar->setAccessibleName(tr("Menu bar"));
    m_grid->setAccessibleName(tr("Applications of the directory"));
    layout->addWidget(m_client);
    layout->addWidget(m_progress);
    setTabOrder(m_txtCaption, m_grid);
    setTabOrder(m_grid, m_cmdAdd);
    setTabOrder(m_cmdAdd, m_cmdDelete);

    connect(m_txtCaption, &QLineEdit::textChanged, this, [this] { setChangeFlag(true); });
    connect(m_cmdAdd, &QPushButton::clicked, this, &frmDIR::cmdAdd_Click);
    connect(m_cmdDelete, &QPushButton::clicked, this, &frmDIR::cmdDelete_Click);
    connect(m_grid, &DirFileGrid::currentCellChanged, this, &frmDIR::onCurrentCellChanged);
    connect(m_grid, &DirFileGrid::cellEdited, this, &frmDIR::onCellEdited);
    connect(m_grid, &DirFileGrid::rowMoved, this, [this] { setChangeFlag(true); });
}

frmDIR::~frmDIR()
{
    // A read not yet begun never runs; a write goes on alone and its end is not awaited.
    if (m_job)
        m_job->cancel();
}

void frmDIR::buildMenus()
{
    QMenu *file = m_menuBar->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    file->setToolTipsVisible(true); // why Save is disabled
    m_mnuOpen = file->addAction(tr("&Open"));
    m_mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    file->addSeparator()->setObjectName(QStringLiteral("mnuSeperator1"));
    m_mnuSave = file->addAction(tr("&Save"));
    m_mnuSave->setObjectName(QStringLiteral("mnuSave"));
    m_mnuSave->setShortcut(QKeySequence::Save);
    m_mnuSaveAs = file->addAction(tr("Save  &As..."));
    m_mnuSaveAs->setObjectName(QStringLiteral("mnuSaveas"));
    file->addSeparator()->setObjectName(QStringLiteral("mnuSeperator2"));
    m_mnuExit = file->addAction(tr("E&xit"));
    m_mnuExit->setObjectName(QStringLiteral("mnuExit"));
    QMenu *help = m_menuBar->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    m_mnuAbout = help->addAction(tr("&About"));
    m_mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    connect(m_mnuOpen, &QAction::triggered, this, &frmDIR::mnuOpen_Click);
    connect(m_mnuSave, &QAction::triggered, this, [this] { Save(); });
    connect(m_mnuSaveAs, &QAction::triggered, this, [this] { SaveAs(); });
    connect(m_mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(m_mnuAbout, &QAction::triggered, this, &frmDIR::mnuAbout_Click);
}

void frmDIR::Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    WriteLog(kModule, QStringLiteral("Form_Load"), QStringLiteral("Loading Form"));
}

void frmDIR::load(const QString &path)
{
    WriteLog(kModelModule, QStringLiteral("Load_DIR"), path);
    // The file is read into a copy: a file that cannot be read leaves the directory as it
    // was, and the editor closed. Whether its folder may be written is found there too.
    auto *job = startJob<DirWork<DirResult>>(
        folderOf(path), [path, dir = m_dir](JobControl &control) mutable {
            DirWork<DirResult> read;
            if (control.isCancelled())
                read.result = DirResult::failure(QString());
            else if (path.endsWith(u'/'))
                dir.StartNew(path);
            else
                read.result = dir.OpenExisting(path);
            // A folder that cannot be told counts as writable: saving then says what failed.
            const QString folder = dir.Path();
            read.readOnly = read.result && paths::isFolder(folder) && !paths::mayWriteIn(folder);
            read.dir = std::move(dir);
            return read;
        });
    m_job = job;
    setBusy(true);
    const QString what = tr("Reading %1").arg(paths::displayName(path.mid(folderOf(path).size())));
    m_progress->watch(job, what);
    Q_EMIT jobStarted(job, what);
    connect(job, &Job::notAnswering, this, [this, job, path] {
        // The read is left to finish alone, if ever; the editor does not open on it.
        job->disconnect(this);
        setBusy(false);
        showNotAnswering(path);
        Q_EMIT loaded(false);
    });
    connect(job, &Job::finished, this, [this, job] {
        setBusy(false);
        const DirWork<DirResult> &read = job->result();
        if (job->isCancelled()) {
            Q_EMIT loaded(false);
            return;
        }
        // Editing a file that could not be read would replace it with an empty directory.
        if (!read.result || !job->errorString().isEmpty()) {
            showRefusal(read.result ? DirMessage{job->errorString(), QString(), true}
                                    : read.result.message);
            Q_EMIT loaded(false);
            return;
        }
        m_dir = read.dir;
        m_readOnly = read.readOnly;
        showLoaded();
        Q_EMIT loaded(true);
    });
}

void frmDIR::showLoaded()
{
    // A folder the user cannot write keeps Save disabled.
    m_mnuSave->setToolTip(
        m_readOnly ? tr("The folder %1 is read-only: the directory file cannot be saved there.")
                         .arg(paths::displayName(m_dir.Path()))
                   : QString());
    // The window is loaded ("Loading Form") and then takes its placement, before it is filled.
    Load();
    ReadRegWindowInfo(*this, true);
    m_txtCaption->setText(m_dir.Caption());
    setChangeFlag(true);
    if (!m_dir.NewFlag())
        m_dir.SetChangeFlag(false); // the Save item stays as it is
    Load_Grid();
}

void frmDIR::Load_DIR(const QString &path)
{
    connect(
        this, &frmDIR::loaded, this,
        [this](bool ready) {
            if (!ready) {
                done(QDialog::Rejected); // finished() without showing
                return;
            }
            setWindowModality(Qt::ApplicationModal);
            open();
        },
        Qt::SingleShotConnection);
    load(path);
}

void frmDIR::setBusy(bool busy)
{
    if (!busy)
        m_job = nullptr;
    m_client->setEnabled(!busy);
    m_mnuOpen->setEnabled(!busy);
    m_mnuSaveAs->setEnabled(!busy);
    m_mnuSave->setEnabled(!busy && m_dir.ChangeFlag() && !m_readOnly);
}

void frmDIR::Load_Grid()
{
    WriteLog(kModelModule, QStringLiteral("Load_Grid"), m_dir.Filename());
    m_entries->reload();
    m_grid->sizeColumns();
    if (m_entries->rowCount() > 1)
        m_grid->setCurrentIndex(m_entries->index(0, DirFileGrid::kTitleColumn));
}

void frmDIR::setChangeFlag(bool changed)
{
    m_dir.SetChangeFlag(changed);
    m_mnuSave->setEnabled(changed && !m_readOnly);
}

void frmDIR::takeCaptionIntoModel()
{
    m_dir.SetCaption(m_txtCaption->text());
}

void frmDIR::showRefusal(const DirMessage &message)
{
    // The directory's fixed refusals are in the catalogue; a text with a file name in it
    // finds no translation and is shown as it is.
    const auto shown = [](const QString &text) {
        return QCoreApplication::translate("hv::DirClass", text.toUtf8().constData());
    };
    ShowMessage(shown(message.text), shown(message.title), MsgButtons::Ok,
                message.exclamation ? MsgIcon::Exclamation : MsgIcon::None);
}

void frmDIR::endSave(bool written, const Then &then)
{
    Q_EMIT saved(written);
    if (then)
        then(written);
    if (std::exchange(m_closeWhenSaved, false) && written && isVisible())
        close();
}

void frmDIR::finishSave(const DirClass::SaveResult &result, const Then &then)
{
    switch (result.outcome) {
    case DirClass::SaveOutcome::Written:
        setChangeFlag(false);
        endSave(true, then);
        return;
    case DirClass::SaveOutcome::Invalid:
        showRefusal(result.message);
        m_txtCaption->setFocus(Qt::OtherFocusReason);
        break;
    case DirClass::SaveOutcome::NeedsFileName:
        saveAsThen(then);
        return;
    case DirClass::SaveOutcome::Failed:
        // Nothing was written: the changes stay, and so does the way to save them.
        showRefusal(result.message);
        setChangeFlag(true);
        break;
    }
    endSave(false, then);
}

void frmDIR::write(const QString &chosenPath, const Then &then)
{
    const QString folder = chosenPath.isEmpty() ? m_dir.Path() : folderOf(chosenPath);
    auto *job = startJob<DirWork<DirClass::SaveResult>>(
        folder, [chosenPath, dir = m_dir](JobControl &) mutable {
            DirWork<DirClass::SaveResult> written;
            written.result = chosenPath.isEmpty() ? dir.Save() : dir.SaveAs(chosenPath);
            written.dir = std::move(dir);
            return written;
        });
    m_job = job;
    setBusy(true);
    const QString file = chosenPath.isEmpty() ? m_dir.Filename() : withDirExtension(chosenPath);
    const QString what = tr("Saving %1").arg(paths::displayName(file.mid(folderOf(file).size())));
    m_progress->watch(job, what);
    Q_EMIT jobStarted(job, what);
    connect(job, &Job::notAnswering, this, [this, job, folder, then] {
        // The write goes on alone; the changes stay unsaved here, to be saved again.
        job->disconnect(this);
        setBusy(false);
        showNotAnswering(folder);
        setChangeFlag(true);
        endSave(false, then);
    });
    connect(job, &Job::finished, this, [this, job, then] {
        setBusy(false);
        const DirWork<DirClass::SaveResult> &written = job->result();
        if (!job->errorString().isEmpty()) {
            showRefusal(DirMessage{job->errorString(), QString(), true});
            setChangeFlag(true);
            endSave(false, then);
            return;
        }
        // Writing changes no entry: the grid's rows stay as they are.
        const qsizetype rows = m_dir.DirEntries().Count();
        m_dir = written.dir;
        if (m_dir.DirEntries().Count() != rows)
            m_entries->reload();
        finishSave(written.result, then);
    });
}

void frmDIR::showNotAnswering(const QString &path)
{
    ShowMessage(tr("The folder of %1 is not answering. Whatever was asked of it may still be "
                   "done once it answers.")
                    .arg(paths::displayName(path)),
                QString(), MsgButtons::Ok, MsgIcon::Exclamation);
}

void frmDIR::Save()
{
    saveThen({});
}

void frmDIR::saveThen(const Then &then)
{
    if (isBusy())
        return;
    takeCaptionIntoModel();
    write(QString(), then);
}

void frmDIR::SaveAs()
{
    saveAsThen({});
}

void frmDIR::saveAsThen(const Then &then)
{
    if (isBusy())
        return;
    takeCaptionIntoModel();
    if (DirResult valid = m_dir.Validate(); !valid) {
        showRefusal(valid.message);
        m_txtCaption->setFocus(Qt::OtherFocusReason);
        endSave(false, then);
        return;
    }
    WriteLog(kModelModule, QStringLiteral("SaveAs"), m_dir.Filename());
    QString proposed = m_dir.NewFlag() ? m_txtCaption->text() : m_dir.Filename();
    if (m_dir.NewFlag())
        proposed.replace(u'/', u'-'); // a caption is a name, not a path
    else if (proposed.endsWith(QStringLiteral(".DIR"), Qt::CaseInsensitive))
        proposed.chop(4);
    const SaveDialogResult chosen =
        ShowSave(this, proposed, UserText::translate("hv::frmDIR", "Save Dir File As..."),
                 m_dir.Path(), tr("Halvora Dir File (*.DIR)|*.DIR"), {}, true);
    if (chosen.cancelled || chosen.fileNames.isEmpty()) {
        endSave(false, then);
        return;
    }
    const QString path = chosen.fileNames.first();
    // The dialog asked about the name as typed; the name written may be another file.
    const QString written = withDirExtension(path);
    if (written != path) {
        const QString existing = paths::findExisting(written);
        if (!existing.isEmpty() &&
            ShowMessage(replaceQuestion(paths::displayName(QFileInfo(existing).fileName())),
                        tr("Save Dir File As..."), MsgButtons::YesNo,
                        MsgIcon::Exclamation) != MsgAnswer::Yes) {
            endSave(false, then);
            return;
        }
    }
    write(path, then);
}

void frmDIR::cmdAdd_Click()
{
    std::unique_ptr<TemplatePicker> picker = m_pickers(this);
    picker->SetSettingKey(QStringLiteral("HVDirectory"));
    picker->SetStartFolder(m_dir.Path());
    picker->SetMultiSelect(true);
    const QString chosen = picker->Show();
    picker.reset();
    if (chosen.isEmpty())
        return;
    takeCaptionIntoModel();
    // The chosen templates are read for their titles off the window's thread; the entries are
    // added here once they have been.
    const QStringList names = chosen.split(u'|', Qt::SkipEmptyParts);
    const QString folder = m_dir.Path();
    using Titles = QList<std::optional<QString>>;
    auto *job = startJob<Titles>(folder, [folder, names](JobControl &control) {
        const DirTemplateLookup lookUp = dirTemplateLookup(folder);
        Titles titles;
        for (const QString &name : names) {
            control.progress(titles.size(), names.size(), name);
            titles.append(lookUp(name));
        }
        return titles;
    });
    m_job = job;
    setBusy(true);
    const QString what = tr("Reading the chosen templates");
    m_progress->watch(job, what);
    Q_EMIT jobStarted(job, what);
    connect(job, &Job::notAnswering, this, [this, job, names] {
        // Nothing is added from a folder that stopped answering; the editor stays usable.
        job->disconnect(this);
        setBusy(false);
        showNotAnswering(m_dir.Path() + names.value(0));
    });
    connect(job, &Job::finished, this, [this, job, names] {
        setBusy(false);
        const Titles &titles = job->result();
        if (job->isCancelled() || titles.size() != names.size())
            return;
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (DirResult r = m_entries->addEntry(names.at(i), titles.at(i)); !r) {
                showRefusal(r.message);
                continue;
            }
            m_grid->sizeColumns();
            m_grid->setCurrentIndex(
                m_entries->index(m_entries->rowCount() - 1, DirFileGrid::kTitleColumn));
            setChangeFlag(true);
        }
    });
}

void frmDIR::cmdDelete_Click()
{
    const int row = m_grid->currentIndex().row();
    if (row < 0)
        return;
    if (!m_entries->removeRows(row, 1))
        return;
    setChangeFlag(true);
    if (!m_grid->currentIndex().isValid())
        m_cmdDelete->setEnabled(false);
}

void frmDIR::onCurrentCellChanged(int row, int)
{
    m_cmdDelete->setEnabled(row >= 0);
}

void frmDIR::onCellEdited(int row, int)
{
    setChangeFlag(true);
    // The row is white when its template is there, looked up beside the directory file off
    // the window's thread; the answer counts while the row still names that file.
    const QString folder = m_dir.Path();
    const QString name = m_grid->text(row, DirFileGrid::kFilenameColumn);
    auto *check = startJob<bool>(
        folder, [folder, name](JobControl &) { return dirTemplateFileExists(folder, name); });
    connect(check, &Job::finished, this, [this, check, row, name] {
        if (!check->isCancelled() && row < m_grid->rowCount() &&
            m_grid->text(row, DirFileGrid::kFilenameColumn) == name)
            m_grid->setRowFound(row, check->result());
    });
}

void frmDIR::mnuOpen_Click()
{
    if (isBusy())
        return;
    const Then closeWhenWritten = [this](bool written) {
        if (written)
            close();
    };
    if (!m_dir.ChangeFlag() ||
        ShowMessage(tr("Do you wish to save your changes?"), tr("Save Changes?"),
                    MsgButtons::YesNo) == MsgAnswer::Yes) {
        saveThen(closeWhenWritten);
        return;
    }
    close();
}

void frmDIR::mnuAbout_Click()
{
    frmAbout about(this);
    about.exec();
}

void frmDIR::reject()
{
    close();
}

void frmDIR::closeEvent(QCloseEvent *event)
{
    if (isBusy()) {
        // A save on its way closes the editor once written; a folder that does not answer
        // ends the wait and the editor stays open with its changes.
        m_closeWhenSaved = true;
        event->ignore();
        return;
    }
    if (m_dir.ChangeFlag()) {
        switch (ShowMessage(tr("Do you wish to save your changes?"), tr("Save Changes?"),
                            MsgButtons::YesNoCancel)) {
        case MsgAnswer::Yes:
            // Closes once written (the changes are then saved and nothing is asked).
            event->ignore();
            saveThen([this](bool written) {
                if (written)
                    close();
            });
            return;
        case MsgAnswer::No:
            break;
        default:
            event->ignore();
            return;
        }
    }
    WriteRegWindowInfo(*this);
    event->accept();
    QDialog::done(QDialog::Accepted);
}

void frmDIR::Resize_Form()
{
    DirEditorInputs in;
    in.grid = twips::pixelGrid(this);
    in.client = toTwips(m_client->size(), in.grid);
    // The label, the box's height and the buttons keep the sizes given them at the start.
    in.captionLabel = toTwips(m_lblCaption->size(), in.grid);
    in.captionBox = m_txtCaption->height() * in.grid.y;
    in.addButton = toTwips(m_cmdAdd->size(), in.grid);
    in.removeButton = toTwips(m_cmdDelete->size(), in.grid);
    const DirEditorLayout rects = layOutDirEditor(in);
    // A placement that does not fit (the window is too small) is skipped; the next is done.
    const auto place = [grid = in.grid](QWidget *widget, const QRectF &rect) {
        if (fits(rect))
            widget->setGeometry(toPixels(rect, grid));
    };
    place(m_lblCaption, rects.captionLabel);
    place(m_txtCaption, rects.captionBox);
    place(m_fraFiles, rects.filesFrame);
    place(m_grid, rects.fileList);
    place(m_cmdAdd, rects.addButton);
    place(m_cmdDelete, rects.removeButton);
}

} // namespace hv
