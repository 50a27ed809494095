#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "editor/FormEditeur.h"
#include "editor/RecentQuizzes.h"
#include "editor_fixture.h"
#include "platform/Folders.h"
#include "quiz/QuizFile.h"
#include "quiz/QuestionRecord.h"

using namespace editor;
using namespace editor_test;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers the windows that come up in turn: a message box with the given
// button, a file dialog with a typed name (or cancelled when empty). What
// came up is kept, in order, by class name.
class ModalScript : public QObject
{
public:
    struct Step
    {
        QMessageBox::StandardButton button = QMessageBox::NoButton;
        QString typedName;
    };

    explicit ModalScript(QList<Step> steps)
        : m_steps(std::move(steps))
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalScript::poll);
        m_timer.start(10);
    }

    QStringList seen;
    QStringList texts;
    QStringList buttonTexts;
    QStringList folders;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == m_answering)
            return;
        if (m_steps.isEmpty()) {
            seen << QString::fromLatin1(modal->metaObject()->className());
            modal->close();
            return;
        }
        const Step step = m_steps.first();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            m_steps.removeFirst();
            seen << QStringLiteral("QMessageBox");
            texts << box->text();
            for (QAbstractButton *button : box->buttons())
                buttonTexts << button->text();
            box->button(step.button)->click();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            if (step.typedName.isEmpty()) {
                m_steps.removeFirst();
                seen << QStringLiteral("QFileDialog");
                folders << dialog->directory().absolutePath();
                dialog->reject();
                return;
            }
            // The view may put back an older name while it fills in: type
            // again until the dialog takes the name.
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (name->text() != step.typedName)
                name->setText(step.typedName);
            const QString wanted = QFileInfo(dialog->directory(), step.typedName).absoluteFilePath();
            if (dialog->selectedFiles() == QStringList{wanted}) {
                m_steps.removeFirst();
                seen << QStringLiteral("QFileDialog");
                folders << dialog->directory().absolutePath();
                m_answering = dialog;
                QMetaObject::invokeMethod(dialog, "accept");
            }
        }
    }

    QList<Step> m_steps;
    QTimer m_timer;
    QPointer<QWidget> m_answering;
};

} // namespace

