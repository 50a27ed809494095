#include "engine/QuestionShuffle.h"

#include <algorithm>

#include "quiz/Rounding.h"

int countQuestions(const qcm::QuestionBank &bank, int recordsRead)
{
    const int limit = std::clamp(recordsRead, 0, qcm::MaxQuestions);
    int count = 0;
    while (count < limit && bank[count + 1].hasQuestion())
        ++count;
    return count;
}

void naturalOrder(QuestionOrderArray &order, int n)
{
    n = std::clamp(n, 0, qcm::MaxQuestions);
    for (int p = 1; p <= n; ++p)
        order[p] = p;
}

void shuffleOrder(QuestionOrderArray &order, int n, QuizRandom &random)
{
    n = std::clamp(n, 0, qcm::MaxQuestions);
    std::fill(order.begin() + 1, order.begin() + 1 + n, 0);
    for (int v = 1; v <= n; ++v) {
        int slot = 0;
        do {
            // (n - 1) * r is exact in a double, so the half-way cases are true halves.
            slot = int(roundHalfEven(double(n - 1) * random.next())) + 1;
        } while (order[slot] != 0);
        order[slot] = v;
    }
}
