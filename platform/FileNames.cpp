#include "platform/FileNames.h"

#include <QFileInfo>

namespace platform {

bool isUnrepresentablePath(const QString &path)
{
    return path.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(path);
}

} // namespace platform
