#pragma once

#include <QString>
#include <optional>

#include "editor/EditedQuestion.h"
#include "quiz/authoring/QuestionStats.h"

// What the class's results logs say of the quiz open in the editor.
namespace editor {

// The quiz folder whose logs count for a quiz file: the first folder that
// has a "Résultats" folder, from the file's own up to the root; the usual
// quiz folder when none has.
QString quizFolderWithLogs(const QString &quizPath);

// The statistics of this very version of the quiz, the file as it is on
// disk; none when the class has no results for it. Reads every log of the
// folder.
std::optional<qcm::authoring::QuizStats> classResultsOf(const QString &quizPath);

// "1 élève", "23 élèves".
QString pupilCount(int count);
// "40 % juste", with " · à vérifier" when the question is flagged.
QString facilityText(const qcm::authoring::QuestionStats &stats);
// The same without "juste", for the list's narrow badge.
QString badgeText(const qcm::authoring::QuestionStats &stats);
// The counts behind it, a line each: the propositions (right ones marked),
// the blanks and the discrimination.
QString statsDetails(const qcm::authoring::QuestionStats &stats, const EditedQuestion &question);

} // namespace editor
