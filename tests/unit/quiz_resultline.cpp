#include <QTest>

#include "quiz/ResultLine.h"

using qcm::QuizResult;

namespace {

QuizResult sample()
{
    QuizResult r;
    r.finished = QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9));
    r.pupil = QStringLiteral("Zoé Lefèvre");
    r.subject = QStringLiteral("Géographie");
    r.title = QStringLiteral("Les fleuves d'Europe");
    r.exam = true;
    r.questions = 20;
    r.right = 17;
    r.percentage = 85;
    r.seconds = 3 * 3600 + 4 * 60 + 5;
    r.fingerprint = QStringLiteral("0123456789abcdef");
    r.answers = {{3, 1 | 4, true}, {1, 0, false}, {12, 31, false}};
    return r;
}

} // namespace

class ResultLineTest : public QObject
{
    Q_OBJECT

private slots:
    void lineReadsAsASpreadsheetRow()
    {
        QCOMPARE(qcm::resultLine(sample()),
                 QStringLiteral("2026-12-08T14:05:09;Zoé Lefèvre;Géographie;Les fleuves d'Europe;examen;20;17;85;3:04:05;"
                                "0123456789abcdef;3:13:J 1:-:F 12:12345:F"));
        QVERIFY(qcm::resultsFileStart().startsWith("\xEF\xBB\xBF"));
        QVERIFY(qcm::resultsFileStart().endsWith("\r\n"));
        QCOMPARE(qcm::resultsHeader().count(QLatin1Char(';')), qcm::resultLine(sample()).count(QLatin1Char(';')));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("pupil");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("exam");
        QTest::newRow("accents") << QStringLiteral("Anaïs Œuvray") << QStringLiteral("Ça se passe à l'été") << true;
        QTest::newRow("no name, training") << QString() << QStringLiteral("Fractions") << false;
        QTest::newRow("separator in title") << QStringLiteral("Léo") << QStringLiteral("Vrai; faux") << true;
        QTest::newRow("quotes in name") << QStringLiteral("Jean \"Jeannot\" Roux") << QStringLiteral("\"A\"") << false;
    }

    void roundTrip()
    {
        QFETCH(QString, pupil);
        QFETCH(QString, title);
        QFETCH(bool, exam);
        QuizResult written = sample();
        written.pupil = pupil;
        written.title = title;
        written.exam = exam;
        QuizResult read;
        QString reason;
        QVERIFY2(qcm::parseResultLine(qcm::resultLine(written), read, reason), qPrintable(reason));
        QCOMPARE(read.finished, written.finished);
        QCOMPARE(read.pupil, pupil);
        QCOMPARE(read.title, title);
        QCOMPARE(read.subject, written.subject);
        QCOMPARE(read.exam, exam);
        QCOMPARE(read.questions, 20);
        QCOMPARE(read.right, 17);
        QCOMPARE(read.percentage, 85);
        QCOMPARE(read.seconds, written.seconds);
        QCOMPARE(read.fingerprint, written.fingerprint);
        QCOMPARE(read.answers, written.answers);
    }

    void linesWrittenBeforeTheAnswersWereKeptStillRead()
    {
        QuizResult read;
        QString reason;
        QVERIFY(qcm::parseResultLine(QStringLiteral("2026-12-08T14:05:09;Zoé;G;T;examen;20;17;85;0:01:00"), read, reason));
        QVERIFY(reason.isEmpty());
        QCOMPARE(read.right, 17);
        QVERIFY(read.fingerprint.isEmpty() && read.answers.empty());
        QVERIFY(qcm::isResultsHeader(QStringLiteral("Date;Élève;Matière;QCM;Mode;Questions;Bonnes réponses;Pourcentage;Durée")));
        QVERIFY(qcm::isResultsHeader(qcm::resultsHeader()));
    }

