// The template picker: the suite component with which the user chooses application
// templates (*.HVT) for a directory file.
//
// The directory editor creates one picker per "Add File", sets its three options and shows
// it. The picker opens at the start folder, lists the templates there with their titles,
// lets the user change folders, and returns the chosen templates joined by "|": bare names
// for templates in the start folder, full paths for templates elsewhere. It remembers the
// last folder it showed under its setting key.
//
//     std::unique_ptr<TemplatePicker> picker = ...;
//     picker->SetSettingKey(QStringLiteral("HVDirectory"));
//     picker->SetStartFolder(dir.Path());
//     picker->SetMultiSelect(true);
//     const QString chosen = picker->Show(); // "PLANT1.HVT|/other/LINE4.HVT", or empty
//
// The dialog is a window (ui/dialogs/TemplatePickerDialog.h); what it lists and returns is decided
// in suite/TemplatePickerLogic.h, so that tests and other front ends share it.
#pragma once

#include <QString>

namespace hv {

class TemplatePicker {
public:
    virtual ~TemplatePicker() = default;

    // The key under which the last folder is remembered; empty remembers nothing.
    virtual void SetSettingKey(const QString &key) = 0;
    // The folder shown first; names of templates in it are returned bare.
    virtual void SetStartFolder(const QString &folder) = 0;
    // True: several templates may be chosen at once; false: one.
    virtual void SetMultiSelect(bool multiSelect) = 0;
    // Shows the picker until the user chooses or cancels; the chosen names joined by "|",
    // or the empty string when nothing was chosen.
    virtual QString Show() = 0;
};

} // namespace hv
