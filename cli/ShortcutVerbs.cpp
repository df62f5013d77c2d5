// hvadmin-cli shortcut / launcher: hand an item to end users through a desktop shortcut or
// an entry in the launcher's configuration.
#include "app/PathHelpers.h"
#include "cli/CliSupport.h"
#include "cli/Verbs.h"
#include "ops/Shortcuts.h"

namespace hv::cli {

namespace {

using ItemAction = ShortcutResult (*)(const QString &, const QString &, const QString &,
                                      const QString &);

int runItemAction(const QStringList &args, ItemAction action, bool printPath)
{
    if (args.size() != 3)
        return wrongArguments(args, 3, 3);
    if (args.at(1).isEmpty())
        return usage(QStringLiteral("FILE is empty"));
    // The folder is named in what is written, not read.
    const std::optional<QString> folder = absoluteArgument(args.at(0));
    if (!folder)
        return kExitFailure;
    // A shortcut or entry must not point at a guessed folder.
    const SuiteFolderResult suite = ReadSuiteFolder();
    if (!suite.ok)
        return fail(suite.messageWithReason());
    const ShortcutResult result = action(*folder, suite.folder, args.at(1), args.at(2));
    if (!result.ok)
        return fail(result.messageWithReason());
    printLine(printPath ? result.path : result.message);
    return kExitOk;
}

} // namespace

int runShortcut(const QStringList &args)
{
    return runItemAction(args, CreateItemShortcut, true);
}

int runLauncher(const QStringList &args)
{
    return runItemAction(args, AddLauncherEntry, false);
}

} // namespace hv::cli
