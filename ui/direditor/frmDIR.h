// The directory editor (frmDIR, caption "HV Admin - Directory Editor"): the caption of one
// directory file and its entries, with their order and access rights, edited over the
// directory model (DirClass) that the main window creates for it.
//
// The grid shows and edits the model's entries in place (DirEntriesModel); the caption text
// box is taken into the model when it is saved or an entry is added. Every user change sets
// the model's ChangeFlag, which enables Save. The window shares the main window's
// stored placement.
//
//     DirClass dir(dirTemplateLookup(folder));
//     frmDIR editor(dir, mainWindow);
//     editor.Load_DIR(folder + "PLANT.DIR"); // or Load_DIR(folder) for a new file
#pragma once

#include "files/DirClass.h"
#include "ui/support/WindowPlacement.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

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
class TemplatePicker;

// Makes the template picker that "Add File" shows, owned by the editor.
using TemplatePickerFactory = std::function<std::unique_ptr<TemplatePicker>(QWidget *owner)>;

class frmDIR : public QDialog, public LoadableWindow {
    Q_OBJECT
public:
    static const QString kCaption;
    static const QString kSaveQuestion;
    static const QString kSaveTitle;
    static const QString kSaveAsTitle;
    static const QString kFilter;
    // How long reading or writing the directory file waits for its folder to answer.
    static constexpr int kAnswerWaitMs = 2000;

    // `pickers` empty: the picker window (TemplatePickerDialog).
    explicit frmDIR(DirClass &dir, QWidget *parent = nullptr, TemplatePickerFactory pickers = {});
    ~frmDIR() override;

    // Opens the editor on `path` and shows it modally until it closes: an existing directory
    // file, or, for a path ending in '/', a new directory file in that folder. A file that
    // cannot be read is reported and the editor does not open.
    void Load_DIR(const QString &path);
    // Load_DIR without showing the window: true when the editor is ready to show.
    bool prepare(const QString &path);

    // The window's Form_Load, run once before the first placement.
    void Load() override;

    // Save: writes the file, or asks for a name for a new directory (SaveAs).
    bool Save();
    // Asks for a file name and writes the directory there; false when cancelled or refused.
    bool SaveAs();

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

    void cmdAdd_Click();
    void cmdDelete_Click();
    void mnuOpen_Click();

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
    bool finishSave(const DirClass::SaveResult &result);
    // Saves (to Filename, or SaveAs `chosenPath`) on a worker, into m_dir once it is done;
    // std::nullopt, after telling the user, when the folder does not answer in time.
    std::optional<DirClass::SaveResult> writeOffThread(const QString &chosenPath);
    void showNotAnswering(const QString &path);
    void showRefusal(const DirMessage &message);
    void onCurrentCellChanged(int row, int column);
    void onCellEdited(int row, int column);
    void mnuAbout_Click();

    DirClass &m_dir;
    TemplatePickerFactory m_pickers;
    bool m_loaded = false;
    bool m_readOnly = false; // the directory's folder cannot be written
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
};

} // namespace hv
