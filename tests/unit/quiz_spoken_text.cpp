#include <QRandomGenerator>
#include <QTest>

#include "quiz/SpokenText.h"

class SpokenTextTest : public QObject
{
    Q_OBJECT

private slots:
    void readAsATeacherWould_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("spoken");
        const auto row = [](const char *written, const char *spoken) {
            QTest::newRow(written) << QString::fromUtf8(written) << QString::fromUtf8(spoken);
        };
        row("0", "zéro");
        row("17 21 71 77", "dix-sept vingt et un soixante et onze soixante-dix-sept");
        row("80 81 91 99", "quatre-vingts quatre-vingt-un quatre-vingt-onze quatre-vingt-dix-neuf");
        row("100, 101, 200, 201, 280", "cent, cent un, deux cents, deux cent un, deux cent quatre-vingts");
        row("1000 1001 2000", "mille mille un deux mille");
        row("80000 et 21000", "quatre-vingt mille et vingt et un mille");
        row("1000000 2000000", "un million deux millions");
        row("200 000 000", "deux cents millions");
        row("999 999 999", "neuf cent quatre-vingt-dix-neuf millions neuf cent quatre-vingt-dix-neuf mille "
                           "neuf cent quatre-vingt-dix-neuf");
        row("1\u00A0000 et 12\u202F500", "mille et douze mille cinq cents");
        row("0612345678", "zéro six un deux trois quatre cinq six sept huit");
        row("12345678901", "un deux trois quatre cinq six sept huit neuf zéro un");
        row("3,5 0,25 2,05", "trois virgule cinq zéro virgule vingt-cinq deux virgule zéro cinq");
        row("1, 2, 3", "un, deux, trois");
        row("-3 et (-1,5)", "moins trois et, moins un virgule cinq");
        row("7 - 2 = 5", "sept moins deux égale cinq");
        row("7 − 2", "sept moins deux");
        row("1/2 3/2 1/3 2/3", "un demi trois demis un tiers deux tiers");
        row("1/4 3 / 4 3/8", "un quart trois quarts trois huitièmes");
        row("1/5 7/10 1/9 1/100", "un cinquième sept dixièmes un neuvième un centième");
        row("5/21 1/80 1/1000", "cinq vingt et unièmes un quatre-vingtième un millième");
        row("4/1 3/0 1/2000 1,5/2", "quatre sur un trois sur zéro un sur deux mille un virgule cinq sur deux");
        row("le 12/03/2024", "le douze, trois, deux mille vingt-quatre");
        row("le 14/07", "le quatorze, sept");
        row("50 % et 50%", "cinquante pour cent et cinquante pour cent");
        row("1 € 2 € 0 €", "un euro deux euros zéro euro");
        row("3,50 € et 1,5 €", "trois euros cinquante et un euro cinquante");
        row("1 000 000 € ou 1 000 200 €", "un million d'euros ou un million deux cents euros");
        row("1 h 05, 10h30, 21 h 01, 0 h", "une heure cinq, dix heures trente, vingt et une heures une, zéro heure");
        row("20 °C, 1° et -5 °", "vingt degrés Celsius, un degré et moins cinq degrés");
        row("3 x 4 3x4 6 × 2", "trois fois quatre trois fois quatre six fois deux");
        row("2x + 1", "deux x plus un");
        row("12 : 3 et 6 ÷ 2", "douze divisé par trois et six divisé par deux");
        row("Calcule : 2 + 2", "Calcule: deux plus deux");
        row("3 < 5 > 1", "trois est plus petit que cinq est plus grand que un");
        row("a ≤ b ≥ c ≠ d", "a est plus petit que ou égal à b est plus grand que ou égal à c n'est pas égal à d");
        row("5² 2³", "cinq au carré deux au cube");
        row("½ ¼ ¾ 1½", "un demi un quart trois quarts un et demi");
        row("Tom & Léa", "Tom et Léa");
        row("le 1er, la 1re, le 21e", "le premier, la première, le vingt et unième");
        row("n° 5", "numéro cinq");
        row("Peut-être qu'aujourd’hui l'élève viendra.", "Peut-être qu'aujourd’hui l'élève viendra.");
        row("Il dit « Bonjour » et \"salut\".", "Il dit Bonjour et salut.");
        row("Calcule (sans calculatrice) *vite*", "Calcule, sans calculatrice, vite");
        row("# Titre | suite ~ fin", "Titre, suite fin");
        row("- pomme\n- poire\n\n• prune", "pomme, poire, prune");
        row("Le chat ___ sur le mur.", "Le chat… sur le mur.");
        row("3 + ... = 7 et 4 ---- 2", "trois plus… égale sept et quatre… deux");
        row("(a) [b] ?", "a, b?");
        row("et/ou", "et ou");
        row("", "");
        row(" \n\t ", "");
    }

    void readAsATeacherWould()
    {
        QFETCH(QString, written);
        QFETCH(QString, spoken);
        QCOMPARE(qcm::spokenText(written), spoken);
    }

    // Whatever a quiz holds, the voice gets clean text, and soon.
    void oddTextsStayClean()
    {
        QStringList texts = {QStringLiteral("?!.,;:()[]{}«»\"*_#~|/\\-–—…"),
                             QString(QChar(0xD800)) + QStringLiteral("1/2") + QChar(0xDC00),
                             QStringLiteral("1/").repeated(50000),
                             QStringLiteral("9").repeated(100000),
                             QStringLiteral("0").repeated(100000) + QStringLiteral("/1/1"),
                             QStringLiteral("1 000 ").repeated(20000),
                             QStringLiteral("- ").repeated(50000),
                             QStringLiteral("°€%x").repeated(20000)};
        const QString alphabet = QStringLiteral("0123456789 ,./:-−x€°%²½()«»\"'_*#ée\u00A0\u202F\n") + QChar(0xD83D)
            + QChar(0xDE00);
        QRandomGenerator random(7);
        for (int n = 0; n < 3000; ++n) {
            QString text;
            for (int length = random.bounded(40); length > 0; --length)
                text += alphabet.at(random.bounded(alphabet.size()));
            texts << text;
        }
        for (const QString &text : std::as_const(texts)) {
            const QString spoken = qcm::spokenText(text);
            const auto context = qPrintable(text.left(60));
            QVERIFY2(spoken.isValidUtf16(), context);
            QVERIFY2(spoken == spoken.simplified(), context);
            QVERIFY2(!spoken.startsWith(u',') && !spoken.endsWith(u','), context);
            QVERIFY2(!spoken.contains(QStringLiteral(",,")) && !spoken.contains(QStringLiteral(", ,")), context);
            for (const QChar c : QStringLiteral("/*_()[]{}«»\"#~|\\"))
                QVERIFY2(!spoken.contains(c), context);
        }
    }
};

QTEST_GUILESS_MAIN(SpokenTextTest)
#include "quiz_spoken_text.moc"
