#pragma once

#include <QStringList>

#include "quiz/QuestionRecord.h"
#include "quiz/RecordText.h"

// A question as the checks' tests make it: both comments filled in, so that
// only what a test leaves out is reported.
inline qcm::QuestionRecord question(const QString &text, const QStringList &answers, const QString &key,
    const QString &rule, const QString &picture = {})
{
    using qcm::Field;
    qcm::QuestionRecord r;
    qcm::encodeField(r, Field::QuestionText, text);
    for (int i = 0; i < answers.size(); ++i)
        qcm::encodeField(r, qcm::answerField(i + 1), answers[i]);
    qcm::encodeField(r, Field::AnswerKey, key);
    qcm::encodeField(r, Field::ValidityRule, rule);
    qcm::encodeField(r, Field::RightComment, QStringLiteral("Bravo"));
    qcm::encodeField(r, Field::WrongComment, QStringLiteral("Non"));
    qcm::encodeField(r, Field::PictureFile, picture);
    return r;
}

inline const QStringList Three = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
