#pragma once

#include <QString>
#include <vector>

#include "quiz/authoring/QuestionStats.h"

// The class report a teacher prints or sends, drawn into a PDF file.
namespace qcm::authoring {

// For each quiz, a page (or more): the score histogram, a bar per question
// (facility) with the flagged ones marked, the counts per proposition, and
// the per-pupil table (name, date, score); A4, in French, pages numbered.
// `anonymous` puts numbers in place of the pupils' names. Returns the reason
// of a failure in French, empty on success.
QString writeClassReport(const std::vector<QuizStats> &quizzes, const QString &pdfPath, bool anonymous);

} // namespace qcm::authoring
