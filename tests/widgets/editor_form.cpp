#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <csignal>
#endif

#include "editor/FormEditeur.h"
#include "editor_fixture.h"
#include "pictures/PictureLoader.h"
#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"

using namespace editor;
using namespace editor_test;
using qcm::Field;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Typed
{
    QString question;
    QStringList propositions; // five
    int right;                // bit set
    bool allOf;
    QString rightComment;
    QString wrongComment;
};

} // namespace

// The editor driven by its controls, as a teacher drives it.
class EditorFormTest : public QObject
{
    Q_OBJECT

    template <typename T> T *child(FormEditeur &w, const QString &name)
    {
        T *found = w.findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    void type(FormEditeur &w, const QString &name, const QString &text)
    {
        QWidget *edit = child<QWidget>(w, name);
        edit->setFocus();
        // Key clicks know ASCII letters and digits; other characters come as typed text.
        for (const QChar c : text) {
            if (c.unicode() < 128 && c.isLetterOrNumber())
                QTest::keyClick(edit, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    void fill(FormEditeur &w, const Typed &q)
    {
        type(w, QStringLiteral("questionText"), q.question);
        for (int i = 0; i < 5; ++i) {
            type(w, QStringLiteral("proposition%1").arg(i + 1), q.propositions[i]);
            auto *box = child<QCheckBox>(w, QStringLiteral("right%1").arg(i + 1));
            if (box->isChecked() != bool(q.right & (1 << i)))
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        }
        auto *rule = child<QRadioButton>(w, q.allOf ? QStringLiteral("ruleAll") : QStringLiteral("ruleAny"));
        QTest::mouseClick(rule, Qt::LeftButton, {}, QPoint(5, rule->height() / 2));
        type(w, QStringLiteral("rightComment"), q.rightComment);
        type(w, QStringLiteral("wrongComment"), q.wrongComment);
    }

    QString shown(FormEditeur &w, const QString &name)
    {
        QWidget *edit = child<QWidget>(w, name);
        if (auto *box = qobject_cast<QPlainTextEdit *>(edit))
            return box->toPlainText();
        return static_cast<QLineEdit *>(edit)->text();
    }

    QStringList problems(FormEditeur &w)
    {
        QStringList texts;
        auto *list = child<QListWidget>(w, QStringLiteral("problemList"));
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }

    // A picture a phone would take: too many colours for a drawing.
    QString photograph(const QString &folder)
    {
        QImage image(640, 480, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
        const QString path = folder + QStringLiteral("/Photo de la Tour Eiffel (été 2024).png");
        image.save(path);
        return path;
    }

private slots:
    void quizWithPictureIsSavedAndReadBackFieldByField()
    {
        QTemporaryDir dir;
        FormEditeur w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QList<Typed> questions = {
            {QStringLiteral("Combien font 2 + 2 ?"), {QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"), {}, {}},
                2, true, QStringLiteral("Bravo !"), QStringLiteral("2 + 2 = 4.")},
            {QStringLiteral("Quels monuments sont à Paris ?"),
                {QStringLiteral("La tour Eiffel"), QStringLiteral("Big Ben"), QStringLiteral("Le Louvre"), {},
                    QStringLiteral("Le Colisée")},
                5, false, QStringLiteral("Oui, l'un d'eux suffit."), QStringLiteral("La tour Eiffel et le Louvre.")},
            {QStringLiteral("Œuf ou poule ?"), {QStringLiteral("Œuf"), QStringLiteral("Poule"), {}, {}, {}}, 3, true,
                QStringLiteral("Les deux !"), QStringLiteral("Il fallait cocher les deux.")},
        };
        const QString path = dir.filePath(QStringLiteral("essai.qcm"));
        for (int i = 0; i < questions.size(); ++i) {
            if (i > 0)
                QTest::mouseClick(child<QPushButton>(w, QStringLiteral("addQuestion")), Qt::LeftButton);
            QCOMPARE(w.currentRow(), i);
            fill(w, questions[i]);
        }
        QVERIFY(w.saveAs(path));
        w.selectQuestion(1);
        auto keepSize = answerNextMessage(QMessageBox::No);
        QVERIFY(w.setPicture(photograph(dir.path())));
        QVERIFY(keepSize->shown);
        QVERIFY(!child<QLabel>(w, QStringLiteral("picturePreview"))->pixmap().isNull());
        QVERIFY(w.isWindowModified());
        // The question about the picture's size took the focus for a while.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!w.isWindowModified());

        qcm::QuestionBank bank;
        const qcm::ReadResult read = qcm::readQuizFile(path, bank);
        QCOMPARE(read.recordsRead, 3);
        for (int i = 0; i < 3; ++i) {
            const qcm::QuestionRecord &record = bank[std::size_t(i + 1)];
            const Typed &q = questions[i];
            QCOMPARE(qcm::decodeField(record, Field::QuestionText), q.question);
            for (int p = 0; p < 5; ++p)
                QCOMPARE(qcm::decodeField(record, qcm::answerField(p + 1)), q.propositions[p]);
            QCOMPARE(qcm::decodeField(record, Field::AnswerKey), QString::number(q.right));
            QCOMPARE(qcm::decodeField(record, Field::ValidityRule), q.allOf ? QStringLiteral("ET") : QStringLiteral("OU"));
            QCOMPARE(qcm::decodeField(record, Field::RightComment), q.rightComment);
            QCOMPARE(qcm::decodeField(record, Field::WrongComment), q.wrongComment);
        }
        const QString picture = qcm::decodeField(bank[2], Field::PictureFile);
        QCOMPARE(picture, QStringLiteral("images\\photo_de_la_tour_eiffel_ete_2024.jpg"));
        QVERIFY(qcm::decodeField(bank[1], Field::PictureFile).isEmpty());
        const QImage stored = pictures::loadPicture(pictures::picturePath(dir.path(), picture));
        QCOMPARE(stored.size(), QSize(640, 480));
    }

    void undoAndRedoWalkBackEveryChange()
    {
        FormEditeur w;
        w.show();
        // The keys go to the active window: another test's window on the
        // same screen could otherwise still have them.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        type(w, QStringLiteral("questionText"), QStringLiteral("Capitale ?"));
        type(w, QStringLiteral("proposition1"), QStringLiteral("Paris"));
        QTest::mouseClick(child<QCheckBox>(w, QStringLiteral("right1")), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(child<QPushButton>(w, QStringLiteral("addQuestion")), Qt::LeftButton);
        type(w, QStringLiteral("questionText"), QStringLiteral("Fleuve ?"));
        QCOMPARE(w.document().count(), 2);

        const auto undo = [&w] { QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier); };
        const auto redo = [&w] { QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier); };
        undo(); // the second question's text, typed in one go
        QCOMPARE(w.currentRow(), 1);
        QCOMPARE(shown(w, QStringLiteral("questionText")), QString());
        undo(); // the added question
        QCOMPARE(w.document().count(), 1);
        QCOMPARE(w.currentRow(), 0);
        undo(); // the tick
        QVERIFY(!child<QCheckBox>(w, QStringLiteral("right1"))->isChecked());
        QCOMPARE(w.document().question(0).text(Field::AnswerKey), QStringLiteral("0"));
        undo();
        QCOMPARE(shown(w, QStringLiteral("proposition1")), QString());
        QCOMPARE(shown(w, QStringLiteral("questionText")), QStringLiteral("Capitale ?"));
        undo();
        QCOMPARE(shown(w, QStringLiteral("questionText")), QString());
        QVERIFY(!w.isWindowModified());

        for (int i = 0; i < 5; ++i)
            redo();
        QCOMPARE(w.document().count(), 2);
        QCOMPARE(w.document().question(0).text(Field::AnswerKey), QStringLiteral("1"));
        QCOMPARE(w.document().question(0).text(Field::Answer1), QStringLiteral("Paris"));
        QCOMPARE(shown(w, QStringLiteral("questionText")), QStringLiteral("Fleuve ?"));

        // Deleting and moving are steps too.
        w.moveQuestion(-1);
        QCOMPARE(w.document().question(0).text(Field::QuestionText), QStringLiteral("Fleuve ?"));
        QTest::mouseClick(child<QPushButton>(w, QStringLiteral("removeQuestion")), Qt::LeftButton);
        QCOMPARE(w.document().count(), 1);
        undo();
        undo();
        QCOMPARE(w.document().question(0).text(Field::QuestionText), QStringLiteral("Capitale ?"));
        QCOMPARE(w.document().question(1).text(Field::QuestionText), QStringLiteral("Fleuve ?"));
    }

    void hundredQuestionsAtMost()
    {
        FormEditeur w;
        w.show();
        for (int i = 1; i < qcm::MaxQuestions; ++i)
            QVERIFY(w.addQuestion());
        QCOMPARE(w.document().count(), 100);
        auto answer = answerNextMessage(QMessageBox::Ok);
        QTest::mouseClick(child<QPushButton>(w, QStringLiteral("addQuestion")), Qt::LeftButton);
        QVERIFY(answer->shown);
        QVERIFY(answer->text.contains(QStringLiteral("plus de 100 questions")));
        QCOMPARE(w.document().count(), 100);
        answer = answerNextMessage(QMessageBox::Ok);
        QVERIFY(!w.duplicateQuestion());
        QVERIFY(answer->shown);
        QCOMPARE(w.document().count(), 100);
    }

    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("read-only folder") << true;
        QTest::newRow("the disk refuses the bytes") << false;
    }

    void failedSaveKeepsTheOldFile()
    {
#ifdef Q_OS_UNIX
        QFETCH(bool, readOnlyFolder);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("quiz.qcm"));
        FormEditeur w;
        w.show();
        type(w, QStringLiteral("questionText"), QStringLiteral("Première version"));
        QVERIFY(w.saveAs(path));
        const QByteArray before = fileBytes(path);
        for (int i = 0; i < 3; ++i)
            w.addQuestion();
        type(w, QStringLiteral("questionText"), QStringLiteral("Seconde version"));

        rlimit oldLimit{};
        getrlimit(RLIMIT_FSIZE, &oldLimit);
        if (readOnlyFolder) {
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            if (QFileInfo(dir.path()).isWritable()) {
                QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("this user writes in read-only folders");
            }
        } else {
            // Less room than four records: the write fails half-way.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit = oldLimit;
            limit.rlim_cur = qcm::RecordSize * 2;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        auto answer = answerNextMessage(QMessageBox::Ok);
        const bool saved = w.save();
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setrlimit(RLIMIT_FSIZE, &oldLimit);
        QVERIFY(!saved);
        QVERIFY(answer->shown);
        QVERIFY(answer->text.contains(QStringLiteral("quiz.qcm")));
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("quiz.qcm")});
        QVERIFY(w.isWindowModified());
        QVERIFY(w.save());
        QCOMPARE(fileBytes(path).size(), qsizetype(4 * qcm::RecordSize));
#else
        QSKIP("a full disk and a read-only folder are made here with Unix limits and permissions");
#endif
    }

    void limitsAreShownAsTheTeacherTypes()
    {
        FormEditeur w;
        w.show();
        type(w, QStringLiteral("proposition2"), QStringLiteral("x ≤ 3 et π"));
        auto *warning = child<QLabel>(w, QStringLiteral("proposition2Warning"));
        QVERIFY(warning->isVisibleTo(&w));
        QVERIFY(warning->text().contains(QStringLiteral("« ≤ » devient « <= »")));
        QTRY_VERIFY(problems(w).join(u'\n').contains(QStringLiteral("Question 1 : la proposition 2 contient")));

        auto answer = answerNextMessage(QMessageBox::Ok);
        QTemporaryDir dir;
        QVERIFY(!w.saveAs(dir.filePath(QStringLiteral("q.qcm"))));
        QVERIFY(answer->text.contains(QStringLiteral("Question 1, la proposition 2")));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("q.qcm"))));

