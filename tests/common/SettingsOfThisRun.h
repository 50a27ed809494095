#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

// Settings of this run's own, made as the application starts: on Windows
// they would be the registry, which the tests running beside this one share.
inline void useSettingsOfThisRun()
{
    static QTemporaryDir folder;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}
Q_COREAPP_STARTUP_FUNCTION(useSettingsOfThisRun)
