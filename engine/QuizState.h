#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "quiz/QuestionRecord.h"

// The quiz being taken. Fixed storage: entries 1 to 100 of the arrays are
// used, entry 0 is not.
struct QuizState
{
    std::int32_t CurrentPosition = 0;
    std::int32_t QuestionCount = 0;
    std::array<std::int32_t, qcm::MaxQuestions + 1> QuestionOrder{};
    std::int32_t GoodCount = 0;
    std::int32_t WrongCount = 0;
    std::array<std::int32_t, qcm::MaxQuestions + 1> WrongRecords{};
    std::int32_t TickedSum = 0;
    bool ExamOrder = false; // the questions were put in random order
    QString AnswerCode;
    QString CurrentKey;
    QString CurrentRule;
    QString QuizFileName;
    QString QuizFolder;
    QString ParentFolderPath;
    QString QuizFileShortName;
    QString ProgramDrive;
};
