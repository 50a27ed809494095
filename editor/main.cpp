#include <QApplication>
#include <QIcon>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "editor/FormEditeur.h"
#include "platform/Settings.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(platform::ProgramName);
    QApplication::setApplicationVersion(QStringLiteral(TAVELOR_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tavelor-editeur"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/tavelor_48.png")));
    installFrench(app);
    editor::FormEditeur window;
    window.show();
    const QString quizFile = quizFileFromArguments(QApplication::arguments());
    if (!quizFile.isEmpty())
        window.openQuiz(quizFile);
    return app.exec();
}
