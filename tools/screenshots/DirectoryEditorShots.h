// Reviewers' pictures of the directory editor (part of the screenshot tour): the editor on
// the demo project's OFFICE.DIR, whose second template is missing (a red row), the template
// picker, and the editor's Save As dialog.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace hv {

// Opens the editor over `owner` on `projectFolder` + "OFFICE.DIR", saves the pictures
// "directory-editor.png", "template-picker.png" and "save-as.png" into `folder`, closes
// everything it opened and then calls `done`. Runs once the event loop runs.
void ShootDirectoryEditor(QWidget &owner, const QString &projectFolder, const QString &folder,
                          std::function<void()> done);

} // namespace hv
