#pragma once

#include <QString>

#include "quiz/QuestionRecord.h"

namespace qcm {

// A field as the teacher knows it from the editor, in French, with its
// article: "la question", "la proposition 2", "le commentaire si juste".
QString fieldNameInFrench(Field field);
// The same without its article, after a place: "question 3, proposition 2".
QString fieldNameInFrenchAlone(Field field);

} // namespace qcm
