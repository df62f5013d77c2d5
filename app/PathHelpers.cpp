#include "app/PathHelpers.h"

#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "suite/SuiteSettings.h"

#include <QCoreApplication>

namespace hv {

bool IsFilePresent(const QString &path)
{
    try {
        return paths::exists(path);
    } catch (...) {
        return false;
    }
}

bool IsFolderPresent(const QString &path)
{
    try {
        const QString found = paths::findExisting(path);
        if (found.isEmpty())
            return false;
        // "file.txt/" names a folder that is not there.
        return !path.endsWith(u'/') || paths::isFolder(found);
    } catch (...) {
        return false;
    }
}

QString FolderOfPath(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString ProgramFolder()
{
    if (!QCoreApplication::instance())
        return {};
    return QCoreApplication::applicationDirPath();
}

QString GetSuiteFolder()
{
    return ReadSuiteFolder().folder;
}

SuiteFolderResult ReadSuiteFolder()
{
    SuiteSettings settings;
    settings.SetProductKey(QStringLiteral("HV50"));
    SuiteFolderResult result;
    if (!settings.Load()) {
        // The settings say "Cannot read <file>: <reason>"; the reason goes apart.
        const QString prefix = QStringLiteral("Cannot read %1: ").arg(settings.SuiteFile());
        const QString &error = settings.LastError();
        if (error.startsWith(prefix))
            result.fail(UserText::translate("hv::ReadSuiteFolder", "Cannot read %1")
                            .arg(settings.SuiteFile()),
                        {}, error.mid(prefix.size()));
        else
            result.fail(error);
    } else {
        result.succeed();
    }
    result.suiteFile = settings.SuiteFile();
    QString folder = settings.ProgramFolder();
    result.fromSuiteFile = !folder.isEmpty();
    if (folder.isEmpty())
        folder = ProgramFolder();
    result.folder = paths::withTrailingSeparator(folder);
    return result;
}

} // namespace hv
