#pragma once

#include <QString>

#include "quiz/QuestionRecord.h"

// Reading and writing a record's texts as Unicode.
namespace qcm {

// Copies the field, decodes the copy and converts it from Windows-1252.
QString decodeField(const QuestionRecord &record, Field field);

enum class EncodeError { None, TooLong, NotWindows1252 };
// Converts to Windows-1252, scrambles and stores the text.
EncodeError encodeField(QuestionRecord &record, Field field, const QString &text);

} // namespace qcm
