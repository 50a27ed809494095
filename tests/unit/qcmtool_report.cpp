#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "quiz/authoring/ClassReport.h"

using namespace qcm;
using namespace qcm::authoring;

namespace {

QuizResult attempt(const QString &pupil, const QString &when, int percentage)
{
    QuizResult r;
    r.pupil = pupil;
    r.finished = QDateTime::fromString(when, Qt::ISODate);
    r.percentage = percentage;
    return r;
}

struct Row
{
    const char *text;
    int facility;
    std::array<int, 5> ticked;
    int rightOnes; // bits 1, 2, 4…
    int blanks;
    std::optional<int> discrimination;
    bool toCheck;
};

QuestionStats question(int number, const Row &row, int asked)
{
    QuestionStats q;
    q.question = number;
    q.textStart = QString::fromUtf8(row.text);
    q.asked = asked;
    q.facility = row.facility;
    for (std::size_t p = 0; p < 5; ++p)
        q.propositions[p] = {row.ticked[p], (row.rightOnes & (1 << p)) != 0};
    q.blanks = row.blanks;
    q.discrimination = row.discrimination;
    q.toCheck = row.toCheck;
    return q;
}

// A class of twelve, one of whom took the quiz twice, and a quiz of one
// attempt whose file is lost: its figures cannot all be computed.
std::vector<QuizStats> smallClass()
{
    QuizStats fractions;
    fractions.subject = QStringLiteral("Mathématiques");
    fractions.title = QStringLiteral("Fractions");
    fractions.quizFile = QStringLiteral("/école/QCM/Mathématiques/Fractions/fractions.qcm");
    const std::vector<std::pair<const char *, int>> scores = {
        {"Lucas Bernard", 50}, {"Adèle Martin", 88}, {"Émile Rousseau", 75}, {"Inès Haddad", 100},
        {"Hugo Petit", 63},    {"Chloé Garnier", 88}, {"Nathan Leroy", 38}, {"Jade Fontaine", 75},
        {"Yanis Morel", 63},   {"Louise Caron", 25},  {"Théo Lambert", 50}, {"Manon Girard", 88},
        {"Lucas Bernard", 75}};
    for (std::size_t i = 0; i < scores.size(); ++i)
        fractions.attempts.push_back(attempt(QString::fromUtf8(scores[i].first),
                                             QStringLiteral("2026-03-%1T10:%2:00").arg(2 + int(i) / 6, 2, 10, QLatin1Char('0'))
                                                 .arg(int(i) * 4 % 60, 2, 10, QLatin1Char('0')),
                                             scores[i].second));
    fractions.mean = 67.5;
    fractions.median = 75;
    fractions.minimum = 25;
    fractions.maximum = 100;
    fractions.deviation = 21.4;
    fractions.alpha = 0.71;
    const std::vector<Row> rows = {
        {"Combien font 1/2 + 1/4 ?", 85, {1, 0, 11, 1, 0}, 4, 0, 48, false},
        {"Quelle fraction est égale à 2/4 ?", 92, {12, 1, 0, 0, 0}, 1, 0, 35, false},
        {"Range du plus petit au plus grand : 2/3, 3/4 et 1/2", 62, {8, 3, 2, 0, 0}, 1, 0, 61, false},
        {"Quelle fraction du rectangle est coloriée ?", 77, {2, 10, 1, 0, 0}, 2, 0, 52, false},
        {"Simplifie la fraction 6/8.", 31, {4, 7, 1, 1, 0}, 1, 0, 44, true},
        {"Combien y a-t-il de quarts dans deux unités entières ?", 69, {3, 9, 0, 0, 0}, 2, 1, 57, false},
        {"Quelle est la moitié de 3/5 ?", 46, {6, 4, 2, 0, 0}, 1, 1, 12, true},
        {"Coche les nombres plus grands que 1.", 54, {7, 2, 8, 1, 0}, 5, 0, 66, false},
    };
    for (std::size_t i = 0; i < rows.size(); ++i)
        fractions.questions.push_back(question(int(i) + 1, rows[i], 13));

    QuizStats gaulois;
    gaulois.subject = QStringLiteral("Histoire");
    gaulois.title = QStringLiteral("Les Gaulois");
    gaulois.attempts = {attempt(QStringLiteral("Zoé Lefèvre"), QStringLiteral("2026-03-05T14:00:00"), 60)};
    gaulois.mean = gaulois.median = gaulois.minimum = gaulois.maximum = 60;
    gaulois.questions.push_back(question(1, {"", 100, {1, 0, 0, 0, 0}, 0, 0, std::nullopt, false}, 1));
    return {fractions, gaulois};
}

QuizStats largeQuiz(int questions, int attempts)
{
    QuizStats quiz;
    quiz.subject = QStringLiteral("Géographie");
    quiz.title = QStringLiteral("Cent questions sur les départements et les régions de France métropolitaine");
    for (int i = 0; i < attempts; ++i)
        quiz.attempts.push_back(attempt(QStringLiteral("Pupille %1").arg(i, 3, 10, QLatin1Char('0')),
                                        QStringLiteral("2026-04-01T08:00:00"), i * 37 % 101));
    for (int n = 1; n <= questions; ++n) {
        const Row row{"Quel est le chef-lieu de ce département dont le nom est bien trop long pour sa colonne ?",
                      n % 101, {n, 2 * n, 3, 4, 5}, 1, 7, n - 50, n % 7 == 0};
        quiz.questions.push_back(question(n, row, attempts));
    }
    return quiz;
}

// What a PDF reader shows as text, with its pages' count.
QString pdfText(const QString &pdf, int *pages)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return QString();
    const QString text = QString::fromUtf8(tool.readAllStandardOutput());
    *pages = int(text.count(QLatin1Char('\f')));
    return text;
}

