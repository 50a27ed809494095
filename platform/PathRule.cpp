#include "platform/PathRule.h"

namespace platform {

PathRule nativePathRule()
{
#ifdef Q_OS_WIN
    return PathRule::Windows;
#else
    return PathRule::Posix;
#endif
}

bool isSeparator(QChar c, PathRule rule)
{
    return c == QLatin1Char('/') || (rule == PathRule::Windows && c == QLatin1Char('\\'));
}

} // namespace platform