        QTest::mouseClick(child<QPushButton>(w, QStringLiteral("proposition2Replace")), Qt::LeftButton);
        QCOMPARE(shown(w, QStringLiteral("proposition2")), QStringLiteral("x <= 3 et pi"));
        QVERIFY(!warning->isVisibleTo(&w));

        auto *counter = child<QLabel>(w, QStringLiteral("questionTextCount"));
        child<QPlainTextEdit>(w, QStringLiteral("questionText"))->setPlainText(QString(255, QLatin1Char('a')));
        QCOMPARE(counter->text(), QStringLiteral("255/255"));
        QVERIFY(counter->styleSheet().isEmpty());
        type(w, QStringLiteral("questionText"), QStringLiteral("b"));
        QCOMPARE(counter->text(), QStringLiteral("256/255"));
        QVERIFY(counter->styleSheet().contains(QStringLiteral("color")));
        // A line break takes the two characters the file stores for it.
        child<QPlainTextEdit>(w, QStringLiteral("questionText"))->setPlainText(QStringLiteral("a\nb"));
        QCOMPARE(counter->text(), QStringLiteral("4/255"));
        QCOMPARE(w.document().question(0).text(Field::QuestionText), QStringLiteral("a\r\nb"));
    }

    void keysReachEveryFieldInTheFormsOrder()
    {
        FormEditeur w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // Each caption's letter takes the keyboard to what it names.
        const QList<std::pair<Qt::Key, QString>> captions = {{Qt::Key_L, QStringLiteral("questionList")},
            {Qt::Key_Q, QStringLiteral("questionText")}, {Qt::Key_1, QStringLiteral("proposition1")},
            {Qt::Key_2, QStringLiteral("proposition2")}, {Qt::Key_3, QStringLiteral("proposition3")},
            {Qt::Key_4, QStringLiteral("proposition4")}, {Qt::Key_5, QStringLiteral("proposition5")},
            {Qt::Key_C, QStringLiteral("ruleAll")}, {Qt::Key_M, QStringLiteral("rightComment")},
            {Qt::Key_R, QStringLiteral("wrongComment")}, {Qt::Key_P, QStringLiteral("problemList")}};
        for (const auto &[key, name] : captions) {
            QTest::keyClick(&w, key, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }

        // Tab goes down the form, each box after its proposition.
        child<QWidget>(w, QStringLiteral("questionText"))->setFocus();
        const QStringList down = {QStringLiteral("proposition1"), QStringLiteral("right1"), QStringLiteral("proposition2"),
            QStringLiteral("right2"), QStringLiteral("proposition3"), QStringLiteral("right3"),
            QStringLiteral("proposition4"), QStringLiteral("right4"), QStringLiteral("proposition5"),
            QStringLiteral("right5"), QStringLiteral("ruleAll"), QStringLiteral("rightComment"),
            QStringLiteral("wrongComment"), QStringLiteral("pictureName"), QStringLiteral("pictureButton")};
        QStringList walked;
        for (qsizetype i = 0; i < down.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(walked, down);
    }

    void clickingAProblemSelectsItsQuestion()
    {
        FormEditeur w;
        w.show();
        type(w, QStringLiteral("questionText"), QStringLiteral("Bonne question"));
        type(w, QStringLiteral("proposition1"), QStringLiteral("oui"));
        QTest::mouseClick(child<QCheckBox>(w, QStringLiteral("right1")), Qt::LeftButton, {}, QPoint(5, 5));
        w.addQuestion();
        type(w, QStringLiteral("questionText"), QStringLiteral("Question sans bonne proposition"));
        type(w, QStringLiteral("proposition1"), QStringLiteral("non"));
        auto *any = child<QRadioButton>(w, QStringLiteral("ruleAny"));
        QTest::mouseClick(any, Qt::LeftButton, {}, QPoint(5, any->height() / 2));
        w.addQuestion();
        type(w, QStringLiteral("questionText"), QStringLiteral("Troisième"));
        type(w, QStringLiteral("proposition1"), QStringLiteral("a"));
        type(w, QStringLiteral("proposition3"), QStringLiteral("c"));
        QTest::mouseClick(child<QCheckBox>(w, QStringLiteral("right3")), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(w.currentRow(), 2);

        QTRY_VERIFY(problems(w).join(u'\n').contains(QStringLiteral("Question 2 :")));
        const QStringList texts = problems(w);
        const qsizetype second = texts.indexOf(QRegularExpression(QStringLiteral("^Question 2 :.*")));
        QVERIFY(texts[second].contains(QStringLiteral("jamais être jugée juste")));
        QVERIFY2(texts.filter(QStringLiteral("Question 1 :")).isEmpty(), qPrintable(texts.join(u'\n')));
        QVERIFY(texts.contains(QStringLiteral("Question 3 : proposition 2 vide entre deux propositions remplies : "
                                              "l'élève verra un trou à sa place")));
        auto *list = child<QListWidget>(w, QStringLiteral("problemList"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(int(second))).center());
        QCOMPARE(w.currentRow(), 1);
        QCOMPARE(shown(w, QStringLiteral("questionText")), QStringLiteral("Question sans bonne proposition"));
    }

    void tryingStartsThePlayerOnACopyWithItsPictures()
    {
        QTemporaryDir dir;
        const QString seen = dir.filePath(QStringLiteral("vu"));
        // A stand-in player that keeps a copy of what it is given.
#ifdef Q_OS_WIN
        const QString player = dir.filePath(QStringLiteral("lecteur.cmd"));
        const QString text = QStringLiteral("@xcopy /e /i /q \"%~dp1.\" \"%1\" > nul\r\n@echo %~1> \"%1.nom\"\r\n")
                                 .arg(QDir::toNativeSeparators(seen));
#else
        const QString player = dir.filePath(QStringLiteral("lecteur.sh"));
        const QString text = QStringLiteral("#!/bin/sh\nmkdir -p '%1' && cp -r \"$(dirname \"$1\")\"/. '%1'/ && echo \"$1\" > '%1.nom'\n")
                                 .arg(seen);
#endif
        QFile script(player);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(text.toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);

        FormEditeur w;
        w.setPlayerProgram(player);
        w.show();
        type(w, QStringLiteral("questionText"), QStringLiteral("Qui est-ce ?"));
        QDir().mkpath(dir.filePath(QStringLiteral("quiz")));
        QVERIFY(w.saveAs(dir.filePath(QStringLiteral("quiz/portrait.qcm"))));
        auto keepSize = answerNextMessage(QMessageBox::No);
        QVERIFY(w.setPicture(photograph(dir.path())));
        QVERIFY(keepSize->shown);
        type(w, QStringLiteral("proposition1"), QStringLiteral("Moi"));
        QVERIFY(w.isWindowModified());

        QVERIFY(w.tryQuiz());
        QTRY_VERIFY(QFileInfo::exists(seen + QStringLiteral(".nom")));
        QCOMPARE(fileBytes(seen + QStringLiteral("/portrait.qcm")).size(), qsizetype(qcm::RecordSize));
        std::vector<qcm::QuestionRecord> records = w.document().records();
        QCOMPARE(fileBytes(seen + QStringLiteral("/portrait.qcm")),
            QByteArray(reinterpret_cast<const char *>(records[0].bytes.data()), qcm::RecordSize));
        QVERIFY(QFileInfo::exists(seen + QStringLiteral("/images/photo_de_la_tour_eiffel_ete_2024.jpg")));
        // Trying is not saving.
        QVERIFY(w.isWindowModified());
        QCOMPARE(fileBytes(dir.filePath(QStringLiteral("quiz/portrait.qcm"))).size(), qsizetype(qcm::RecordSize));
        QVERIFY(fileBytes(dir.filePath(QStringLiteral("quiz/portrait.qcm"))) != fileBytes(seen + QStringLiteral("/portrait.qcm")));
    }

    void importAndExportGoThroughTheLibrary()
    {
        FormEditeur w;
        w.show();
        // The blank question of a new quiz gives way to the imported ones.
        auto answer = answerNextMessage(QMessageBox::Ok);
        QVERIFY(w.importFrom(QStringLiteral(TAVELOR_SOURCE_DIR "/examples/import/sciences.gift")));
        QVERIFY(answer->shown);
        QVERIFY(answer->text.contains(QStringLiteral("importée(s)")));
        const int imported = w.document().count();
        QVERIFY(imported >= 5);
        QVERIFY(w.document().question(0).text(Field::QuestionText).contains(QStringLiteral("température")));
        QCOMPARE(w.currentRow(), 0);

        QTemporaryDir dir;
        const QString gift = dir.filePath(QStringLiteral("retour.gift"));
        answer = answerNextMessage(QMessageBox::Ok);
        QVERIFY(w.exportTo(gift, false));
        QVERIFY(answer->text.contains(QStringLiteral("%1 question(s) exportée(s)").arg(imported)));
        QVERIFY(fileBytes(gift).contains("l'eau pure"));

        // A second import is appended, and one undo takes it back whole.
        answer = answerNextMessage(QMessageBox::Ok);
        QVERIFY(w.importFrom(gift));
        QCOMPARE(w.document().count(), 2 * imported);
        QCOMPARE(w.currentRow(), imported);
        // The shortcut reaches the quiz's history even from a text field.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QWidget *field = child<QWidget>(w, QStringLiteral("proposition1"));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.document().count(), imported);

        answer = answerNextMessage(QMessageBox::Ok);
        QVERIFY(!w.importFrom(dir.filePath(QStringLiteral("absent.gift"))));
        QVERIFY(answer->text.contains(QStringLiteral("absent.gift")));
    }

    // The menu's Ctrl+Ins adds a question even from a text field, which
    // would take it as Copy.
    void ctrlInsAddsAQuestionFromATextField()
    {
        FormEditeur w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto *field = child<QLineEdit>(w, QStringLiteral("proposition1"));
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("Paris"));
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(w.document().count(), 2);
        QCOMPARE(w.currentRow(), 1);
        QCOMPARE(w.document().question(0).text(Field::Answer1), QStringLiteral("Paris"));
    }

    void draggingAQuestionMovesItInOneStep()
    {
        FormEditeur w;
        for (const QString &text : {QStringLiteral("un"), QStringLiteral("deux"), QStringLiteral("trois")}) {
            if (text != QStringLiteral("un"))
                w.addQuestion();
            w.document().setText(w.currentRow(), Field::QuestionText, text);
        }
        QuizDocument &quiz = w.document();
        std::unique_ptr<QMimeData> dragged(quiz.mimeData({quiz.index(0)}));
        // Dropped below the last row; the view must not remove anything itself.
        QVERIFY(!quiz.dropMimeData(dragged.get(), Qt::MoveAction, 3, 0, {}));
        const auto order = [&quiz] {
            QStringList texts;
            for (int row = 0; row < quiz.count(); ++row)
                texts << quiz.question(row).text(Field::QuestionText);
            return texts;
        };
        QCOMPARE(order(), (QStringList{QStringLiteral("deux"), QStringLiteral("trois"), QStringLiteral("un")}));
        QCOMPARE(quiz.data(quiz.index(2), Qt::DisplayRole).toString(), QStringLiteral("3. un"));
        quiz.undoStack()->undo();
        QCOMPARE(order(), (QStringList{QStringLiteral("un"), QStringLiteral("deux"), QStringLiteral("trois")}));
    }

    void closingAModifiedQuizAsksFirst()
    {
        FormEditeur w;
        w.show();
        type(w, QStringLiteral("questionText"), QStringLiteral("Pas encore enregistré"));
        auto answer = answerNextMessage(QMessageBox::Cancel);
        QVERIFY(!w.close());
        QVERIFY(answer->shown);
        QVERIFY(w.isVisible());
        answer = answerNextMessage(QMessageBox::Discard);
        QVERIFY(w.close());
        QVERIFY(answer->shown);
    }
};

QTEST_MAIN(EditorFormTest)
#include "editor_form.moc"
