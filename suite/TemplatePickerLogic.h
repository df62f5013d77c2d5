// What the template picker lists and returns, without a window: the templates of a folder
// with their titles, the "|"-joined result, and the remembered folder.
#pragma once

#include "suite/TemplateInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace hv::templatepicker {

// The result separator; a name holding it cannot be returned and is not offered.
inline constexpr QChar kSeparator = u'|';

// One template offered by the picker.
struct TemplateChoice {
    QString fileName; // the name on disk, without the folder
    QString title;    // empty when the template has no title or cannot be read
    bool readable = false;
};

// The application templates (*.HVT in any letter case) directly in `folder`, ordered by
// name without regard to case, each with its title read through `info`. Names holding the
// separator are left out.
QList<TemplateChoice> listTemplates(const QString &folder, TemplateInfo &info);

// The chosen templates (full paths) joined by the separator: the bare name for a template
// directly in `startFolder`, the full path otherwise. Paths holding the separator are left
// out.
QString joinChosen(const QStringList &chosenPaths, const QString &startFolder);

// The folder to show first: `startFolder` when it exists, else `remembered` when it exists,
// else the user's home folder. Always ends in '/'.
QString firstFolder(const QString &startFolder, const QString &remembered);

// The folder remembered under `key` (empty when none), and remembering one. The folders are
// kept in TemplatePicker.ini in the suite's per-user configuration folder, section
// [Folders]. An empty key reads nothing and stores nothing.
QString rememberedFolder(const QString &key);
void rememberFolder(const QString &key, const QString &folder);

} // namespace hv::templatepicker
