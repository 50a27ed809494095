#include "app/CommandLine.h"

#include <QFileInfo>

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
        if (file.isFile() && file.suffix().compare(QLatin1String("qcm"), Qt::CaseInsensitive) == 0)
            return file.absoluteFilePath();
    }
    return QString();
}
