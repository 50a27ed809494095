#pragma once

// Shared by the engine's widget tests: builds quizzes on disk, runs the
// program's windows and drives the main window through its controls.

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

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
