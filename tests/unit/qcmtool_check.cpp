#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"
#include "tests/common/QuestionForChecks.h"

using namespace qcm;

class QcmtoolCheckTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    QString write(const QString &name, const std::vector<QuestionRecord> &records)
    {
        const QString path = dir.filePath(name);
        if (!writeQuizFile(path, records))
            qFatal("cannot write");
        return path;
    }

private slots:
    void theToolExitsWithOneOnlyWhenAQuestionCannotWork()
    {
        const QString tool = QStringLiteral(TAVELOR_QCMTOOL);
        QVERIFY2(QFile::exists(tool), "build the qcmtool target first");
        const QString good = write(QStringLiteral("good.qcm"),
            {question(QStringLiteral("Q"), Three, QStringLiteral("5"), QStringLiteral("et"))});
        const QString bad = write(QStringLiteral("bad.qcm"),
            {question(QStringLiteral("Q"), Three, QStringLiteral("05"), QStringLiteral("ET"))});
        QProcess process;
        process.start(tool, {QStringLiteral("check"), good});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(QString::fromUtf8(process.readAllStandardOutput())
                    .contains(QStringLiteral("good.qcm : question 1, ValidityRule : attention : règle « et »")));
        process.start(tool, {QStringLiteral("check"), QStringLiteral("--lang"), QStringLiteral("en"), bad});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(QString::fromUtf8(process.readAllStandardOutput())
                    .contains(QStringLiteral("bad.qcm: question 1, AnswerKey: error: this question can never be judged right")));
    }

    void theToolNamesPicturesOutsideTheQuizFolders()
    {
        const QString tool = QStringLiteral(TAVELOR_QCMTOOL);
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("QCM/Sujet/Quiz")));
        QImage picture(4, 3, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir.filePath(QStringLiteral("secret.bmp"))));
        const QString quiz = write(QStringLiteral("QCM/Sujet/Quiz/dehors.qcm"),
            {question(QStringLiteral("Q"), Three, QStringLiteral("1"), QStringLiteral("ET"),
                      QStringLiteral("..\\..\\..\\secret.bmp"))});
        QProcess process;
        process.start(tool, {QStringLiteral("check"), quiz});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(QString::fromUtf8(process.readAllStandardOutput()).contains(QStringLiteral("hors des dossiers du QCM")));
    }
};

QTEST_MAIN(QcmtoolCheckTest)
#include "qcmtool_check.moc"
