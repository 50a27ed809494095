#include "platform/Console.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace platform {

Utf8Console::Utf8Console()
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    m_previousCodePage = GetConsoleOutputCP();
    if (m_previousCodePage != 0)
        SetConsoleOutputCP(CP_UTF8);
#endif
}

Utf8Console::~Utf8Console()
{
#ifdef Q_OS_WIN
    if (m_previousCodePage != 0)
        SetConsoleOutputCP(m_previousCodePage);
#endif
}

} // namespace platform
