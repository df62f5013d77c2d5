#include "platform/UserFolders.h"

#include "platform/FileNames.h"

#include <QDir>

#include <cstdlib>

namespace hv::paths {
namespace {

// The folder named by `variable`, else `fallback` under the home folder.
QString baseFolder(const char *variable, const QString &fallback)
{
    if (const char *value = std::getenv(variable); value && value[0] == '/')
        return QDir::cleanPath(decodeName(value));
    QString home;
    if (const char *value = std::getenv("HOME"); value && value[0] == '/')
        home = decodeName(value);
    else
        home = QDir::homePath();
    return QDir::cleanPath(home + u'/' + fallback);
}

} // namespace

void dropRelativeBaseFolders()
{
    for (const char *variable :
         {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
        if (const char *value = std::getenv(variable); value && value[0] != '/')
            ::unsetenv(variable);
    }
}

QString userStateFolder()
{
    return baseFolder("XDG_STATE_HOME", QStringLiteral(".local/state"));
}

QString userDataFolder()
{
    return baseFolder("XDG_DATA_HOME", QStringLiteral(".local/share"));
}

} // namespace hv::paths
