#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <vector>

#include "app/FormQCM.h"
#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"
#include "ui_FormQCM.h"

namespace bench {

// A two-answer question naming a picture, or none when the name is empty.
inline qcm::QuestionRecord question(const QString &picture)
{
    qcm::QuestionRecord record;
    qcm::encodeField(record, qcm::Field::QuestionText, QStringLiteral("Que montre cette photographie ?"));
    qcm::encodeField(record, qcm::Field::Answer1, QStringLiteral("Un paysage"));
    qcm::encodeField(record, qcm::Field::Answer2, QStringLiteral("Un portrait"));
    qcm::encodeField(record, qcm::Field::AnswerKey, QStringLiteral("1"));
    qcm::encodeField(record, qcm::Field::ValidityRule, QStringLiteral("ET"));
    if (!picture.isEmpty())
        qcm::encodeField(record, qcm::Field::PictureFile, picture);
    return record;
}

// Writes a quiz in a subject folder under root, as pupils have them; returns its path.
inline QString writeQuiz(const QString &root, const QString &name, const std::vector<QString> &pictures)
{
    const QString dir = root + QStringLiteral("/Sciences/Photos");
    QDir().mkpath(dir);
    std::vector<qcm::QuestionRecord> records;
    for (const QString &picture : pictures)
        records.push_back(question(picture));
    const QString path = dir + QLatin1Char('/') + name;
    qcm::writeQuizFile(path, records);
    return path;
}

// The question's picture, or the default one, is on screen: its decode has ended.
inline bool pictureSettled(TFormQCM &form)
{
    return form.ui->Image8->isVisibleTo(&form) || form.ui->Image2->isVisibleTo(&form);
}

// Lets the window live (events, timers, background decodes ending) for a while.
inline void spend(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the window's events until the question's picture is settled; false
// if it still is not after the given time.
inline bool waitForPicture(TFormQCM &form, int limitMs = 30000)
{
    QDeadlineTimer deadline(limitMs);
    while (!pictureSettled(form)) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

} // namespace bench
