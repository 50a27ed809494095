#pragma once

#include <QIODevice>
#include <QString>
#include <functional>
#include <vector>

#include "quiz/QuestionRecord.h"
#include "quiz/authoring/Lang.h"

// What in a quiz file will surprise a pupil or a teacher, question by question.
namespace qcm::authoring {

struct Finding
{
    enum class Level { Remark, Warning, Error };
    Level level = Level::Remark;
    int record = 0;  // 0: the file as a whole
    QString field;   // empty: the record as a whole
    QString text;
};

struct PictureProbe
{
    bool loaded = false;
    int width = 0;
    int height = 0;
    QString reason; // why it failed
};
// Loads the picture a question names (below the quiz's folder) the way the player does.
using PictureProbeFn = std::function<PictureProbe(const QString &quizFolder, const QString &pictureName)>;

struct CheckReport
{
    std::vector<Finding> findings;
    int records = 0;
    int questions = 0; // the records the player asks
    bool hasErrors() const;
};

// The picture formats the player can show, by extension.
bool isShownPictureFormat(const QString &pictureName);

// Reads the quiz one record at a time from `quiz`, opened for reading; `path`
// names it in messages and gives the folder its pictures are looked up in.
CheckReport checkQuiz(QIODevice &quiz, const QString &path, Lang lang, const PictureProbeFn &probe);
// The same checks on records in memory, as if saved in quizFolder; adds to report.
void checkRecords(const std::vector<QuestionRecord> &records, const QString &quizFolder, Lang lang,
    const PictureProbeFn &probe, CheckReport &report);
// One line: "fichier.qcm : question 3, AnswerKey : erreur : …".
QString formatFinding(const Finding &finding, const QString &file, Lang lang);
QString formatSummary(const CheckReport &report, const QString &file, Lang lang);

} // namespace qcm::authoring
