#pragma once

#include <QString>
#include <array>

#include "quiz/QuestionRecord.h"
#include "quiz/RecordText.h"

// One question as the teacher edits it: its texts as Unicode, and the record
// it came from, whose bytes are kept for every field left unchanged so that a
// quiz opened and saved stays byte for byte the same.
namespace editor {

struct EditedQuestion
{
    qcm::QuestionRecord original{};
    std::array<QString, 12> texts; // indexed by qcm::Field

    const QString &text(qcm::Field field) const { return texts[std::size_t(field)]; }
    QString &text(qcm::Field field) { return texts[std::size_t(field)]; }

    // The right propositions as a bit set (proposition 1 is bit 0).
    int rightBits() const;
    bool allOf() const;

    static EditedQuestion fromRecord(const qcm::QuestionRecord &record);
    // A new question: every proposition wrong, all right propositions asked.
    static EditedQuestion blank();

    // The field that cannot be stored first, with why; None when all can.
    struct Fault
    {
        qcm::Field field = qcm::Field::RecordTag;
        qcm::EncodeError error = qcm::EncodeError::None;
    };
    Fault firstFault() const;
    // The record to write; only valid when firstFault() finds none.
    qcm::QuestionRecord toRecord() const;
};

// The fields the teacher edits, in record order.
const std::array<qcm::Field, 11> &editedFields();

} // namespace editor
