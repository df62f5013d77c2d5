// The confirmation window of clear and delete (caption "Warning! Confirm Delete"): names the
// application or popup at AppState's SelectedItemPath by its title, says how many data records
// will be lost, and does the work when the user answers Yes. No closes it and touches nothing.
//
//     frmWarning warning(&mainWindow);
//     warning.IsApplication(true);
//     warning.DeleteDataOnly(true);
//     warning.exec();
//     if (warning.answeredYes() && !warning.result().ok) ...   // tell the user
#pragma once

#include "ops/ItemDelete.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace hv {

class TemplateInfo;

// Asks whether the file at `path`, which the trash refuses for `reason`, may be deleted
// permanently; true for Yes.
bool AskDeletePermanently(const QString &path, const QString &reason);

class frmWarning : public QDialog {
    Q_OBJECT
public:
    explicit frmWarning(QWidget *owner);
    ~frmWarning() override;

    // The item's kind: exactly one of application and popup mode is set.
    void IsPopup(bool popupFlag);
    void IsApplication(bool applicationFlag);
    // Clear the data files only, instead of deleting the whole item.
    void DeleteDataOnly(bool onlyData);

    // Fills the texts and centres the window over its owner (done by exec() and show()).
    void Form_Load();

    bool answeredYes() const { return m_answeredYes; }
    // What the clear or delete did (after Yes).
    const ItemOpResult &result() const { return m_result; }

    QLabel *lblWarning() const { return m_lblWarning; }
    QPlainTextEdit *txtWarning() const { return m_txtWarning; }
    QPushButton *cmdYes() const { return m_cmdYes; }
    QPushButton *cmdNo() const { return m_cmdNo; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cmdYes_Click();

    bool m_applicationMode = true;
    bool m_dataOnly = false;
    bool m_loaded = false;
    bool m_answeredYes = false;
    ItemOpResult m_result;
    std::unique_ptr<TemplateInfo> m_info;
    QLabel *m_lblWarning;
    QPlainTextEdit *m_txtWarning;
    QPushButton *m_cmdYes;
    QPushButton *m_cmdNo;
};

} // namespace hv