// Blanks left out, so that the columns' widths do not matter.
QString squeezed(const QString &text)
{
    return QString(text).remove(QRegularExpression(QStringLiteral("\\s")));
}

QString lineWith(const QString &text, const QString &part)
{
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.contains(part))
            return line;
    }
    return QString();
}

} // namespace

class QcmtoolReportTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    // Writes the report and reads it back, checking that every page ends
    // with its number: a table run off the page would come below it.
    void readBack(const std::vector<QuizStats> &quizzes, const QString &name, bool anonymous, QString *text, int *pages)
    {
        const QString pdf = m_dir.filePath(name);
        QCOMPARE(writeClassReport(quizzes, pdf, anonymous), QString());
        *text = pdfText(pdf, pages);
        QVERIFY(*pages > 0);
        const QStringList sheets = text->split(QLatin1Char('\f'));
        for (int page = 1; page <= *pages; ++page) {
            const QString last = sheets[page - 1].trimmed().split(QLatin1Char('\n')).last();
            QVERIFY2(squeezed(last).endsWith(squeezed(QStringLiteral("Page %1 / %2").arg(page).arg(*pages))),
                     qPrintable(last));
        }
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF cannot be read back");
    }

    void everySectionOfEachQuizIsPrinted()
    {
        QString text;
        int pages = 0;
        readBack(smallClass(), QStringLiteral("classe.pdf"), false, &text, &pages);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pages, 2); // one per quiz
        const QStringList sections = {
            QStringLiteral("Bilan de la classe"), QStringLiteral("Mathématiques — Fractions"),
            QStringLiteral("12 élèves, 13 passations du 02/03/2026 au 04/03/2026 · fichier fractions.qcm"),
            QStringLiteral("Moyenne"), QStringLiteral("Alpha de Cronbach"), QStringLiteral("67,5 %"), QStringLiteral("0,71"),
            QStringLiteral("Répartition des scores"), QStringLiteral("Réussite par question"),
            QStringLiteral("Réponses par proposition"), QStringLiteral("Résultats par élève"),
            QStringLiteral("Page 1 / 2"), QStringLiteral("Histoire — Les Gaulois"),
            QStringLiteral("fichier du QCM introuvable"), QStringLiteral("Page 2 / 2")};
        const QString all = squeezed(text);
        qsizetype at = 0;
        for (const QString &section : sections) {
            const qsizetype found = all.indexOf(squeezed(section), at);
            QVERIFY2(found >= 0, qPrintable(QStringLiteral("missing or out of order: ") + section));
            at = found + squeezed(section).size();
        }
        // A row per question with its counts, flagged ones said so.
        QCOMPARE(squeezed(lineWith(text, QStringLiteral("Simplifie la fraction"))),
                 squeezed(QStringLiteral("5 Simplifie la fraction 6/8. 13 31 % 4 7 1 1 0 0 44 à vérifier")));
        QVERIFY(!lineWith(text, QStringLiteral("Combien font")).contains(QStringLiteral("à vérifier")));
        // Figures that cannot be computed, and a pupil named twice.
        QVERIFY(all.contains(squeezed(QStringLiteral("Écart type Alpha de Cronbach 60 % 60 % 60 % 60 % — —"))));
        for (const char *name : {"Émile Rousseau", "Zoé Lefèvre", "Louise Caron"})
            QVERIFY2(all.contains(squeezed(QString::fromUtf8(name))), name);
        QCOMPARE(all.count(QStringLiteral("LucasBernard")), 2);
        QVERIFY(!all.contains(QStringLiteral("Élève1")));
    }

    void anonymousReportNumbersPupilsByTheirFirstAttempt()
    {
        QString text;
        int pages = 0;
        readBack(smallClass(), QStringLiteral("anonyme.pdf"), true, &text, &pages);
        if (QTest::currentTestFailed())
            return;
        const QString all = squeezed(text);
        for (const char *name : {"Lucas", "Adèle", "Émile", "Zoé"})
            QVERIFY2(!all.contains(QString::fromUtf8(name)), name);
        // Lucas came first and again last: both his rows are number 1.
        QVERIFY(all.contains(squeezed(QStringLiteral("Élève 1 02/03/2026 10:00 50 %"))));
        QVERIFY(all.contains(squeezed(QStringLiteral("Élève 1 04/03/2026 10:48 75 %"))));
        QVERIFY(all.contains(squeezed(QStringLiteral("Élève 12 03/03/2026 10:44 88 %"))));
        QVERIFY(!all.contains(QStringLiteral("Élève13")));
        QVERIFY(all.contains(QStringLiteral("élèvesnumérotés")));
    }

    void largeOrEmptyReportsStillComeOut()
    {
        QString text;
        int pages = 0;
        readBack({largeQuiz(100, 500)}, QStringLiteral("grand.pdf"), false, &text, &pages);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(pages >= 5);
        const QString all = squeezed(text);
        QVERIFY(all.contains(QStringLiteral("Réponsesparproposition(suite)")));
        QVERIFY(all.contains(QStringLiteral("Résultatsparélève(suite)")));
        QVERIFY(!lineWith(text, QStringLiteral("100 Quel est le chef-lieu")).isEmpty());
        QVERIFY(lineWith(text, QStringLiteral("100 Quel est le chef-lieu")).contains(QStringLiteral("…")));
        for (const char *pupil : {"Pupille 000", "Pupille 499"})
            QVERIFY2(all.contains(squeezed(QString::fromUtf8(pupil))), pupil);
        QCOMPARE(all.count(QStringLiteral("Pupille")), 500);

        readBack({}, QStringLiteral("vide.pdf"), false, &text, &pages);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pages, 1);
        QVERIFY(squeezed(text).contains(squeezed(QStringLiteral("Aucun résultat avec réponses pour l'instant."))));
    }

    void unwritablePathsAreRefusedInFrench()
    {
        const QString missing = m_dir.filePath(QStringLiteral("absent/bilan.pdf"));
        QString reason = writeClassReport(smallClass(), missing, false);
        QVERIFY2(reason.startsWith(QStringLiteral("le dossier « ")) && reason.endsWith(QStringLiteral(" » n'existe pas")),
                 qPrintable(reason));
        QVERIFY(!QFileInfo::exists(missing));

        reason = writeClassReport(smallClass(), m_dir.path(), false);
        QVERIFY2(reason.startsWith(QStringLiteral("c'est un dossier")), qPrintable(reason));

        // Only where permissions bind: an administrator writes anywhere.
        const QString locked = m_dir.filePath(QStringLiteral("verrouillé"));
        QVERIFY(QDir().mkdir(locked));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        if (!QFileInfo(locked).isWritable()) {
            reason = writeClassReport(smallClass(), locked + QStringLiteral("/bilan.pdf"), false);
            QVERIFY2(reason.startsWith(QStringLiteral("écriture impossible dans le dossier")), qPrintable(reason));
        }
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

QTEST_MAIN(QcmtoolReportTest)
#include "qcmtool_report.moc"
