#pragma once

// Shared by the main window's widget tests: quizzes written on the fly, the
// program's windows with the main one on screen, and a driver that answers
// the modal dialogs the window opens.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "tests/common/SettingsOfThisRun.h"
#include "app/Application.h"
#include "app/TavelorWindows.h"
#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"
#include "skin/EzRgnBtn.h"
#include "ui_FenetreMessage.h"
#include "ui_FormQCM.h"

struct QuestionDraft
{
    QString text;
    QStringList answers; // up to five; an empty string leaves a gap
    QString key;
    QString rule = QStringLiteral("ET");
    QString right = QStringLiteral("Bravo.");
    QString wrong = QStringLiteral("Revoyez la leçon.");
    QString picture = QString();
};

inline qcm::QuestionRecord makeRecord(const QuestionDraft &draft)
{
    qcm::QuestionRecord record;
    const auto put = [&record](qcm::Field field, const QString &text) {
        QCOMPARE_EQ(int(qcm::encodeField(record, field, text)), int(qcm::EncodeError::None));
    };
    put(qcm::Field::QuestionText, draft.text);
    for (int i = 1; i <= 5; ++i)
        put(qcm::answerField(i), i <= draft.answers.size() ? draft.answers[i - 1] : QString());
    put(qcm::Field::AnswerKey, draft.key);
    put(qcm::Field::ValidityRule, draft.rule);
    put(qcm::Field::RightComment, draft.right);
    put(qcm::Field::WrongComment, draft.wrong);
    put(qcm::Field::PictureFile, draft.picture);
    return record;
}

// n questions "Question k", propositions A to E, key 1 (proposition A) under "ET".
inline QList<QuestionDraft> simpleQuiz(int n)
{
    QList<QuestionDraft> drafts;
    for (int k = 1; k <= n; ++k)
        drafts << QuestionDraft{QStringLiteral("Question %1").arg(k),
                              {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                               QStringLiteral("D"), QStringLiteral("E")},
                              QStringLiteral("1")};
    return drafts;
}

// "<tag> question <n>", propositions "Oui" and "Non", key 1 under "ET", no comments.
inline QuestionDraft taggedQuestion(const QString &tag, int n)
{
    return {QStringLiteral("%1 question %2").arg(tag).arg(n), {QStringLiteral("Oui"), QStringLiteral("Non")},
            QStringLiteral("1"), QStringLiteral("ET"), QString(), QString()};
}

inline QString questionOf(const qcm::QuestionRecord &record)
{
    return qcm::decodeField(record, qcm::Field::QuestionText);
}

// Writes `count` tagged questions, then `extraBytes` bytes of a partial record.
inline bool writeQuiz(const QString &path, const QString &tag, int count, int extraBytes = 0)
{
    std::vector<qcm::QuestionRecord> records;
    for (int n = 1; n <= count; ++n)
        records.push_back(makeRecord(taggedQuestion(tag, n)));
    if (!qcm::writeQuizFile(path, records))
        return false;
    if (extraBytes > 0) {
        QFile file(path);
        if (!file.open(QIODevice::Append))
            return false;
        file.write(QByteArray(extraBytes, '\0'));
    }
    return true;
}

// Answers modal dialogs as they come up: message boxes are acknowledged and
// their texts recorded; the file dialog takes the next planned answer (a path
// to choose, or an empty string to cancel).
class ModalDriver : public QObject
{
public:
    ModalDriver()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
        m_timer.start();
    }

    void planFile(const QString &path) { m_files.enqueue(path); }
    void planCancel() { m_files.enqueue(QString()); }
    // Runs once, the next time a message box is up, before it is answered.
    void onNextMessage(std::function<void()> action) { m_onMessage = std::move(action); }

    QStringList messages;
    int dialogsSeen = 0;
    QString lastDialogFolder;

