#include "quiz/authoring/Judging.h"

namespace qcm::authoring {

long long keyNumber(const QString &key)
{
    qsizetype i = 0;
    while (i < key.size() && key.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < key.size() && (key.at(i) == QLatin1Char('-') || key.at(i) == QLatin1Char('+')))
        negative = key.at(i++) == QLatin1Char('-');
    long long value = 0;
    for (; i < key.size() && key.at(i) >= QLatin1Char('0') && key.at(i) <= QLatin1Char('9'); ++i)
        value = value * 10 + (key.at(i).unicode() - '0');
    return negative ? -value : value;
}

int keyPropositions(const QString &key)
{
    // The player's cascade, which also gives a meaning to keys above 31.
    long long k = keyNumber(key);
    int bits = 0;
    for (int bit = 16; bit >= 2; bit /= 2) {
        if (k >= bit) {
            bits |= bit;
            k -= bit;
        }
    }
    if (k >= 1)
        bits |= 1;
    return bits;
}

bool judgedRight(const QString &key, const QString &rule, int ticked)
{
    if (rule.left(2) == QLatin1String("ET"))
        return QString::number(ticked) == key.left(2);
    return (ticked & keyPropositions(key.left(2))) != 0;
}

bool isPlainKey(const QString &key)
{
    bool ok = false;
    const int value = key.toInt(&ok);
    return ok && value >= 0 && value <= 31 && QString::number(value) == key;
}

} // namespace qcm::authoring
