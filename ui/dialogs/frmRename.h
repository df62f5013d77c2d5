// The rename window: asks for the new name of an application, popup or directory file,
// without its extension. OK asks for the rename (renameRequested); the one who renames
// answers with answerRename: a rename that took effect, or a refusal that ends the matter,
// closes the window; a name that is taken, or a rename that had to
// be undone, keeps it open with the typed name, so the user can try another name or cancel.
//
//     frmRename window(&mainWindow, RenamePromptFor(file), file);
//     connect(&window, &frmRename::renameRequested, [&](const QString &name) {
//         window.answerRename(...);   // rename, then say whether the window closes
//     });
//     window.exec();
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace hv {

class frmRename : public QDialog {
    Q_OBJECT
public:
    // Asks with `prompt` under `caption` for a new name of the item listed as `fileName`
    // (with its extension), offering that name without its extension.
    frmRename(QWidget *owner, const QString &prompt, const QString &caption,
              const QString &fileName);

    // Centres the window and selects the name (done by exec() and show()).
    void Form_Load();

    // The answer to renameRequested: `renamed` when the rename took effect, `closes` when
    // the window closes after it. Until it comes, OK is disabled.
    void answerRename(bool renamed, bool closes);

    // True once a rename took effect.
    bool renamed() const { return m_renamed; }

    QLabel *lblRename() const { return m_lblRename; }
    QLineEdit *txtRename() const { return m_txtRename; }
    QPushButton *OKButton() const { return m_okButton; }
    QPushButton *CancelButton() const { return m_cancelButton; }

Q_SIGNALS:
    // OK with the name as typed.
    void renameRequested(const QString &newName);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void OKButton_Click();

    bool m_loaded = false;
    bool m_renamed = false;
    QLabel *m_lblRename;
    QLineEdit *m_txtRename;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
};

} // namespace hv
