#include "platform/Settings.h"

namespace platform {

QSettings programSettings()
{
    return QSettings(QSettings::defaultFormat(), QSettings::UserScope, ProgramName, ProgramName);
}

} // namespace platform
