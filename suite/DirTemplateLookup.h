// How a directory file finds its templates: titles through the template information
// component, and the existence check of an edited entry.
#pragma once

#include "files/DirClass.h"

namespace hv {

// Template titles through one TemplateFileInfo instance for the life of the lookup; a
// relative template name is resolved against `folder` (the directory file's folder).
DirTemplateLookup dirTemplateLookup(const QString &folder);

// True when the template file an entry names exists: a bare or relative name is looked up
// in `folder` (the directory file's folder), each part without regard to letter case.
bool dirTemplateFileExists(const QString &folder, const QString &fileName);

} // namespace hv
