#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "editor/FormEditeur.h"
#include "editor_fixture.h"
#include "platform/Folders.h"
#include "quiz/QuizFile.h"
#include "quiz/ResultLine.h"

using namespace editor;
using qcm::Field;

namespace {

// Three questions whose right propositions are 1, 2 and 3.
bool writeQuiz(const QString &path, const QString &firstQuestion = QStringLiteral("Quelle fraction est coloriée ?"))
{
    const QStringList texts = {firstQuestion, QStringLiteral("Combien font 2 + 2 ?"),
        QStringLiteral("Quelle est la moitié de 8 ?")};
    const QStringList propositions[] = {{QStringLiteral("3/8"), QStringLiteral("3/5"), QStringLiteral("5/8")},
        {QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")},
        {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}};
    const QString keys[] = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4")};
    QuizDocument quiz;
    for (int i = 0; i < 3; ++i) {
        EditedQuestion question = EditedQuestion::blank();
        question.text(Field::QuestionText) = texts[i];
        for (int p = 0; p < 3; ++p)
            question.text(qcm::answerField(p + 1)) = propositions[i][p];
        question.text(Field::AnswerKey) = keys[i];
        quiz.doInsert(i, question);
    }
    QString error;
    return QDir().mkpath(QFileInfo(path).absolutePath()) && quiz.save(path, false, &error);
}

qcm::QuizResult attempt(const QString &pupil, int minute, const QString &fingerprint,
    std::vector<qcm::AnsweredQuestion> answers)
{
    qcm::QuizResult result;
    result.finished = QDateTime(QDate(2025, 3, 10), QTime(9, minute));
    result.pupil = pupil;
    result.subject = QStringLiteral("Mathématiques");
    result.title = QStringLiteral("Fractions");
    result.questions = 3;
    result.right = int(std::count_if(answers.begin(), answers.end(), [](const auto &a) { return a.right; }));
    result.percentage = qRound(result.right * 100.0 / 3);
    result.seconds = 90;
    result.fingerprint = fingerprint;
    result.answers = std::move(answers);
    return result;
}

// Ten pupils on this version: question 1 is 40 % right with its wrong
// proposition 2 ticked more than the right one; questions 2 and 3 are 70 %
// right, the last pupil leaving question 3 blank. One more pupil played
// another version, all right.
bool writeLog(const QString &path, const QString &fingerprint)
{
    QByteArray bytes = qcm::resultsFileStart();
    for (int i = 0; i < 10; ++i) {
        const int third = i < 7 ? 4 : i < 9 ? 1 : 0;
        bytes += qcm::resultLine(attempt(QStringLiteral("Élève %1").arg(i + 1), i, fingerprint,
                                     {{1, i < 4 ? 1 : 2, i < 4}, {2, i < 7 ? 2 : 1, i < 7}, {3, third, i < 7}}))
                     .toUtf8()
            + "\r\n";
    }
    bytes += qcm::resultLine(attempt(QStringLiteral("Zoé"), 30, QStringLiteral("00000000deadbeef"),
                                 {{1, 1, true}, {2, 2, true}, {3, 4, true}}))
                 .toUtf8()
        + "\r\n";
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly)
        && file.write(bytes) == bytes.size();
}

QString badge(FormEditeur &w, int row)
{
    const QAbstractItemModel *model = w.findChild<QListView *>(QStringLiteral("questionList"))->model();
    return model->index(row, 0).data(QuestionListModel::BadgeRole).toString();
}

QString listData(FormEditeur &w, int row, int role)
{
    const QAbstractItemModel *model = w.findChild<QListView *>(QStringLiteral("questionList"))->model();
    return model->index(row, 0).data(role).toString();
}

QAction *reportAction(FormEditeur &w)
{
    return w.findChild<QAction *>(QStringLiteral("actionClassReport"));
}

QLabel *resultsStatus(FormEditeur &w)
{
    return w.findChild<QLabel *>(QStringLiteral("classResultsStatus"));
}

} // namespace

