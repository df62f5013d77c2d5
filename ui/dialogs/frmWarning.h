// The confirmation window of clear and delete (caption "Warning! Confirm Delete"): shows the
// texts it is given (the item's title and how many data records will be lost) and answers
// whether to go on. Yes accepts, No rejects; the window itself touches no file.
//
//     frmWarning warning(&mainWindow, DeleteConfirmationFor(info, path, true, true));
//     if (warning.exec() == QDialog::Accepted) ...   // clear the data
#pragma once

#include "ops/ItemDelete.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace hv {

class frmWarning : public QDialog {
    Q_OBJECT
public:
    // Asks with `text`, over `owner`.
    frmWarning(QWidget *owner, const DeleteConfirmation &text);

    // Centres the window over its owner and gives Yes the focus (done by exec() and show()).
    void Form_Load();

    bool answeredYes() const { return m_answeredYes; }

    QLabel *lblWarning() const { return m_lblWarning; }
    QPlainTextEdit *txtWarning() const { return m_txtWarning; }
    QPushButton *cmdYes() const { return m_cmdYes; }
    QPushButton *cmdNo() const { return m_cmdNo; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cmdYes_Click();

    bool m_loaded = false;
    bool m_answeredYes = false;
    QLabel *m_lblWarning;
    QPlainTextEdit *m_txtWarning;
    QPushButton *m_cmdYes;
    QPushButton *m_cmdNo;
};

} // namespace hv
