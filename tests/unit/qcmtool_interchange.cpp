#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <bit>

#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"
#include "quiz/Judging.h"
#include "quiz/authoring/Markup.h"
#include "quiz/authoring/QuizExport.h"
#include "quiz/authoring/QuizImport.h"
#include "quiz/authoring/QuizJson.h"

using namespace qcm;
using namespace qcm::authoring;

namespace {

ImportResult importText(const QByteArray &text, InterchangeFormat format, ImportOptions options = {})
{
    return importQuestions(readSource(format, text, Lang::French), QStringLiteral("source"), options);
}

QString field(const QuestionRecord &r, Field f) { return decodeField(r, f); }

std::vector<QuestionRecord> sample(const QString &relative)
{
    QFile file(QStringLiteral(TAVELOR_SOURCE_DIR "/examples/QCM/") + relative);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing sample");
    return quizFromJson(file.readAll(), relative, Lang::French).records;
}

// Every tick the source allows is judged by the player as the source grades it.
void verifyJudgedAsTheSourceMeant(const SourceQuiz &source, int &imported)
{
    ImportOptions options;
    options.replace = true;
    options.cut = true;
    for (const SourceQuestion &q : source.questions) {
        SourceQuiz one;
        one.questions = {q};
        const ImportResult result = importQuestions(one, QStringLiteral("x"), options);
        if (result.records.empty())
            continue;
        ++imported;
        const QString key = field(result.records[0], Field::AnswerKey);
        const QString rule = field(result.records[0], Field::ValidityRule);
        for (int ticked = 0; ticked < (1 << q.answers.size()); ++ticked) {
            if (q.single && std::popcount(unsigned(ticked)) > 1)
                continue;
            QVERIFY2(judgedRight(key, rule, ticked) == sourceGivesFullCredit(q, ticked),
                qPrintable(QStringLiteral("question %1, ticks %2").arg(q.number).arg(ticked)));
        }
    }
}

} // namespace

class QcmtoolInterchangeTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void htmlBecomesPlainText_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("text");
        QTest::newRow("tags and entities") << "<p>Le <b>c&oelig;ur</b>&nbsp;?</p>" << QString::fromUtf8("Le cœur ?");
        QTest::newRow("blanks collapse") << "  a \n\t b  " << "a b";
        QTest::newRow("paragraphs and breaks") << "<p>un</p><p>deux<br>trois</p>" << "un\r\ndeux\r\ntrois";
        QTest::newRow("numeric entities") << "&#233;t&#xE9; &lt;b&gt;" << QString::fromUtf8("été <b>");
        QTest::newRow("pictures and comments vanish") << "<p>Vois<!-- x --></p><p><img src=\"a.png\"></p>" << "Vois";
        QTest::newRow("unknown entity kept") << "&zz; &amp;" << "&zz; &";
    }
    void htmlBecomesPlainText()
    {
        QFETCH(QString, html);
        QFETCH(QString, text);
        QCOMPARE(htmlToText(html), text);
    }

    void plainTextSurvivesHtmlAndGift_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("markup characters") << "a < b & c > \"d\"";
        QTest::newRow("double and outer blanks") << " deux  blancs ";
        QTest::newRow("lines") << "un\r\n  deux"; // a final line break is not kept
        QTest::newRow("gift specials") << "{1 ; 2} = ~x # y: \\z";
    }
    void plainTextSurvivesHtmlAndGift()
    {
        QFETCH(QString, text);
        QCOMPARE(htmlToText(textToHtml(text)), text);
        QCOMPARE(giftUnescape(giftEscape(text)), text);
    }

    void giftWeightsBecomeKeysAndRules_data()
    {
        QTest::addColumn<QByteArray>("gift");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("rule");
        QTest::newRow("one right answer") << QByteArray("Q {~a =b ~c}") << "2" << "ET";
        QTest::newRow("several full answers: one is enough") << QByteArray("Q {=a ~b =c}") << "5" << "OU";
        QTest::newRow("shared weights: all are needed") << QByteArray("Q {~%50%a ~%-100%b ~%50%c}") << "5" << "ET";
        QTest::newRow("full weights with check boxes") << QByteArray("Q {~%100%a ~%100%b ~c}") << "3" << "OU";
        QTest::newRow("one full weight, no penalty") << QByteArray("Q {~%100%a ~b ~c}") << "1" << "OU";
        QTest::newRow("thirds") << QByteArray("Q {~%33.33333%a ~%33.33333%b ~%33.33333%c ~%-100%d}") << "7" << "ET";
        QTest::newRow("true") << QByteArray("Q {T}") << "1" << "ET";
        QTest::newRow("false") << QByteArray("Q {FALSE}") << "2" << "ET";
        QTest::newRow("partial credit that no key matches") << QByteArray("Q {~%50%a ~%30%b ~%20%c ~%-50%d}") << "7" << "ET";
    }
    void giftWeightsBecomeKeysAndRules()
    {
        QFETCH(QByteArray, gift);
        QFETCH(QString, key);
        QFETCH(QString, rule);
        const ImportResult result = importText(gift, InterchangeFormat::Gift);
        QCOMPARE(result.records.size(), std::size_t(1));
        QCOMPARE(field(result.records[0], Field::AnswerKey), key);
        QCOMPARE(field(result.records[0], Field::ValidityRule), rule);
    }

    void giftEscapesFeedbackAndTitlesAreRead()
    {
        const QByteArray gift = "// commentaire\n$CATEGORY: x\n\n"
                                "::Titre \\: un:: Que vaut \\{1\\} \\= \\~un\\# ? {\n"
                                "  =un #Oui \\: bien.\n  ~deux #Non.\n  ~trois #Non.\n  ####Général\n}\n\n"
                                "Le chat {=miaule ~aboie} la nuit.\n\n"
                                "Vrai ? {T#Faux, hélas#Juste !}\n";
        const ImportResult result = importText(gift, InterchangeFormat::Gift);
        QCOMPARE(result.records.size(), std::size_t(3));
        const QuestionRecord &first = result.records[0];
        QCOMPARE(field(first, Field::QuestionText), QStringLiteral("Que vaut {1} = ~un# ?"));
        QCOMPARE(field(first, Field::RightComment), QString::fromUtf8("Oui : bien.\r\nGénéral"));
        QCOMPARE(field(first, Field::WrongComment), QString::fromUtf8("Non.\r\nGénéral"));
        QCOMPARE(field(result.records[1], Field::QuestionText), QStringLiteral("Le chat _____ la nuit."));
        QCOMPARE(field(result.records[2], Field::Answer1), QStringLiteral("Vrai"));
        QCOMPARE(field(result.records[2], Field::RightComment), QStringLiteral("Juste !"));
        QCOMPARE(field(result.records[2], Field::WrongComment), QString::fromUtf8("Faux, hélas"));
    }

    void withoutACorrectionTheRightPropositionsAreNamed()
    {
        const ImportResult result = importText("A. Q\n\nQuelle couleur ?\nA. rouge\nB) vert\nANSWER: B\n", InterchangeFormat::Aiken);
        QCOMPARE(result.records.size(), std::size_t(1)); // the first block has no options and no answer
        QCOMPARE(field(result.records[0], Field::AnswerKey), QStringLiteral("2"));
        QCOMPARE(field(result.records[0], Field::WrongComment), QString::fromUtf8("La bonne réponse était : « vert »."));
    }

    void whatCannotBeCarriedIsReportedAndLeftOut()
    {
        const QByteArray gift = "Six {=1 =2 =3 =4 =5 ~%-50%6}\n\nCapitale ? {=Paris}\n\nQ3 {=3 ≤ 4 ~non}\n\n"
                                "Long " + QByteArray(300, 'x') + " {=a ~b}\n\nBon {=oui ~non}\n";
        const ImportResult strict = importText(gift, InterchangeFormat::Gift);
        QCOMPARE(strict.records.size(), std::size_t(1));
        QCOMPARE(strict.leftOut, 4);
        const QString report = strict.report.join(QLatin1Char('\n'));
        QVERIFY(report.contains(QStringLiteral("question 1 (ligne 1) : 6 propositions dont 6 comptent dans la note, 5 au plus")));
        QVERIFY(report.contains(QStringLiteral("shortanswer")));
        QVERIFY(report.contains(QString::fromUtf8("question 3 (ligne 5), proposition 1 : caractère « ≤ » (U+2264) absent de "
                                                  "Windows-1252, au caractère 3")));
        QVERIFY(report.contains(QStringLiteral("question : texte de 305 caractères")));

        ImportOptions lenient;
        lenient.replace = true;
        lenient.cut = true;
        const ImportResult kept = importText(gift, InterchangeFormat::Gift, lenient);
        QCOMPARE(kept.records.size(), std::size_t(3));
        QCOMPARE(field(kept.records[0], Field::Answer1), QStringLiteral("3 <= 4"));
        const QString cut = field(kept.records[1], Field::QuestionText);
        QCOMPARE(cut.size(), 255);
        QVERIFY(cut.endsWith(QChar(0x2026)));
    }

    void moodleXmlPicturesFeedbackAndWeightsAreImported()
    {
        QFile bmpFile(QStringLiteral(TAVELOR_TEST_DATA "/quiz/tiny.bmp"));
        QFile xmlFile(QStringLiteral(TAVELOR_TEST_DATA "/quiz/weights.xml"));
        QVERIFY(bmpFile.open(QIODevice::ReadOnly) && xmlFile.open(QIODevice::ReadOnly));
        const QByteArray bmp = bmpFile.readAll();
        const QByteArray xml = xmlFile.readAll();
        const ImportResult result = importText(xml, InterchangeFormat::MoodleXml);
        QCOMPARE(result.records.size(), std::size_t(2));
        const QuestionRecord &q = result.records[0];
        QCOMPARE(field(q, Field::QuestionText), QStringLiteral("Quels pays ?"));
        QCOMPARE(field(q, Field::AnswerKey), QStringLiteral("5"));
        QCOMPARE(field(q, Field::ValidityRule), QStringLiteral("ET"));
        QCOMPARE(field(q, Field::RightComment), QStringLiteral("Oui"));
        QCOMPARE(field(q, Field::WrongComment), QStringLiteral("Non : la France et l'Italie"));
        const QString picture = field(q, Field::PictureFile);
        QVERIFY(picture.startsWith(QStringLiteral("images\\")));
        QVERIFY(picture.endsWith(QStringLiteral(".bmp")));
        QVERIFY(picture.size() <= 50);
        QCOMPARE(result.pictures.size(), std::size_t(1));
        QCOMPARE(result.pictures[0].data, bmp);
        QCOMPARE(QString(result.pictures[0].relativePath).replace(QLatin1Char('/'), QLatin1Char('\\')), picture);
        QCOMPARE(field(result.records[1], Field::AnswerKey), QStringLiteral("2"));

        QVERIFY(!readSource(InterchangeFormat::MoodleXml, "<quiz><question>", Lang::French).errors.isEmpty());
        QVERIFY(!readSource(InterchangeFormat::MoodleXml, "not xml", Lang::English).errors.isEmpty());
    }

    void exportThenImportGivesBackTheSameQuiz_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("GIFT") << int(InterchangeFormat::Gift);
        QTest::newRow("Moodle XML") << int(InterchangeFormat::MoodleXml);
    }
    void exportThenImportGivesBackTheSameQuiz()
    {
        QFETCH(int, format);
        const QString folder = QStringLiteral(TAVELOR_SOURCE_DIR "/examples/QCM/Mathématiques/Fractions");
        std::vector<QuestionRecord> records = sample(QStringLiteral("Mathématiques/Fractions/fractions.json"));
        // Blanks, line breaks and markup characters must come back too.
        encodeField(records[2], Field::QuestionText, QStringLiteral("3 < 4 & {5}  =\r\n~6 # :"));
        const ExportResult exported = format == int(InterchangeFormat::Gift)
            ? exportGift(records, QStringLiteral("fractions.qcm"), Lang::French)
            : exportMoodleXml(records, QStringLiteral("fractions.qcm"), folder, Lang::French);
        QCOMPARE(exported.exported, 10);
        const QString report = exported.report.join(QLatin1Char('\n'));
        QVERIFY(report.contains(QStringLiteral("question 4 : proposition vide entre deux autres")));
        QCOMPARE(report.contains(QStringLiteral("images\\quart.bmp")), format == int(InterchangeFormat::Gift));

        const ImportResult back = importText(exported.data, InterchangeFormat(format));
        QCOMPARE(back.records.size(), records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            for (const Field f : textFields()) {
                if (f == Field::PictureFile && format == int(InterchangeFormat::Gift))
                    continue;
                if (i == 3 && (f == Field::Answer3 || f == Field::Answer4))
                    continue; // the gap is closed up
                QCOMPARE(field(back.records[i], f), field(records[i], f));
            }
        }
        QCOMPARE(field(back.records[3], Field::Answer3), QStringLiteral("1/9"));
        if (format == int(InterchangeFormat::MoodleXml)) {
            QFile original(folder + QStringLiteral("/images/quart.bmp"));
            QVERIFY(original.open(QIODevice::ReadOnly));
            QCOMPARE(back.pictures.size(), std::size_t(1));
            QCOMPARE(back.pictures[0].data, original.readAll());
        }
    }

    void questionsThatCannotBeJudgedAreNotExported()
    {
        std::vector<QuestionRecord> records(3);
        for (QuestionRecord &r : records) {
            encodeField(r, Field::QuestionText, QStringLiteral("Q"));
            encodeField(r, Field::Answer1, QStringLiteral("a"));
            encodeField(r, Field::Answer2, QStringLiteral("b"));
            encodeField(r, Field::ValidityRule, QStringLiteral("ET"));
        }
        encodeField(records[0], Field::AnswerKey, QStringLiteral("05")); // never right
        encodeField(records[1], Field::AnswerKey, QStringLiteral("0"));  // right when nothing is ticked
        encodeField(records[2], Field::AnswerKey, QStringLiteral("2"));
        const ExportResult result = exportGift(records, QStringLiteral("q.qcm"), Lang::English);
        QCOMPARE(result.exported, 1);
        QCOMPARE(result.report.size(), 2);
        QVERIFY(result.report[0].startsWith(QStringLiteral("q.qcm: question 1: not exported")));
    }

    void sampleImportsJudgeAsTheirSourceMeans_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("format");
        QTest::newRow("GIFT") << "sciences.gift" << int(InterchangeFormat::Gift);
        QTest::newRow("Moodle XML") << "geographie.xml" << int(InterchangeFormat::MoodleXml);
    }
    void sampleImportsJudgeAsTheirSourceMeans()
    {
        QFETCH(QString, file);
        QFETCH(int, format);
        QFile source(QStringLiteral(TAVELOR_SOURCE_DIR "/examples/import/") + file);
        QVERIFY(source.open(QIODevice::ReadOnly));
        const SourceQuiz quiz = readSource(InterchangeFormat(format), source.readAll(), Lang::French);
        QVERIFY(quiz.errors.isEmpty());
        QVERIFY(quiz.questions.size() >= 10);
        int imported = 0;
        verifyJudgedAsTheSourceMeant(quiz, imported);
        QVERIFY(imported >= 10);
    }
};

QTEST_MAIN(QcmtoolInterchangeTest)
#include "qcmtool_interchange.moc"
