// The command lines with which the console starts the suite's programs. Every one begins
// with the suite folder (ending in '/'); the programs' own names keep the suite's spelling.
#pragma once

#include "lists/ListRows.h"

#include <QString>

namespace hv {

// The command line that opens the row `key` of `category`: the application or popup program
// with "@", the project folder and the file name (the folder alone for the create-new row
// "NEW"), or the settings program with "@RULES", "@UNITS" or "@SECURITY". Empty for the
// directory files, which the console edits itself.
QString ActivationCommandLine(Category category, const QString &suiteFolder,
                              const QString &projectFolder, const QString &key);

// The command line of a double-click on a category bar row: the settings program for the
// rules, units of measure ("hvglobal.exe @UNITS") and security rows; empty for the others.
QString CategoryBarCommandLine(Category category, const QString &suiteFolder);

// The file-pack program on an application's template, the template path in double quotes.
QString FilePackCommandLine(const QString &suiteFolder, const QString &projectFolder,
                            const QString &fileName);

} // namespace hv
