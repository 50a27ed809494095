#include "app/CommandLine.h"

#include <QFileInfo>

#include "platform/FileNames.h"

QString quizFileFromArguments(const QStringList &arguments)
{
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.startsWith(QLatin1Char('-')))
            continue;
        const QFileInfo file(argument);
        if (file.suffix().compare(QLatin1String("qcm"), Qt::CaseInsensitive) != 0)
            continue;
        // A quiz whose name the program cannot read is still taken, so that
        // the pupil is told why it does not open.
        if (file.isFile() || platform::isUnrepresentablePath(argument))
            return file.absoluteFilePath();
    }
    return QString();
}
