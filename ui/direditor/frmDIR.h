// The directory editor (frmDIR, caption "HV Admin - Directory Editor"): the caption of one
// directory file and its entries, with their order and access rights, edited over the
// directory model (DirClass) that the main window creates for it.
//
// The grid shows and edits the model's entries in place (DirEntriesModel); the caption text
// box is taken into the model when it is saved or an entry is added. Every user change sets
// the model's ChangeFlag, which enables Save. The window shares the main window's
// stored placement.
//
// Reading and writing the file run as jobs on the job pool: the window that asked stays
// responsive, and while one runs the editing commands are disabled. A folder that stops
// answering is reported and the editor goes on without that file work.
//
//     DirClass dir(dirTemplateLookup(folder));
//     auto *editor = new frmDIR(dir, mainWindow);
//     connect(editor, &QDialog::finished, ...);   // closed, or never opened
//     editor->Load_DIR(folder + "PLANT.DIR");     // or Load_DIR(folder) for a new file
#pragma once

#include "app/Jobs.h"
#include "files/DirClass.h"
#include "ui/support/WindowPlacement.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace hv {

class DirEntriesModel;
class DirFileGrid;
class JobProgressView;
class TemplatePicker;

// Makes the template picker that "Add File" shows, owned by the editor.
using TemplatePickerFactory = std::function<std::unique_ptr<TemplatePicker>(QWidget *owner)>;

class frmDIR : public QDialog, public LoadableWindow {
    Q_OBJECT
public:
    // `pickers` empty: the picker window (TemplatePickerDialog).
    explicit frmDIR(DirClass &dir, QWidget *parent = nullptr, TemplatePickerFactory pickers = {});
    ~frmDIR() override;

    // Opens the editor on `path`: an existing directory file, or, for a path ending in '/', a
    // new directory file in that folder. Returns at once; once the file is read the editor
    // shows modally (open()). A file that cannot be read, or a folder that does not answer, is
    // reported and the editor does not show; finished() follows either way.
    void Load_DIR(const QString &path);
    // Load_DIR without showing the window: loaded(true) when the editor is ready to show,
    // loaded(false) once the refusal was reported. A new directory file is ready at once.
    void load(const QString &path);
    // A read or a write of the file is running.
    bool isBusy() const { return !m_job.isNull(); }

    // The window's Form_Load, run once before the first placement.
    void Load() override;

    // Save: writes the file, or asks for a name for a new directory (SaveAs). saved() tells
    // how it ended.
    void Save();
    // Asks for a file name and writes the directory there; saved(false) when cancelled or
    // refused.
    void SaveAs();

    // Lays the controls out for the client area's size (app/WindowLayout.h).
    void Resize_Form();

    // The controls.
    QLabel *lblCaption() const { return m_lblCaption; }
    QLineEdit *txtDIRCaption() const { return m_txtCaption; }
    QGroupBox *fraFiles() const { return m_fraFiles; }
    DirFileGrid *grdFiles() const { return m_grid; }
    QPushButton *cmdAdd() const { return m_cmdAdd; }
    QPushButton *cmdDelete() const { return m_cmdDelete; }
    QMenuBar *menuBar() const { return m_menuBar; }
    QAction *mnuOpen() const { return m_mnuOpen; }
    QAction *mnuSave() const { return m_mnuSave; }
    QAction *mnuSaveas() const { return m_mnuSaveAs; }
    QAction *mnuExit() const { return m_mnuExit; }
    QAction *mnuAbout() const { return m_mnuAbout; }
    QWidget *clientArea() const { return m_client; }
    JobProgressView *jobProgress() const { return m_progress; }

    void cmdAdd_Click();
    void cmdDelete_Click();
    void mnuOpen_Click();

Q_SIGNALS:
    void loaded(bool ready);
    void saved(bool written);
    // A read or write of the file began; `what` says which.
    void jobStarted(hv::Job *job, const QString &what);

public Q_SLOTS:
    // Escape closes the editor through the close prompt.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void Load_Grid();
    void setChangeFlag(bool changed);
    // Writes the caption text into the model.
    void takeCaptionIntoModel();
    using Then = std::function<void(bool written)>;
    void saveThen(const Then &then);
    void saveAsThen(const Then &then);
    void finishSave(const DirClass::SaveResult &result, const Then &then);
    void endSave(bool written, const Then &then);
    // Writes m_dir (to Filename, or to `chosenPath`) as a job, into m_dir once it is done.
    void write(const QString &chosenPath, const Then &then);
    void showLoaded();
    void setBusy(bool busy);
    void showNotAnswering(const QString &path);
    void showRefusal(const DirMessage &message);
    void onCurrentCellChanged(int row, int column);
    void onCellEdited(int row, int column);
    void mnuAbout_Click();

    DirClass &m_dir;
    TemplatePickerFactory m_pickers;
    bool m_loaded = false;
    bool m_readOnly = false;       // the directory's folder cannot be written
    bool m_closeWhenSaved = false; // a close came while a save ran
    QPointer<Job> m_job;           // the running read or write
    DirEntriesModel *m_entries;

    QMenuBar *m_menuBar;
    QAction *m_mnuOpen = nullptr;
    QAction *m_mnuSave = nullptr;
    QAction *m_mnuSaveAs = nullptr;
    QAction *m_mnuExit = nullptr;
    QAction *m_mnuAbout = nullptr;
    QWidget *m_client;
    QLabel *m_lblCaption;
    QLineEdit *m_txtCaption;
    QGroupBox *m_fraFiles;
    DirFileGrid *m_grid;
    QPushButton *m_cmdAdd;
    QPushButton *m_cmdDelete;
    JobProgressView *m_progress;
};

} // namespace hv
