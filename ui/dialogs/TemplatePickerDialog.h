// The template picker as a window: the folder at the top (typed, chosen from the folders
// shown before, or browsed to), the application templates of that folder with their titles,
// and OK / Cancel. What it lists and returns is decided in suite/TemplatePickerLogic.h.
#pragma once

#include "suite/TemplatePicker.h"
#include "suite/TemplatePickerLogic.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QLabel;
class QDialogButtonBox;
class QTreeWidget;

namespace hv {

class Job;

class TemplatePickerDialog : public QDialog, public TemplatePicker {
    Q_OBJECT
public:
    explicit TemplatePickerDialog(QWidget *parent = nullptr);

    void SetSettingKey(const QString &key) override { m_settingKey = key; }
    void SetStartFolder(const QString &folder) override { m_startFolder = folder; }
    void SetMultiSelect(bool multiSelect) override;
    QString Show() override;

    // Lists the templates of `folder` (the folder shown from now on) off the user-interface
    // thread: listed() follows once the list shows them, or a message says why not. While
    // the folder is read, OK is disabled.
    void showFolder(const QString &folder);
    bool isListing() const { return !m_listing.isNull(); }
    const QString &folder() const { return m_folder; }
    // The full paths of the selected templates, in list order.
    QStringList selectedPaths() const;

    QTreeWidget *templateList() const { return m_list; }
    QComboBox *folderBox() const { return m_folderBox; }

Q_SIGNALS:
    void listed();

private:
    // Lists `folder` as a job; with `fallBack`, a folder that is not there gives way to
    // `remembered`, else to the home folder. `remembered`, when a folder, joins the box's
    // choices.
    void startListing(const QString &folder, bool fallBack, const QString &remembered);
    void showListing(const QString &folder, const QList<templatepicker::TemplateChoice> &choices);
    void browse();
    void updateOkButton();

    QString m_settingKey;
    QString m_startFolder;
    QString m_folder;
    QComboBox *m_folderBox;
    QTreeWidget *m_list;
    QLabel *m_status;
    QPointer<Job> m_listing; // the folder being read
    QDialogButtonBox *m_buttons;
};

} // namespace hv
