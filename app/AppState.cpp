#include "app/AppState.h"

#include "platform/PathNames.h"

namespace hv {

AppState &AppState::instance()
{
    static AppState state;
    return state;
}

void AppState::SetProjectFolder(const QString &folder)
{
    m_projectFolder = paths::withTrailingSeparator(folder);
}

void AppState::reset()
{
    *this = AppState();
}

} // namespace hv
