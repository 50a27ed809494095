#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

QString programDriveOf(const QString &programPath)
{
    if (programPath.size() >= 2 && programPath.at(1) == QLatin1Char(':'))
        return programPath.left(2);
    if (programPath.startsWith(QLatin1String("\\\\"))) {
        const qsizetype serverEnd = programPath.indexOf(QLatin1Char('\\'), 2);
        if (serverEnd < 0)
            return programPath;
        const qsizetype shareEnd = programPath.indexOf(QLatin1Char('\\'), serverEnd + 1);
        return shareEnd < 0 ? programPath : programPath.left(shareEnd);
    }
    return QString();
}

QString programDrive()
{
    // Qt gives slashes; the drive rule reads the system's own separators.
    return programDriveOf(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
}

QString quizFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\QCM");
#else
    return QDir::homePath() + QStringLiteral("/QCM");
#endif
}

QString dialogInitialFolder(const QString &programDrive)
{
#ifdef Q_OS_WIN
    return programDrive + QStringLiteral("\\QCM");
#else
    Q_UNUSED(programDrive);
    return quizFolder();
#endif
}

bool createQuizFolder()
{
    return QDir().mkdir(quizFolder());
}

QString examplesFolderFor(const QString &programFolder)
{
    const QDir program(programFolder);
    const QString candidates[] = {
        program.filePath(QStringLiteral("examples/QCM")),
        program.filePath(QStringLiteral("Exemples")),
        program.filePath(QStringLiteral(TAVELOR_DATA_FROM_PROGRAM "/tavelor/Exemples")),
        QStringLiteral(TAVELOR_DATADIR "/tavelor/Exemples"),
    };
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return QString();
}

QString siblingProgram(const QString &name)
{
    QString program = QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
#ifdef Q_OS_WIN
    program += QStringLiteral(".exe");
#endif
    return program;
}

QString examplesFolder()
{
    return examplesFolderFor(QCoreApplication::applicationDirPath());
}

} // namespace platform
