#include <QDirIterator>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include "ui_FenetreMessage.h"
#include "ui_FormQCM.h"

#include "engine/ResultSheet.h"
#include "main_window_harness.h"
#include "platform/Folders.h"
#include "platform/ResultsLogFile.h"

namespace {

// Answers the modal windows as they come up: the name box gets `name` (or is
// cancelled when it is null), the print dialog prints to `pdf`, messages are
// acknowledged and kept.
class Answerer : public QObject
{
public:
    Answerer()
    {
        connect(&m_timer, &QTimer::timeout, this, &Answerer::poll);
        m_timer.start(5);
    }

    QString name;
    QString pdf;
    int nameBoxes = 0;
    int printDialogs = 0;
    QString suggested;
    QStringList messages;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto *box = qobject_cast<QInputDialog *>(modal)) {
            ++nameBoxes;
            QCOMPARE(box->labelText(), QStringLiteral("Nom de l'élève :"));
            if (name.isNull())
                return box->reject();
            box->setTextValue(name);
            box->accept();
        } else if (auto *dialog = qobject_cast<QPrintDialog *>(modal)) {
            ++printDialogs;
            if (pdf.isEmpty())
                return dialog->reject();
            // Without a printer, a PDF is offered, named after the quiz.
            auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
            QVERIFY(fileName);
            suggested = fileName->text();
            fileName->setText(pdf);
            dialog->accept();
        } else if (auto *save = qobject_cast<QFileDialog *>(modal)) {
            // Windows with no printer: the PDF is saved where the pupil says.
            ++printDialogs;
            if (pdf.isEmpty())
                return save->reject();
            suggested = QDir::fromNativeSeparators(save->selectedFiles().value(0));
            save->selectFile(pdf);
            static_cast<QDialog *>(save)->accept();
        } else if (auto *message = qobject_cast<QMessageBox *>(modal)) {
            messages << message->text();
            message->accept();
        }
    }

    QTimer m_timer;
};

QStringList logLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

void finishQuiz(QuizHarness &h, int questions, int rightOnes)
{
    h.start();
    for (int k = 1; k <= questions; ++k)
        h.answer({k <= rightOnes ? 1 : 2});
    QCOMPARE(h.ui().DRLabel1->caption(), QStringLiteral("QCM terminé !"));
}

// What a PDF reader shows as text, blanks left out so that line breaks of
// the layout do not matter.
QString pdfText(const QString &pdf, int *pages)
{
    QProcess tool;
    // -layout keeps a line ending in '-' whole instead of joining it to the next.
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return QString();
    const QString text = QString::fromUtf8(tool.readAllStandardOutput());
    *pages = int(text.count(QLatin1Char('\f')));
    return QString(text).remove(QRegularExpression(QStringLiteral("\\s")));
}

QString squeezed(const QString &line)
{
    return QString(line).remove(QRegularExpression(QStringLiteral("\\s")));
}

} // namespace

class FormQcmResultsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        // The quiz folder and the remembered setting go to a home of our own.
        qputenv("HOME", m_home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral(".config")).toLocal8Bit());
        setUpApplication(*qApp);
    }

    void newButtonsSitInTheirToolBars()
    {
        QuizHarness h;
        Ui::FormQCM &ui = h.ui();
        QVERIFY(ui.ToolBar1->isHidden() && ui.ToolBar2->isHidden() && ui.ToolBar3->isHidden());
        QCOMPARE(ui.ToolBar1->geometry(), QRect(112, 68, 112, 33));
        QCOMPARE(ui.ToolBar2->geometry(), QRect(112, 68, 158, 33));
        QCOMPARE(ui.ToolBar3->geometry(), QRect(112, 68, 89, 33));
        QCOMPARE(ui.ToolButton11->geometry(), QRect(46, 2, 23, 25));
        QCOMPARE(ui.ToolButton14->geometry(), QRect(46, 2, 23, 25));
        QCOMPARE(ui.ToolButton15->geometry(), QRect(69, 2, 23, 25));
        QCOMPARE(ui.ToolButton16->geometry(), QRect(92, 2, 23, 25));
        QCOMPARE(ui.ToolButton12->x(), 69);
        QCOMPARE(ui.ToolButton7->x(), 115);
        QCOMPARE(ui.ToolButton13->x(), 88);
        QCOMPARE(ui.ToolButton8->x(), 134);
        QCOMPARE(ui.ToolButton11->toolTip(), QStringLiteral("Imprimer les résultats du QCM."));
        QCOMPARE(ui.ToolButton14->toolTip(), QStringLiteral("Garder un journal des résultats."));
        QCOMPARE(ui.ToolButton11->accessibleName(), ui.ToolButton11->toolTip());

        // A bar's pictures are read when it is first shown, not at start-up.
        QVERIFY(ui.ToolButton11->icon().isNull());
        h.form().EzRgnBtn7Click();
        QVERIFY(!ui.ToolButton11->icon().isNull());
        QVERIFY(ui.ToolButton14->icon().isNull());
        h.form().EzRgnBtn8Click();
        const QIcon log = ui.ToolButton14->icon();
        QVERIFY(ui.ToolButton14->isCheckable());
        QVERIFY(log.pixmap(16, QIcon::Normal, QIcon::On).toImage()
                != log.pixmap(16, QIcon::Normal, QIcon::Off).toImage());
        QVERIFY(!ui.ToolButton14->isChecked());
    }

    void printIsOfferedOnlyWithASummary()
    {
        QuizHarness h;
        Answerer answerer;
        Ui::FormQCM &ui = h.ui();
        QVERIFY(!ui.ToolButton11->isEnabled());
        h.load(simpleQuiz(2));
        QVERIFY(!ui.ToolButton11->isEnabled());
        // Ctrl+P is no use without results.
        QTest::keyClick(&h.form(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(answerer.nameBoxes, 0);

        h.start();
        QVERIFY(!ui.ToolButton11->isEnabled());
        h.answer({1});
        h.answer({2});
        QVERIFY(ui.ToolButton11->isEnabled());

        // Cancelling the name cancels the printing; the tool bar closes as with every command.
        answerer.name = QString();
        h.form().EzRgnBtn7Click();
        QTest::mouseClick(ui.ToolButton11, Qt::LeftButton);
        QVERIFY(ui.ToolBar1->isHidden());
        QCOMPARE(answerer.nameBoxes, 1);
        QCOMPARE(answerer.printDialogs, 0);
        QTest::keyClick(&h.form(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(answerer.nameBoxes, 2);

        h.form().ReloadQuiz();
        QVERIFY(!ui.ToolButton11->isEnabled());
    }

    void printedResultsHoldTheSummaryAndEveryReviewLine()
    {
        QuizHarness h;
        Answerer answerer;
        h.load(simpleQuiz(100), QStringLiteral("Cent questions"));
        finishQuiz(h, 100, 30);
        h.click(h.ui().EzRgnBtn15);

        answerer.name = QStringLiteral("Zoé Lefèvre");
        answerer.pdf = h.dir.filePath(QStringLiteral("résultats.pdf"));
        h.form().ToolButton11Click();
        QCOMPARE(answerer.printDialogs, 1);
        QVERIFY2(answerer.suggested.endsWith(QStringLiteral("/Résultats - Cent questions.pdf")),
                 qPrintable(answerer.suggested));
        QTRY_VERIFY(QFileInfo(answerer.pdf).size() > 0);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF is not read back");

        int pages = 0;
        const QString text = pdfText(answerer.pdf, &pages);
        QVERIFY(pages >= 10);
        QVERIFY(text.contains(squeezed(QStringLiteral("Page %1 / %1").arg(pages))));
        QStringList expected = {QStringLiteral("Résultats du QCM"), QStringLiteral("Élève : Zoé Lefèvre"),
                                QStringLiteral("QCM : Cent questions"),
                                QStringLiteral("Vous avez répondu correctement à 30 questions."),
                                QStringLiteral("Pourcentage de réussite : 30 %"),
                                QStringLiteral("Reportez-vous à la correction : cliquez sur BILAN.")};
        expected += h.memo7Lines();
        qsizetype at = 0;
        for (const QString &line : std::as_const(expected)) {
            const qsizetype found = text.indexOf(squeezed(line), at);
            QVERIFY2(found >= 0, qPrintable(QStringLiteral("missing or out of order: ") + line));
            at = found + squeezed(line).size();
        }
        QVERIFY(text.contains(squeezed(QStringLiteral("Question N° 100"))));

        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {answerer.pdf});
        QVERIFY(info.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(QStringLiteral("(A4)")));
    }

    void sheetLeavesRoomForANameNotGiven()
    {
        ResultSheet sheet;
        sheet.result.title = QStringLiteral("Essai");
        const QString text = resultDocument(sheet)->toPlainText();
        QVERIFY(text.contains(QStringLiteral("Élève : ....")));
    }

    void logOffWritesNothing()
    {
        const QStringList before = filesUnder(m_home.path());
        {
            QuizHarness h;
            Answerer answerer;
            h.load(simpleQuiz(2));
            finishQuiz(h, 2, 1);
            QCOMPARE(answerer.nameBoxes, 0);
        }
        QCOMPARE(filesUnder(m_home.path()), before);
    }

    void logOnAsksTheNameOnceAndKeepsALinePerQuiz()
    {
        // On Windows the log of the fixed C:\QCM, which may hold lines already.
        const QString log = platform::resultsLogPath(platform::quizFolder());
        const qsizetype linesBefore = logLines(log).size();
        QString subject;
        QString fingerprint;
        {
            QuizHarness h;
            Answerer answerer;
            answerer.name = QStringLiteral("  Zoé   Lefèvre ");
            h.form().EzRgnBtn8Click();
            QTest::mouseClick(h.ui().ToolButton14, Qt::LeftButton);
            QVERIFY(h.ui().ToolBar2->isHidden());
            QVERIFY(platform::resultsLogWanted());

            h.load(simpleQuiz(4), QStringLiteral("Électricité"));
            subject = QFileInfo(h.folder()).dir().dirName();
            fingerprint = qcm::fingerprintOfQuizFile(h.form().State.QuizFileName);
            finishQuiz(h, 4, 2);
            QCOMPARE(answerer.nameBoxes, 1);
            h.form().ReloadQuiz();
            finishQuiz(h, 4, 4);
            // Exam settings confirmed: the next quiz comes in random order.
            h.form().EzRgnBtn10Click();
            h.form().ReloadQuiz();
            finishQuiz(h, 4, 0);
            QCOMPARE(answerer.nameBoxes, 1);
            QVERIFY(answerer.messages.isEmpty());
        }
        const QStringList lines = logLines(log);
        // Three results, after the column names of a new file.
        QCOMPARE(lines.size(), linesBefore + 3 + (linesBefore == 0 ? 1 : 0));
        const qsizetype added = lines.size() - 3;
        qcm::QuizResult first, second, third;
        QString reason;
        QVERIFY(qcm::parseResultLine(lines[added], first, reason));
        QVERIFY(qcm::parseResultLine(lines[added + 1], second, reason));
        QVERIFY(qcm::parseResultLine(lines[added + 2], third, reason));
        QCOMPARE(first.pupil, QStringLiteral("Zoé Lefèvre"));
        QCOMPARE(first.title, QStringLiteral("Électricité"));
        QCOMPARE(first.exam, false);
        QCOMPARE(first.questions, 4);
        QCOMPARE(first.right, 2);
        QCOMPARE(first.percentage, 50);
        QCOMPARE(second.right, 4);
        QCOMPARE(second.percentage, 100);
        QCOMPARE(second.exam, false);
        QCOMPARE(third.exam, true);
        QCOMPARE(third.percentage, 0);
        QCOMPARE(first.subject, subject);
        // Each question asked, in the order asked, with the boxes ticked.
        QCOMPARE(fingerprint.size(), 16);
        QCOMPARE(first.fingerprint, fingerprint);
        const std::vector<qcm::AnsweredQuestion> firstAnswers = {{1, 1, true}, {2, 1, true}, {3, 2, false}, {4, 2, false}};
        QCOMPARE(first.answers, firstAnswers);
        QList<int> asked;
        for (const qcm::AnsweredQuestion &a : third.answers) {
            asked << a.question;
            QCOMPARE(a.ticked, 2);
            QVERIFY(!a.right);
        }
        std::sort(asked.begin(), asked.end());
        QCOMPARE(asked, (QList<int>{1, 2, 3, 4}));
        QVERIFY(qAbs(first.finished.secsTo(QDateTime::currentDateTime())) < 600);

        // The choice outlives the program; turning it off is remembered too.
        QuizHarness again;
        QVERIFY(again.ui().ToolButton14->isChecked());
        again.form().EzRgnBtn8Click();
        QTest::mouseClick(again.ui().ToolButton14, Qt::LeftButton);
        QVERIFY(!platform::resultsLogWanted());
    }

    void qcmtoolCountsEachPupilsFirstAttemptPerQuestion()
    {
        // Unique to this run: the log of the fixed C:\QCM outlives it.
        const QString title = QStringLiteral("Statistiques %1").arg(QDateTime::currentMSecsSinceEpoch());
        QList<QuestionDraft> quiz = simpleQuiz(3);
        quiz[0].right = title;
        platform::setResultsLogWanted(true);
        // Ana's second attempt comes after her first and is left out.
        for (const auto &[pupil, rightOnes] : {std::pair{QStringLiteral("Ana"), 3}, {QStringLiteral("Bruno"), 1},
                                               {QStringLiteral("Ana"), 0}, {QStringLiteral("Chloé"), 0}}) {
            QuizHarness h;
            Answerer answerer;
            answerer.name = pupil;
            h.load(quiz, title);
            finishQuiz(h, 3, rightOnes);
        }
        platform::setResultsLogWanted(false);

        const QString logs = QFileInfo(platform::resultsLogPath(platform::quizFolder())).absolutePath();
        QProcess tool;
        tool.start(QStringLiteral(TAVELOR_QCMTOOL), {QStringLiteral("results"), logs, QStringLiteral("--questions")});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        const QString out = QString::fromUtf8(tool.readAllStandardOutput());
        // The quiz's own table comes after the score tables, which name it too.
        const QStringList lines = out.mid(out.lastIndexOf(QStringLiteral(" / ") + title)).split(QLatin1Char('\n'));
        // Ana 3 of 3, Bruno 1, Chloé 0; proposition 1 is the right one. Q1's
        // marks 1 1 0 against the rest 2 0 0 correlate at 0.5.
        QCOMPARE(lines.value(3), QStringLiteral("Tentatives : 3"));
        QCOMPARE(lines.value(4), QStringLiteral("Moyenne : 44 %   Médiane : 33 %   Minimum : 0 %   Maximum : 100 %"));
        QCOMPARE(squeezed(lines.value(8)), squeezed(QStringLiteral("1 67 % 2 1 0 0 0 0 50 %")));
        QCOMPARE(squeezed(lines.value(9)), squeezed(QStringLiteral("2 33 % 1 2 0 0 0 0 87 %")));
    }

    void logThatCannotBeWrittenIsReportedInFrench()
    {
#ifdef Q_OS_WIN
        QSKIP("the quiz folder is the computer's own C:\\QCM, which this test would replace");
#endif
        // A file where the results folder should be.
        const QString quizFolder = m_home.filePath(QStringLiteral("QCM"));
        QVERIFY(QDir(quizFolder).removeRecursively());
        QVERIFY(QDir().mkpath(quizFolder));
        QFile blocker(quizFolder + QStringLiteral("/Résultats"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        QuizHarness h;
        Answerer answerer;
        h.form().EzRgnBtn8Click();
        QTest::mouseClick(h.ui().ToolButton14, Qt::LeftButton);
        h.load(simpleQuiz(1));
        finishQuiz(h, 1, 1);
        QTRY_COMPARE(answerer.messages.size(), 1);
        QVERIFY(answerer.messages[0].startsWith(QStringLiteral("Le résultat n'a pas pu être ajouté au journal")));
        h.form().EzRgnBtn8Click();
        QTest::mouseClick(h.ui().ToolButton14, Qt::LeftButton);
    }
};

QTEST_MAIN(FormQcmResultsTest)
#include "formqcm_results.moc"