    void damagedAnswersLeaveTheScore_data()
    {
        QTest::addColumn<QString>("fingerprint");
        QTest::addColumn<QString>("answers");
        QTest::newRow("short fingerprint") << QStringLiteral("0123") << QStringLiteral("1:1:J");
        QTest::newRow("upper-case fingerprint") << QStringLiteral("0123456789ABCDEF") << QStringLiteral("1:1:J");
        QTest::newRow("proposition 6") << QStringLiteral("0123456789abcdef") << QStringLiteral("1:16:J");
        QTest::newRow("propositions out of order") << QStringLiteral("0123456789abcdef") << QStringLiteral("1:21:J");
        QTest::newRow("question 0") << QStringLiteral("0123456789abcdef") << QStringLiteral("0:1:J");
        QTest::newRow("unknown verdict") << QStringLiteral("0123456789abcdef") << QStringLiteral("1:1:X");
        QTest::newRow("nothing ticked written empty") << QStringLiteral("0123456789abcdef") << QStringLiteral("1::F");
        QTest::newRow("cut in an answer") << QStringLiteral("0123456789abcdef") << QStringLiteral("1:1:J 2:");
    }

    void damagedAnswersLeaveTheScore()
    {
        QFETCH(QString, fingerprint);
        QFETCH(QString, answers);
        const QString line = QStringLiteral("2026-12-08T14:05:09;Zoé;G;T;examen;2;1;50;0:01:00;%1;%2").arg(fingerprint, answers);
        QuizResult read;
        QString reason;
        QVERIFY(qcm::parseResultLine(line, read, reason));
        QVERIFY(!reason.isEmpty());
        QCOMPARE(read.percentage, 50);
        QVERIFY(read.fingerprint.isEmpty() && read.answers.empty());
    }

    void lineBreakInATitleStaysOnOneLine()
    {
        QuizResult r = sample();
        r.title = QStringLiteral("Deux\nlignes");
        QVERIFY(!qcm::resultLine(r).contains(QLatin1Char('\n')));
    }

    void damagedLinesAreRefused_data()
    {
        QTest::addColumn<QString>("line");
        const QString good = qcm::resultLine(sample());
        QTest::newRow("cut short") << good.left(good.size() / 2);
        QTest::newRow("open quote") << QStringLiteral("2026-12-08T14:05:09;\"Zoé;G;T;examen;20;17;85;0:01:00");
        QTest::newRow("extra field") << good + QStringLiteral(";x");
        QTest::newRow("bad date") << QString(good).replace(0, 4, QStringLiteral("20x6"));
        QTest::newRow("unknown mode") << QString(good).replace(QStringLiteral("examen"), QStringLiteral("test"));
        QTest::newRow("more right than asked")
            << QStringLiteral("2026-12-08T14:05:09;Z;G;T;examen;10;11;85;0:01:00");
        QTest::newRow("percent above 100") << QStringLiteral("2026-12-08T14:05:09;Z;G;T;examen;10;10;101;0:01:00");
        QTest::newRow("negative count") << QStringLiteral("2026-12-08T14:05:09;Z;G;T;examen;-1;0;0;0:01:00");
        QTest::newRow("bad duration") << QStringLiteral("2026-12-08T14:05:09;Z;G;T;examen;10;5;50;0:61:00");
        QTest::newRow("two lines glued") << good + good;
        QTest::newRow("empty") << QString();
    }

    void damagedLinesAreRefused()
    {
        QFETCH(QString, line);
        QuizResult read = sample();
        read.pupil = QStringLiteral("unchanged");
        QString reason;
        QVERIFY(!qcm::parseResultLine(line, read, reason));
        QVERIFY(!reason.isEmpty());
        QCOMPARE(read.pupil, QStringLiteral("unchanged"));
    }

    void durationsAreNotWrappedAtADay()
    {
        QCOMPARE(qcm::durationText(0), QStringLiteral("0:00:00"));
        QCOMPARE(qcm::durationText(59), QStringLiteral("0:00:59"));
        QCOMPARE(qcm::durationText(25 * 3600 + 61), QStringLiteral("25:01:01"));
        QCOMPARE(qcm::durationText(-5), QStringLiteral("0:00:00"));
    }
};

QTEST_GUILESS_MAIN(ResultLineTest)
#include "quiz_resultline.moc"