// The editor as a teacher meets it the first time: the save that must not
// wipe a quiz, the keys of the text fields, the first save and its folders.
class EditorFirstUseTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

    void type(FormEditeur &w, const QString &name, const QString &text)
    {
        auto *edit = w.findChild<QWidget *>(name);
        QVERIFY(edit);
        edit->setFocus();
        // Key clicks know ASCII only; other characters come as typed text.
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(edit, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    // The problem list's lines, one text.
    static QString problemList(FormEditeur &w)
    {
        QStringList texts;
        auto *list = w.findChild<QListWidget *>(QStringLiteral("problemList"));
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts.join(u'\n');
    }

    QString questionText(FormEditeur &w)
    {
        return w.findChild<QPlainTextEdit *>(QStringLiteral("questionText"))->toPlainText();
    }

private slots:
    void initTestCase()
    {
#ifndef Q_OS_WIN
        // The quiz folder is made in this home, not in the real one.
        qputenv("HOME", QFile::encodeName(m_home.path()));
#endif
    }

    void quizWithoutQuestionsIsNotSaved_data()
    {
        QTest::addColumn<bool>("deleteEvery");
        QTest::newRow("every question deleted") << true;
        QTest::newRow("only an empty question left") << false;
    }

    void quizWithoutQuestionsIsNotSaved()
    {
        QFETCH(bool, deleteEvery);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("calcul.qcm"));
        FormEditeur w;
        w.show();
        type(w, QStringLiteral("questionText"), QStringLiteral("Combien font 2 + 2 ?"));
        w.addQuestion();
        type(w, QStringLiteral("questionText"), QStringLiteral("Et 3 + 3 ?"));
        QVERIFY(w.saveAs(path));
        const QByteArray before = fileBytes(path);
        QCOMPARE(before.size(), qsizetype(2 * qcm::RecordSize));

        while (w.document().count() > 0) {
            w.selectQuestion(0);
            w.removeQuestion();
        }
        if (!deleteEvery)
            w.addQuestion();
        auto answer = answerNextMessage(QMessageBox::Ok);
        QVERIFY(!w.save());
        QVERIFY(answer->shown);
        QVERIFY2(answer->text.contains(QStringLiteral("aucune question")), qPrintable(answer->text));
        QVERIFY2(answer->text.contains(QStringLiteral("« calcul.qcm » n'a pas été touché")), qPrintable(answer->text));
        QCOMPARE(fileBytes(path), before);
        QVERIFY(!w.statusBar()->currentMessage().startsWith(QStringLiteral("Enregistré")));
        QVERIFY(w.isWindowModified());

        // Undone, the questions come back and save again.
        while (w.document().undoStack()->canUndo() && w.document().count() < 2)
            w.document().undoStack()->undo();
        QCOMPARE(w.document().count(), 2);
        QVERIFY(w.save());
        QVERIFY(w.statusBar()->currentMessage().startsWith(QStringLiteral("Enregistré")));
    }

    void textKeysBelongToTheTextAndSupprToTheList()
    {
        FormEditeur w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        type(w, QStringLiteral("questionText"), QStringLiteral("Combien font deux et deux ?"));
        w.addQuestion();
        type(w, QStringLiteral("questionText"), QStringLiteral("Et trois et trois ?"));
        QCOMPARE(w.document().count(), 2);

        // Ctrl+Suppr at the start of the text deletes its first word, as in any text field.
        auto *question = w.findChild<QPlainTextEdit *>(QStringLiteral("questionText"));
        question->setFocus();
        QTest::keyClick(question, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(question, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(w.document().count(), 2);
        QCOMPARE(questionText(w), QStringLiteral("trois et trois ?"));
        QTest::keyClick(question, Qt::Key_Delete);
        QCOMPARE(w.document().count(), 2);

        // From the list, Suppr deletes the question, and says how to bring it back.
        auto *list = w.findChild<QListView *>(QStringLiteral("questionList"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(w.document().count(), 1);
        const QString said = w.statusBar()->currentMessage();
        QVERIFY2(said.contains(QStringLiteral("Question 2 supprimée")) && said.contains(QStringLiteral("Ctrl+Z")),
                 qPrintable(said));
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.document().count(), 2);
    }

    void firstSaveStartsInTheQuizFolderAndMakesTheFoldersBelow()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows' own save dialog cannot be driven from a test");
#else
        const QString quizFolder = platform::quizFolder();
        QDir(quizFolder).removeRecursively();
        FormEditeur w;
        w.show();
        type(w, QStringLiteral("questionText"), QStringLiteral("Combien font 2 + 2 ?"));
        const QString typed = QStringLiteral("Mathématiques/Calcul/calcul.qcm");
        ModalScript script({ModalScript::Step{QMessageBox::NoButton, typed}});
        QVERIFY(w.save());
        QCOMPARE(script.seen, QStringList{QStringLiteral("QFileDialog")});
        QCOMPARE(script.folders, QStringList{quizFolder});
        const QString saved = quizFolder + u'/' + typed;
        QCOMPARE(fileBytes(saved).size(), qsizetype(qcm::RecordSize));
        QCOMPARE(QFileInfo(w.document().path()).absoluteFilePath(), QFileInfo(saved).absoluteFilePath());
#endif
    }

    void folderThatCannotBeMadeIsNamed()
    {
        // A file stands where the folder would go.
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("Calcul")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        FormEditeur w;
        type(w, QStringLiteral("questionText"), QStringLiteral("Combien font 2 + 2 ?"));
        auto answer = answerNextMessage(QMessageBox::Ok);
        QVERIFY(!w.saveAs(dir.filePath(QStringLiteral("Calcul/Fractions/calcul.qcm"))));
        QVERIFY(answer->shown);
        QVERIFY2(answer->text.contains(QStringLiteral("n'existe pas et ne peut pas être créé")), qPrintable(answer->text));
        QVERIFY2(!answer->text.contains(QStringLiteral("n'a pas été touché")), qPrintable(answer->text));
    }

    void pictureChosenBeforeTheFirstSaveIsKept()
    {
        QTemporaryDir dir;
        QImage picture(120, 90, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const QString source = dir.filePath(QStringLiteral("parts.png"));
        QVERIFY(picture.save(source));
        FormEditeur w;
        w.show();
        {
            ModalScript nothingAsked({});
            QVERIFY(w.setPicture(source));
            QCOMPARE(nothingAsked.seen, QStringList());
        }
        const QString name = QStringLiteral("images\\parts.bmp");
        QCOMPARE(w.document().question(0).text(qcm::Field::PictureFile), name);
        QVERIFY(!w.findChild<QLabel *>(QStringLiteral("picturePreview"))->pixmap().isNull());

        // The first save puts it beside the quiz, in folders made for it.
        type(w, QStringLiteral("questionText"), QStringLiteral("Quelle fraction est coloriée ?"));
        QVERIFY(w.saveAs(dir.filePath(QStringLiteral("Fractions/fractions.qcm"))));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("Fractions/images/parts.bmp"))).isFile());
        QVERIFY(!w.findChild<QLabel *>(QStringLiteral("picturePreview"))->pixmap().isNull());
        QVERIFY(w.findChild<QListWidget *>(QStringLiteral("problemList"))->findItems(QStringLiteral("parts"), Qt::MatchContains).isEmpty());
    }

    void problemsSpeakOfTheRightBoxes()
    {
        FormEditeur w;
        w.show();
        type(w, QStringLiteral("questionText"), QStringLiteral("Quelle est la moitié de 8 ?"));
        type(w, QStringLiteral("proposition1"), QStringLiteral("4"));
        const auto problems = [&w] { return problemList(w); };
        QTRY_VERIFY2(problems().contains(QStringLiteral("aucune case « juste » n'est cochée")), qPrintable(problems()));
        QVERIFY2(!problems().contains(QStringLiteral("clé")), qPrintable(problems()));

        w.findChild<QCheckBox *>(QStringLiteral("right2"))->click();
        QTRY_VERIFY2(problems().contains(QStringLiteral("case « juste » est cochée sur une proposition vide")),
                     qPrintable(problems()));
        QVERIFY2(problems().contains(QStringLiteral("(proposition 2)")), qPrintable(problems()));
        QVERIFY2(!problems().contains(QStringLiteral("clé")), qPrintable(problems()));
    }

    void picturesNoQuestionNamesAreTidiedAtSave()
    {
        QTemporaryDir dir;
        const auto picture = [&dir](const QString &name, Qt::GlobalColor colour) {
            QImage image(60, 40, QImage::Format_RGB32);
            image.fill(colour);
            const QString path = dir.filePath(name);
            image.save(path);
            return path;
        };
        FormEditeur w;
        w.show();
        type(w, QStringLiteral("questionText"), QStringLiteral("Quelle couleur ?"));
        QVERIFY(w.saveAs(dir.filePath(QStringLiteral("couleurs.qcm"))));
        // A picture the teacher put there herself is never the editor's to remove.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("images")));
        QVERIFY(QFile::copy(picture(QStringLiteral("sien.png"), Qt::green), dir.filePath(QStringLiteral("images/sien.png"))));
        const QString red = dir.filePath(QStringLiteral("images/rouge.bmp"));
        const QString blue = dir.filePath(QStringLiteral("images/bleu.bmp"));

        QVERIFY(w.setPicture(picture(QStringLiteral("rouge.png"), Qt::red)));
        QVERIFY(QFileInfo(red).isFile());
        w.findChild<QPushButton *>(QStringLiteral("removePicture"))->click();
        QVERIFY(w.document().question(0).text(qcm::Field::PictureFile).isEmpty());
        QVERIFY(w.save());
        QVERIFY(!QFileInfo::exists(red));

        // Undone, the removal brings its picture back.
        w.document().undoStack()->undo();
        QCOMPARE(w.document().question(0).text(qcm::Field::PictureFile), QStringLiteral("images\\rouge.bmp"));
        QVERIFY(QFileInfo(red).isFile());
        QVERIFY(w.save());
        QVERIFY(QFileInfo(red).isFile());

        // A choice undone before the save leaves nothing behind either.
        QVERIFY(w.setPicture(picture(QStringLiteral("bleu.png"), Qt::blue)));
        QVERIFY(QFileInfo(blue).isFile());
        w.document().undoStack()->undo();
        QVERIFY(w.save());
        QVERIFY(!QFileInfo::exists(blue));
        QVERIFY(QFileInfo(red).isFile());
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("images/sien.png"))).isFile());
    }

    void previewIsThePlayersPictureArea_data()
    {
        QTest::addColumn<bool>("reduce");
        QTest::newRow("kept at its size") << false;
        QTest::newRow("reduced to the area") << true;
    }

    void previewIsThePlayersPictureArea()
    {
        QFETCH(bool, reduce);
        QTemporaryDir dir;
        QImage drawing(400, 300, QImage::Format_RGB32);
        drawing.fill(Qt::white);
        const QString source = dir.filePath(QStringLiteral("schema.png"));
        QVERIFY(drawing.save(source));
        FormEditeur w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        type(w, QStringLiteral("questionText"), QStringLiteral("Que montre le schéma ?"));
        QVERIFY(w.saveAs(dir.filePath(QStringLiteral("schema.qcm"))));
        auto offer = answerNextMessage(reduce ? QMessageBox::Yes : QMessageBox::No);
        QVERIFY(w.setPicture(source));
        QVERIFY2(offer->text.contains(QStringLiteral("400 × 300")), qPrintable(offer->text));

        auto *area = w.findChild<QScrollArea *>(QStringLiteral("pictureArea"));
        auto *preview = w.findChild<QLabel *>(QStringLiteral("picturePreview"));
        QCOMPARE(area->viewport()->size(), QSize(297, 345));
        const QSize shown = reduce ? QSize(297, 222) : QSize(400, 300);
        QCOMPARE(preview->pixmap().size(), shown);
        QTRY_COMPARE(area->horizontalScrollBar()->isVisible(), !reduce);
        const auto problems = [&w] { return problemList(w); };
        const QString scroll = QStringLiteral("plus grande que la zone d'image (297 × 345) : l'élève devra la faire défiler");
        // The question has no proposition yet: the check says so in any case.
        QTRY_VERIFY2(problems().contains(QStringLiteral("sans proposition")), qPrintable(problems()));
        QCOMPARE(problems().contains(scroll), !reduce);
    }

    void fieldsKeepTheirWidthAndLongTextsCanBeCut()
    {
        FormEditeur w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *proposition = w.findChild<QLineEdit *>(QStringLiteral("proposition1"));
        const int capacity = int(qcm::layoutOf(qcm::Field::Answer1).capacity);
        type(w, QStringLiteral("proposition1"), QStringLiteral("123456789"));
        QCoreApplication::processEvents();
        const int width = proposition->width();
        // A tenth character, then too many: the counter gains digits and turns red.
        type(w, QStringLiteral("proposition1"), QStringLiteral("0") + QString(capacity, u'x'));
        QCoreApplication::processEvents();
        QCOMPARE(proposition->width(), width);

        auto *cut = w.findChild<QPushButton *>(QStringLiteral("proposition1Cut"));
        QVERIFY(cut->isVisible());
        QCOMPARE(cut->text(), QStringLiteral("Couper à %1").arg(capacity));
        cut->click();
        QCOMPARE(w.document().question(0).text(qcm::Field::Answer1).size(), qsizetype(capacity));
        QVERIFY(w.document().question(0).text(qcm::Field::Answer1).startsWith(QStringLiteral("1234567890x")));
        QVERIFY(!cut->isVisible());
    }

    void unsavedChangesOfferNotToSave()
    {
        FormEditeur w;
        type(w, QStringLiteral("questionText"), QStringLiteral("Une question"));
        ModalScript script({ModalScript::Step{QMessageBox::Cancel, {}}});
        QVERIFY(!w.maybeSave());
        QVERIFY(script.buttonTexts.contains(QStringLiteral("&Ne pas enregistrer")));
    }

    void recentQuizzesAreOfferedAgain()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("addition.qcm"));
        const QString second = dir.filePath(QStringLiteral("soustraction.qcm"));
        {
            FormEditeur w;
            type(w, QStringLiteral("questionText"), QStringLiteral("2 + 2 ?"));
            QVERIFY(w.saveAs(first));
            type(w, QStringLiteral("questionText"), QStringLiteral(" et 3 + 3 ?"));
            QVERIFY(w.saveAs(second));
            QVERIFY(w.openQuiz(first));
        }
        // The next run offers them, the last one first.
        FormEditeur w;
        QMenu *recent = nullptr;
        for (QAction *action : w.menuBar()->actions().first()->menu()->actions()) {
            if (action->menu() && action->text().contains(QStringLiteral("récent")))
                recent = action->menu();
        }
        QVERIFY(recent);
        // Earlier saves of this run are there too, further down.
        const qsizetype offered = recent->actions().size();
        QVERIFY(offered >= 2 && offered <= RecentQuizzes::Kept);
        QVERIFY(recent->actions()[0]->text().startsWith(QStringLiteral("&1 addition.qcm")));
        QVERIFY(recent->actions()[1]->text().startsWith(QStringLiteral("&2 soustraction.qcm")));
        recent->actions()[1]->trigger();
        QCOMPARE(QFileInfo(w.document().path()).fileName(), QStringLiteral("soustraction.qcm"));

        // One that is gone is said so, and no longer offered.
        QVERIFY(QFile::remove(first));
        const QString gone = recent->actions()[1]->text();
        QVERIFY(gone.contains(QStringLiteral("addition.qcm")));
        auto answer = answerNextMessage(QMessageBox::Ok);
        recent->actions()[1]->trigger();
        QVERIFY(answer->shown);
        QVERIFY2(answer->text.contains(QStringLiteral("n'est plus là")), qPrintable(answer->text));
        QCOMPARE(recent->actions().size(), offered - 1);
        QCOMPARE(QFileInfo(w.document().path()).fileName(), QStringLiteral("soustraction.qcm"));
    }
};

QTEST_MAIN(EditorFirstUseTest)
#include "editor_first_use.moc"