private:
    void poll()
    {
        // Each answer hides the dialog at once, so none is answered twice.
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            if (m_onMessage)
                std::exchange(m_onMessage, nullptr)();
            box->button(QMessageBox::Ok)->click();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            if (!m_choosing) {
                ++dialogsSeen;
                lastDialogFolder = dialog->directory().absolutePath();
                const QString path = m_files.isEmpty() ? QString() : m_files.dequeue();
                if (path.isEmpty()) {
                    dialog->reject();
                    return;
                }
                m_choosing = true;
                m_choice = QFileInfo(path).absoluteFilePath();
            }
            // The dialog's view fills in on its own time and may replace the
            // typed name with an older selection: type it again until the
            // dialog takes it as its choice, and only then accept.
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (name->text() != m_choice)
                name->setText(m_choice);
            if (dialog->selectedFiles() == QStringList{m_choice}) {
                m_choosing = false;
                QMetaObject::invokeMethod(dialog, "accept");
            }
        }
    }

    QTimer m_timer;
    bool m_choosing = false;
    QString m_choice;
    QQueue<QString> m_files;
    std::function<void()> m_onMessage;
};

class QuizHarness
{
public:
    QuizHarness()
    {
        windows = std::make_unique<TavelorWindows>();
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form()));
    }

    TFormQCM &form() { return windows->FormQCM; }
    Ui::FormQCM &ui() { return *windows->FormQCM.ui; }
    TFormFenetreMessage &popup() { return windows->FormFenetreMessage; }
    QString folder() const { return dir.path(); }

    // Writes the quiz and loads it as the load command does once the file is chosen.
    void load(const QList<QuestionDraft> &drafts, const QString &title = QStringLiteral("essai"))
    {
        std::vector<qcm::QuestionRecord> records;
        for (const QuestionDraft &draft : drafts)
            records.push_back(makeRecord(draft));
        // An empty record ends the questions, as the authoring tool leaves it.
        if (records.empty())
            records.emplace_back();
        const QString path = dir.filePath(title + QStringLiteral(".qcm"));
        QVERIFY(qcm::writeQuizFile(path, records));
        form().State.QuizFileName = path;
        form().State.QuizFolder = dir.path() + QLatin1Char('/');
        form().ui->DRLabel12->setCaption(title);
        form().ReloadQuiz();
    }

    static void click(TEzRgnBtn *button)
    {
        QVERIFY2(button->isVisible(), qPrintable(button->objectName() + QStringLiteral(" is hidden")));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, button->height() / 2));
    }

    QCheckBox *box(int i)
    {
        QCheckBox *const boxes[] = {ui().CheckBox1, ui().CheckBox2, ui().CheckBox3, ui().CheckBox4, ui().CheckBox5};
        return boxes[i - 1];
    }

    QPlainTextEdit *memo(int i)
    {
        QPlainTextEdit *const memos[] = {ui().Memo1, ui().Memo2, ui().Memo3, ui().Memo4,
                                         ui().Memo5, ui().Memo6, ui().Memo7};
        return memos[i - 1];
    }

    // The tick box itself, left of the proposition's text box that covers the caption.
    void tick(int i)
    {
        QCheckBox *b = box(i);
        QVERIFY2(b->isVisible(), "box hidden");
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }

    void start() { click(ui().EzRgnBtn2); }

    // Ticks the boxes, asks for the correction, closes the pop-up by its ball
    // and moves on.
    void answer(const QList<int> &boxes)
    {
        for (int i : boxes)
            tick(i);
        click(ui().EzRgnBtn5);
        QVERIFY(popup().isVisible());
        QVERIFY(ui().EzRgnBtn3->isHidden());
        click(popup().ui->EzRgnBtn1);
        QVERIFY(!popup().isVisible());
        click(ui().EzRgnBtn3);
    }

    // Current question's record number.
    int record() const { return windows->FormQCM.State.QuestionOrder[windows->FormQCM.State.CurrentPosition]; }

    QStringList memo7Lines() { return ui().Memo7->toPlainText().split(QLatin1Char('\n')); }

    QColor verdictColour() { return popup().ui->Label1->palette().color(QPalette::Active, QPalette::WindowText); }

    QTemporaryDir dir;
    std::unique_ptr<TavelorWindows> windows;
};

inline const QString Separator(66, QLatin1Char('-'));
