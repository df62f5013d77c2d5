// The security login (caption "HV Admin Security Login"): a user name, which starts as
// "HVADMIN", and a password, checked against the security table (app/Security.h). Any number
// of attempts; OK closes the window only on a valid login, Cancel closes it without one.
#pragma once

#include "dbase/TableArray.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace hv {

class frmLogin : public QDialog {
    Q_OBJECT
public:
    explicit frmLogin(QWidget *parent = nullptr);

    // True after a valid login; stays readable after the window has closed.
    bool LoginSucceeded() const { return m_loginSucceeded; }

    QLabel *lblLabels(int index) const { return index == 0 ? m_userLabel : m_passwordLabel; }
    QLineEdit *txtUserName() const { return m_userName; }
    QLineEdit *txtPassword() const { return m_password; }
    QPushButton *cmdOK() const { return m_ok; }
    QPushButton *cmdCancel() const { return m_cancel; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    // Focuses the field and selects its whole text.
    void focusAndSelect(QLineEdit *field);

    QLabel *m_userLabel;
    QLineEdit *m_userName;
    QLabel *m_passwordLabel;
    QLineEdit *m_password;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    TableArray m_table;
    bool m_loginSucceeded = false;
};

// Shows the login window modally and returns LoginSucceeded (the LoginPrompt of Main).
bool RunLoginWindow();

} // namespace hv
