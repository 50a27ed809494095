#pragma once

#include <array>
#include <cstdint>

#include "engine/QuizRandom.h"
#include "quiz/QuizFile.h"

// Building the order in which the questions are asked. Orders are indexed
// 1 to 100 like QuizState::QuestionOrder; entry 0 is not used.
using QuestionOrderArray = std::array<std::int32_t, qcm::MaxQuestions + 1>;

// The questions of the bank: records from 1 up to the first one with an
// empty question, never past the records the last read put there.
int countQuestions(const qcm::QuestionBank &bank, int recordsRead);

// Entry p := p for p = 1 to n.
void naturalOrder(QuestionOrderArray &order, int n);

// Each value 1 to n in turn lands on a free position drawn from the
// generator; a taken position means a new draw.
void shuffleOrder(QuestionOrderArray &order, int n, QuizRandom &random);
