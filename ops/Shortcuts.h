// Handing an item to end users: a desktop shortcut that starts the suite's launcher `hv`
// with the item, and an entry in the launcher's configuration file `hvlaunch.ini`.
//
// A shortcut is a Desktop Entry file `<title>.desktop` on the user's desktop, made
// executable. The title becomes a safe file name (no separators, control characters or
// leading dot) and every value is escaped, so any title or path gives a valid entry.
#pragma once

#include "ops/OpResult.h"

#include <QString>

namespace hv {

// The message is the confirmation (launcher entries) or what went wrong.
struct ShortcutResult : OpResult {
    QString path; // the file written
};

// The file name (without folder) a shortcut titled `title` gets: `title` with '/', '\' and
// control characters replaced by '_', a leading '.' replaced, cut to a length file systems
// accept, and ".desktop" appended. An empty title gives "_.desktop".
QString DesktopEntryFileName(const QString &title);

// One argument of an Exec line, quoted as the Desktop Entry rules require (before the
// value itself is escaped): in double quotes, with '"', '`', '$' and '\' escaped by a
// backslash and '%' doubled.
QString QuoteExecArgument(const QString &argument);

// A string value escaped for a Desktop Entry file: '\', LF, CR and TAB as \\, \n, \r, \t.
QString EscapeDesktopValue(const QString &value);

// The desktop folder of the user (created when missing).
QString GetDesktopFolder();

// The path of a suite program in `suiteFolder`: found without regard to case, or its name
// without ".exe" when only that exists; the name as given when neither does.
QString SuiteProgramPath(const QString &suiteFolder, const QString &programName);

// The name of the console's icon in the desktop's icon theme (packaging/ installs it).
inline constexpr char kConsoleIconName[] = "example.corvasse.hvadmin";

// The picture of an item's shortcut: an hv.svg or hv.png beside the suite's programs (found
// without regard to case), else the console's icon by its theme name. The launcher program
// itself carries no picture a desktop can show.
QString ShortcutIcon(const QString &suiteFolder);

// Writes (replacing an existing one) the Desktop Entry file `linkFile` that runs `exeFile`
// with the single argument `exeArgs` in `workDir`, named `linkDesc`, with `iconFile`.
ShortcutResult CreateDesktopShortcut(const QString &linkFile, const QString &linkDesc,
                                     const QString &exeFile, const QString &exeArgs,
                                     const QString &workDir, const QString &iconFile);

// The desktop shortcut of the item `fileName` in `projectFolder` titled `title`.
ShortcutResult CreateItemShortcut(const QString &projectFolder, const QString &suiteFolder,
                                  const QString &fileName, const QString &title);

// Adds the item to the launcher's configuration file in `suiteFolder`; the message is the
// confirmation to show (it names the item by its title).
ShortcutResult AddLauncherEntry(const QString &projectFolder, const QString &suiteFolder,
                                const QString &fileName, const QString &title);

} // namespace hv
