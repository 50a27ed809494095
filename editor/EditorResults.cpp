// The class's results beside the questions they judge, and the class report.
#include "editor/FormEditeur.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include "editor/ClassResults.h"
#include "editor/QuestionListDelegate.h"
#include "platform/Desktop.h"
#include "quiz/authoring/ClassReport.h"
#include "ui_FormEditeur.h"

using qcm::authoring::QuizStats;

namespace editor {

void FormEditeur::setUpClassResults()
{
    ui->questionList->setItemDelegate(new QuestionListDelegate(ui->questionList));
    resultsStatus = new QLabel(this);
    resultsStatus->setObjectName(QStringLiteral("classResultsStatus"));
    statusBar()->addPermanentWidget(resultsStatus);
}

void FormEditeur::lookForClassResults()
{
    // Read on this thread: a year of a school's logs takes about 30 ms, and a
    // reading thread still ending as the program exits can hang Windows' exit.
    listModel.followFile();
    showClassResults(classResultsOf(quiz.path()));
}

void FormEditeur::showClassResults(std::optional<QuizStats> results)
{
    listModel.showResults(std::move(results));
    const std::optional<QuizStats> &shown = listModel.results();
    const QString why = shown ? QStringLiteral("Écrit en PDF le rapport de la classe pour cette version du QCM.")
        : quiz.path().isEmpty()
        ? QStringLiteral("Enregistrez d'abord le QCM : les résultats de la classe sont ceux de son fichier.")
        : QStringLiteral("La classe n'a aucun résultat pour cette version du QCM.");
    reportAction->setEnabled(shown.has_value());
    reportAction->setToolTip(why);
    reportAction->setStatusTip(why);
    resultsStatus->setVisible(shown.has_value());
    if (shown)
        resultsStatus->setText(QStringLiteral("Résultats de %1 pour cette version du QCM")
                                   .arg(pupilCount(int(shown->attempts.size()))));
}

void FormEditeur::chooseClassReport()
{
    if (!listModel.results())
        return;
    const QDir logs(QDir(quizFolderWithLogs(quiz.path())).filePath(QStringLiteral("Résultats")));
    const QString suggested =
        logs.filePath(QStringLiteral("Rapport de la classe - %1.pdf").arg(QFileInfo(quiz.path()).completeBaseName()));
    QString path = platform::chooseFileToSave(this, QStringLiteral("Enregistrer le rapport de la classe"), suggested,
        QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".pdf");
    if (saveClassReport(path))
        platform::openWithShell(path);
}

bool FormEditeur::saveClassReport(const QString &pdfPath)
{
    if (!listModel.results())
        return false;
    const QString error = qcm::authoring::writeClassReport({*listModel.results()}, pdfPath, false);
    if (!error.isEmpty()) {
        tell(QMessageBox::Warning, error);
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Rapport de la classe écrit : %1").arg(QDir::toNativeSeparators(pdfPath)),
        5000);
    return true;
}

} // namespace editor
