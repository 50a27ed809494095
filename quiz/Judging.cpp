#include "quiz/Judging.h"

namespace qcm {

int readKeyNumber(const QString &key)
{
    qsizetype i = 0;
    while (i < key.size() && (key.at(i) == QLatin1Char(' ') || key.at(i) == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < key.size() && (key.at(i) == QLatin1Char('+') || key.at(i) == QLatin1Char('-'))) {
        negative = key.at(i) == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    while (i < key.size() && key.at(i) >= QLatin1Char('0') && key.at(i) <= QLatin1Char('9')) {
        // A key field holds two characters; the cap only keeps damaged input finite.
        if (value < 1'000'000'000)
            value = value * 10 + (key.at(i).unicode() - u'0');
        ++i;
    }
    return int(negative ? -value : value);
}

int keyPropositions(int keyNumber)
{
    int bits = 0;
    for (int bit = 16; bit >= 2; bit /= 2) {
        if (keyNumber >= bit) {
            bits |= bit;
            keyNumber -= bit;
        }
    }
    if (keyNumber >= 1)
        bits |= 1;
    return bits;
}

QString answerCodeOf(int tickedSum)
{
    return QString::number(tickedSum);
}

bool isAllOfRule(const QString &rule)
{
    return rule == QLatin1String("ET");
}

bool isAnswerRight(const QString &key, const QString &rule, const QString &answerCode, int tickedSum)
{
    if (isAllOfRule(rule))
        return answerCode == key;
    return (tickedSum & keyPropositions(readKeyNumber(key))) != 0;
}

bool judgedRight(const QString &key, const QString &rule, int ticked)
{
    return isAnswerRight(key, rule, answerCodeOf(ticked), ticked);
}

bool isPlainKey(const QString &key)
{
    bool ok = false;
    const int value = key.toInt(&ok);
    return ok && value >= 0 && value <= 31 && QString::number(value) == key;
}

} // namespace qcm
