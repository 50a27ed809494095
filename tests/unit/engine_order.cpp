#include <QTest>

#include "engine/QuestionShuffle.h"
#include "quiz/RecordText.h"

namespace {

// Number of draws between two generator states.
int drawsBetween(QuizRandom from, std::uint32_t to)
{
    int draws = 0;
    while (from.state() != to && draws < 100000) {
        from.next();
        ++draws;
    }
    return draws;
}

QList<int> entries(const QuestionOrderArray &order, int n)
{
    return QList<int>(order.begin() + 1, order.begin() + 1 + n);
}

qcm::QuestionRecord question(const QString &text)
{
    qcm::QuestionRecord record;
    qcm::encodeField(record, qcm::Field::QuestionText, text);
    return record;
}

} // namespace

class EngineOrderTest : public QObject
{
    Q_OBJECT
private slots:
    void firstExamPreparationsOfARunGiveTheKnownOrders()
    {
        QuizRandom random;
        QuestionOrderArray order{};

        QuizRandom before = random;
        shuffleOrder(order, 5, random);
        QCOMPARE(drawsBetween(before, random.state()), 17);
        before = random;
        shuffleOrder(order, 5, random);
        QCOMPARE(drawsBetween(before, random.state()), 23);
        QCOMPARE(entries(order, 5), (QList<int>{5, 1, 3, 2, 4}));

        shuffleOrder(order, 5, random);
        shuffleOrder(order, 5, random);
        QCOMPARE(entries(order, 5), (QList<int>{4, 3, 5, 1, 2}));
    }

    void firstExamPreparationOfTenQuestions()
    {
        QuizRandom random;
        QuestionOrderArray order{};
        shuffleOrder(order, 10, random);
        shuffleOrder(order, 10, random);
        QCOMPARE(entries(order, 10), (QList<int>{1, 8, 5, 7, 9, 2, 4, 3, 10, 6}));
    }

    void shuffleIsAPermutationAndLeavesLaterEntriesAlone()
    {
        QuizRandom random;
        for (int n : {2, 3, 7, 99, 100}) {
            QuestionOrderArray order{};
            order.fill(-7);
            shuffleOrder(order, n, random);
            QList<int> values = entries(order, n);
            std::sort(values.begin(), values.end());
            for (int i = 0; i < n; ++i)
                QCOMPARE(values[i], i + 1);
            QCOMPARE(order[0], -7);
            if (n < qcm::MaxQuestions)
                QCOMPARE(order[n + 1], -7);
        }
    }

    void singleQuestionTakesOneDrawAndSlotOne()
    {
        QuizRandom random;
        random.next();
        random.next();
        QuestionOrderArray order{};
        const QuizRandom before = random;
        shuffleOrder(order, 1, random);
        QCOMPARE(drawsBetween(before, random.state()), 1);
        QCOMPARE(order[1], 1);
    }

    void twoQuestionsFollowTheFirstDraw()
    {
        // Value 1 goes to position 1 when r <= 0.5 (0.5 rounds to 0), else 2.
        QuizRandom random;
        for (int i = 0; i < 50; ++i) {
            QuizRandom peek = random;
            const double r = peek.next();
            QuestionOrderArray order{};
            shuffleOrder(order, 2, random);
            QCOMPARE(order[1], r <= 0.5 ? 1 : 2);
        }
    }

    void naturalOrderCountsUp()
    {
        QuestionOrderArray order{};
        naturalOrder(order, 4);
        QCOMPARE(entries(order, 4), (QList<int>{1, 2, 3, 4}));
    }

    void countStopsAtFirstEmptyQuestionAndAtRecordsRead()
    {
        auto bank = std::make_unique<qcm::QuestionBank>();
        for (int i = 1; i <= 20; ++i)
            (*bank)[i] = question(QStringLiteral("Q%1").arg(i));
        QCOMPARE(countQuestions(*bank, 20), 20);
        // A shorter file read after a longer one: the older records stay out.
        QCOMPARE(countQuestions(*bank, 5), 5);
        (*bank)[4] = qcm::QuestionRecord{};
        QCOMPARE(countQuestions(*bank, 20), 3);
        (*bank)[1] = qcm::QuestionRecord{};
        QCOMPARE(countQuestions(*bank, 20), 0);
    }

    void countNeverExceedsTheBank()
    {
        auto bank = std::make_unique<qcm::QuestionBank>();
        for (int i = 1; i <= qcm::MaxQuestions; ++i)
            (*bank)[i] = question(QStringLiteral("Q"));
        QCOMPARE(countQuestions(*bank, 150), 100);
        QCOMPARE(countQuestions(*bank, -3), 0);
    }
};

QTEST_GUILESS_MAIN(EngineOrderTest)
#include "engine_order.moc"
