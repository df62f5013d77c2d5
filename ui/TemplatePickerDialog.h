// The template picker as a window: the folder at the top (typed, chosen from the folders
// shown before, or browsed to), the application templates of that folder with their titles,
// and OK / Cancel. What it lists and returns is decided in suite/TemplatePickerLogic.h.
#pragma once

#include "suite/TemplatePicker.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QTreeWidget;

namespace hv {

class TemplatePickerDialog : public QDialog, public TemplatePicker {
    Q_OBJECT
public:
    explicit TemplatePickerDialog(QWidget *parent = nullptr);

    void SetSettingKey(const QString &key) override { m_settingKey = key; }
    void SetStartFolder(const QString &folder) override { m_startFolder = folder; }
    void SetMultiSelect(bool multiSelect) override;
    QString Show() override;

    // Lists the templates of `folder` (the folder shown from now on).
    void showFolder(const QString &folder);
    const QString &folder() const { return m_folder; }
    // The full paths of the selected templates, in list order.
    QStringList selectedPaths() const;

    QTreeWidget *templateList() const { return m_list; }
    QComboBox *folderBox() const { return m_folderBox; }

private:
    void browse();
    void updateOkButton();

    QString m_settingKey;
    QString m_startFolder;
    QString m_folder;
    QComboBox *m_folderBox;
    QTreeWidget *m_list;
    QDialogButtonBox *m_buttons;
};

} // namespace hv
