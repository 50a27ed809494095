#include "platform/Settings.h"

namespace platform {

QSettings programSettings()
{
    return QSettings(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("Tavelor"),
                     QStringLiteral("Tavelor"));
}

} // namespace platform