// The class's results of the version on disk, beside the questions the
// teacher rewrites, and the class report.
class EditorClassResultsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
#ifndef Q_OS_WIN
        // The usual quiz folder is made in this home, not in the real one.
        qputenv("HOME", QFile::encodeName(m_home.path()));
#endif
    }

    void cleanup()
    {
#ifndef Q_OS_WIN
        QDir(platform::quizFolder()).removeRecursively();
#endif
    }

    void resultsOfThisVersionFollowTheirQuestionsUntilASave_data()
    {
        QTest::addColumn<QString>("quizFile");
        QTest::addColumn<QString>("logsFolder");
        QTest::newRow("logs at the top of the quiz's folders")
            << QStringLiteral("Classe/Mathématiques/Fractions/fractions.qcm") << QStringLiteral("Classe/Résultats");
#ifndef Q_OS_WIN // there the usual quiz folder is the machine's own
        QTest::newRow("quiz kept elsewhere, logs of the usual quiz folder")
            << QStringLiteral("Clé/fractions.qcm") << QString();
#endif
    }

    void resultsOfThisVersionFollowTheirQuestionsUntilASave()
    {
        QFETCH(QString, quizFile);
        QFETCH(QString, logsFolder);
        QTemporaryDir dir;
        const QString quiz = dir.filePath(quizFile);
        const QString logs = logsFolder.isEmpty() ? platform::quizFolder() + QStringLiteral("/Résultats")
                                                  : dir.filePath(logsFolder);
        QVERIFY(writeQuiz(quiz));
        QVERIFY(writeLog(logs + QStringLiteral("/poste.csv"), qcm::fingerprintOfQuizFile(quiz)));
        FormEditeur w;
        w.show();
        QVERIFY(w.openQuiz(quiz));

        QCOMPARE(badge(w, 0), QStringLiteral("40 % · à vérifier"));
        QCOMPARE(badge(w, 1), QStringLiteral("70 %"));
        QCOMPARE(badge(w, 2), QStringLiteral("70 %"));
        QCOMPARE(resultsStatus(w)->text(), QStringLiteral("Résultats de 10 élèves pour cette version du QCM"));
        QVERIFY(resultsStatus(w)->isVisible());
        QVERIFY(reportAction(w)->isEnabled());
        // The list's own label is left as it was; the results come beside it.
        QCOMPARE(listData(w, 0, Qt::DisplayRole), QStringLiteral("1. Quelle fraction est coloriée ?"));
        QCOMPARE(listData(w, 0, Qt::AccessibleTextRole),
                 QStringLiteral("1. Quelle fraction est coloriée ? — 40 % juste · à vérifier"));
        const QString first = listData(w, 0, Qt::ToolTipRole);
        for (const QString &line : {QStringLiteral("Quelle fraction est coloriée ?\n\n"),
                 QStringLiteral("Réussite : 40 % (10 élèves) · à vérifier"),
                 QStringLiteral("Proposition 1 ✓ « 3/8 » : 4 élèves"), QStringLiteral("Proposition 2 « 3/5 » : 6 élèves"),
                 QStringLiteral("Proposition 3 « 5/8 » : 0 élève"), QStringLiteral("Sans réponse : 0 élève"),
                 QStringLiteral("Discrimination : ")})
            QVERIFY2(first.contains(line), qPrintable(first));
        QVERIFY2(first.contains(QRegularExpression(QStringLiteral("Discrimination : -?\\d+ %"))), qPrintable(first));
        QVERIFY2(!first.contains(QStringLiteral("Proposition 4")), qPrintable(first));
        const QString third = listData(w, 2, Qt::ToolTipRole);
        QVERIFY2(third.contains(QStringLiteral("Proposition 3 ✓ « 4 » : 7 élèves")), qPrintable(third));
        QVERIFY2(third.contains(QStringLiteral("Sans réponse : 1 élève")), qPrintable(third));

        // The results go with their question when it moves, and a new question has none.
        w.selectQuestion(0);
        w.moveQuestion(1);
        QCOMPARE(badge(w, 0), QStringLiteral("70 %"));
        QCOMPARE(badge(w, 1), QStringLiteral("40 % · à vérifier"));
        QVERIFY(w.addQuestion());
        QCOMPARE(badge(w, 2), QString());
        QCOMPARE(badge(w, 3), QStringLiteral("70 %"));
        w.document().undoStack()->undo();
        w.document().undoStack()->undo();
        QCOMPARE(badge(w, 0), QStringLiteral("40 % · à vérifier"));

        // Saved, the quiz is another version: no results of its own.
        w.document().setText(0, Field::QuestionText, QStringLiteral("Quelle part est coloriée ?"));
        QVERIFY(w.save());
        for (int row = 0; row < 3; ++row)
            QCOMPARE(badge(w, row), QString());
        QVERIFY(!reportAction(w)->isEnabled());
        QVERIFY(!resultsStatus(w)->isVisible());

        // Back to the version the class played, its results are back.
        w.document().undoStack()->undo();
        QVERIFY(w.save());
        QCOMPARE(badge(w, 0), QStringLiteral("40 % · à vérifier"));
        QVERIFY(reportAction(w)->isEnabled());
    }

    void classReportIsSuggestedAmongTheLogsAndWritten()
    {
        QTemporaryDir dir;
        const QString quiz = dir.filePath(QStringLiteral("Classe/Fractions/fractions.qcm"));
        QVERIFY(writeQuiz(quiz));
        QVERIFY(writeLog(dir.filePath(QStringLiteral("Classe/Résultats/poste.csv")), qcm::fingerprintOfQuizFile(quiz)));
        FormEditeur w;
        w.show();
        QVERIFY(w.openQuiz(quiz));
        QVERIFY(reportAction(w)->isEnabled());

#ifndef Q_OS_WIN // Windows' own save dialog cannot be driven from a test
        QStringList suggested;
        QTimer::singleShot(0, this, [&suggested] {
            QTRY_VERIFY(qobject_cast<QFileDialog *>(QApplication::activeModalWidget()));
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            suggested = dialog->selectedFiles();
            dialog->reject();
        });
        reportAction(w)->trigger();
        QCOMPARE(suggested,
                 QStringList{dir.filePath(QStringLiteral("Classe/Résultats/Rapport de la classe - fractions.pdf"))});
#endif

        const QString pdf = dir.filePath(QStringLiteral("rapport.pdf"));
        QVERIFY(w.saveClassReport(pdf));
        QFile written(pdf);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.read(5) == "%PDF-");
    }

    void quizWithoutResultsOfItsOwnShowsNone()
    {
        FormEditeur w;
        w.show();
        QVERIFY(!reportAction(w)->isEnabled());
        QVERIFY2(reportAction(w)->toolTip().contains(QStringLiteral("Enregistrez d'abord le QCM")),
                 qPrintable(reportAction(w)->toolTip()));

        // The log holds only the lines of another version of this quiz.
        QTemporaryDir dir;
        const QString before = dir.filePath(QStringLiteral("avant.qcm"));
        const QString quiz = dir.filePath(QStringLiteral("Classe/fractions.qcm"));
        QVERIFY(writeQuiz(before, QStringLiteral("Quelle part est coloriée ?")));
        QVERIFY(writeQuiz(quiz));
        QVERIFY(writeLog(dir.filePath(QStringLiteral("Classe/Résultats/poste.csv")), qcm::fingerprintOfQuizFile(before)));
        QVERIFY(w.openQuiz(quiz));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(badge(w, row), QString());
        QCOMPARE(listData(w, 0, Qt::ToolTipRole), QStringLiteral("Quelle fraction est coloriée ?"));
        QVERIFY(!reportAction(w)->isEnabled());
        QCOMPARE(reportAction(w)->toolTip(), QStringLiteral("La classe n'a aucun résultat pour cette version du QCM."));
        QVERIFY(!resultsStatus(w)->isVisible());
    }
};

QTEST_MAIN(EditorClassResultsTest)
#include "editor_class_results.moc"
