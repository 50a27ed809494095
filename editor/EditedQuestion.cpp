#include "editor/EditedQuestion.h"

#include "quiz/Judging.h"

using qcm::Field;

namespace editor {

const std::array<Field, 11> &editedFields()
{
    static const std::array<Field, 11> fields = {Field::QuestionText, Field::Answer1, Field::Answer2, Field::Answer3,
        Field::Answer4, Field::Answer5, Field::RightComment, Field::WrongComment, Field::PictureFile, Field::AnswerKey,
        Field::ValidityRule};
    return fields;
}

int EditedQuestion::rightBits() const
{
    return qcm::keyPropositions(qcm::readKeyNumber(text(Field::AnswerKey)));
}

bool EditedQuestion::allOf() const
{
    return qcm::isAllOfRule(text(Field::ValidityRule));
}

EditedQuestion EditedQuestion::fromRecord(const qcm::QuestionRecord &record)
{
    EditedQuestion question;
    question.original = record;
    for (const Field field : editedFields())
        question.text(field) = qcm::decodeField(record, field);
    return question;
}

EditedQuestion EditedQuestion::blank()
{
    EditedQuestion question;
    question.text(Field::AnswerKey) = QStringLiteral("0");
    question.text(Field::ValidityRule) = QStringLiteral("ET");
    return question;
}

EditedQuestion::Fault EditedQuestion::firstFault() const
{
    for (const Field field : editedFields()) {
        qcm::QuestionRecord scratch;
        const qcm::EncodeError error = qcm::encodeField(scratch, field, text(field));
        if (error != qcm::EncodeError::None)
            return {field, error};
    }
    return {};
}

qcm::QuestionRecord EditedQuestion::toRecord() const
{
    qcm::QuestionRecord record = original;
    for (const Field field : editedFields()) {
        if (text(field) != qcm::decodeField(original, field))
            qcm::encodeField(record, field, text(field));
    }
    return record;
}

} // namespace editor
