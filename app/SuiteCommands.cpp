#include "app/SuiteCommands.h"

namespace hv {

namespace {

QString settingsCommand(const QString &suiteFolder, const char *program, const char *keyword)
{
    return suiteFolder + QLatin1String(program) + QStringLiteral(" @") + QLatin1String(keyword);
}

} // namespace

QString ActivationCommandLine(Category category, const QString &suiteFolder,
                              const QString &projectFolder, const QString &key)
{
    const QString item = key == QLatin1String(kKeyNew) ? QString() : key;
    switch (category) {
    case Category::Applications:
        return suiteFolder + QStringLiteral("hvAppl.EXE @") + projectFolder + item;
    case Category::Popups:
        return suiteFolder + QStringLiteral("hvpopup.EXE @") + projectFolder + item;
    case Category::Rules:
        return settingsCommand(suiteFolder, "hvglobal.EXE", kKeyRules);
    case Category::Units:
        return settingsCommand(suiteFolder, "hvglobal.EXE", kKeyUnits);
    case Category::Security:
        return settingsCommand(suiteFolder, "hvglobal.EXE", kKeySecurity);
    case Category::Directories:
        break;
    }
    return {};
}

QString CategoryBarCommandLine(Category category, const QString &suiteFolder)
{
    switch (category) {
    case Category::Rules:
        return settingsCommand(suiteFolder, "hvglobal.EXE", kKeyRules);
    case Category::Units:
        return settingsCommand(suiteFolder, "hvglobal.exe", kKeyUnits);
    case Category::Security:
        return settingsCommand(suiteFolder, "hvglobal.EXE", kKeySecurity);
    default:
        break;
    }
    return {};
}

QString FilePackCommandLine(const QString &suiteFolder, const QString &projectFolder,
                            const QString &fileName)
{
    return suiteFolder + QStringLiteral("HVFilePack.exe \"") + projectFolder + fileName + u'"';
}

} // namespace hv
