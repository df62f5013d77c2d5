// Path helpers of the start-up module. None of them ever throws; an error gives false or an
// empty string. Names are matched without regard to letter case (platform/PathNames.h).
#pragma once

#include <QString>

namespace hv {

// True when a file or folder of that name exists.
bool IsFilePresent(const QString &path);

// True when a folder, or a file, of that name exists (the empty path names nothing). A path
// that ends in '/' is present only when it is a folder.
bool IsFolderPresent(const QString &path);

// The path up to and including its last '/'; empty when it has none ("sec.dbf" gives "",
// "/data/sec.dbf" gives "/data/", "/" gives "/").
QString FolderOfPath(const QString &path);

// The folder of the running executable, without a trailing '/'.
QString ProgramFolder();

// The folder of the suite's programs (the suite settings' program folder, or the program
// folder when that is empty), ending in '/'.
QString GetSuiteFolder();

} // namespace hv
