// The verbs of hvadmin-cli. Each verb lives in its own source file.
#pragma once

#include "cli/CliSupport.h"

#include <utility>
#include <vector>

namespace hv::cli {

// Verb handlers (arguments after the verb name).
int runDbf(const QStringList &args);
int runIni(const QStringList &args);
int runDir(const QStringList &args);
int runList(const QStringList &args);
int runTemplate(const QStringList &args);
int runSecurity(const QStringList &args);
int runLogin(const QStringList &args);
int runLockCheck(const QStringList &args);
int runShortcut(const QStringList &args);
int runLauncher(const QStringList &args);
int runClear(const QStringList &args);
int runDelete(const QStringList &args);
int runRename(const QStringList &args);
int runHistory(const QStringList &args);
int runUndo(const QStringList &args);

// The table of verbs, in the order of the usage text.
inline const std::vector<std::pair<const char *, VerbHandler>> &verbs()
{
    static const std::vector<std::pair<const char *, VerbHandler>> table = {
        {"dbf", runDbf},           {"ini", runIni},
        {"dir", runDir},           {"list", runList},
        {"template", runTemplate}, {"security", runSecurity},
        {"login", runLogin},       {"lock-check", runLockCheck},
        {"shortcut", runShortcut}, {"launcher", runLauncher},
        {"clear", runClear},       {"delete", runDelete},
        {"rename", runRename},     {"history", runHistory},
        {"undo", runUndo},
    };
    return table;
}

} // namespace hv::cli
