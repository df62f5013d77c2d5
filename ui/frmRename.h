// The rename window: asks for the new name of the application, popup or directory file
// listed as AppState's SelectedItemFile, without its extension, and renames the item's files.
// A name that is taken, or a rename that had to be undone, keeps the window open with the
// typed name, so the user can try another name or cancel; the message says why.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace hv {

class frmRename : public QDialog {
    Q_OBJECT
public:
    explicit frmRename(QWidget *owner);

    // Fills the prompt, caption and name and centres the window (done by exec() and show()).
    void Form_Load();

    // True once a rename took effect.
    bool renamed() const { return m_renamed; }

    QLabel *lblRename() const { return m_lblRename; }
    QLineEdit *txtRename() const { return m_txtRename; }
    QPushButton *OKButton() const { return m_okButton; }
    QPushButton *CancelButton() const { return m_cancelButton; }

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
