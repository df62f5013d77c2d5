// Path helpers of the start-up module. None of them ever throws; an error gives false or an
// empty string. Names are matched without regard to letter case (platform/PathNames.h).
#pragma once

#include "ops/OpResult.h"

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
// folder when that is empty), ending in '/'. A suite.ini that cannot be read counts as one
// without a program folder.
QString GetSuiteFolder();

// The folder of the suite's programs as GetSuiteFolder gives it, for commands that write
// something pointing at it: a suite.ini that exists but cannot be read is a failure
// ("Cannot read <path of suite.ini>", with the system's reason), never the program folder.
struct SuiteFolderResult : OpResult {
    QString folder;
    QString suiteFile;          // the suite.ini read
    bool fromSuiteFile = false; // it names the folder (ProgramFolder); else the program folder
};
SuiteFolderResult ReadSuiteFolder();

} // namespace hv
