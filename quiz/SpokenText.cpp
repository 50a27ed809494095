#include "quiz/SpokenText.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace qcm {

namespace {

// Longer digit strings (telephone numbers, codes) are read one digit at a time.
constexpr qsizetype MaxNumberDigits = 9;

const QString Units[] = {
    QStringLiteral("zéro"), QStringLiteral("un"), QStringLiteral("deux"), QStringLiteral("trois"),
    QStringLiteral("quatre"), QStringLiteral("cinq"), QStringLiteral("six"), QStringLiteral("sept"),
    QStringLiteral("huit"), QStringLiteral("neuf"), QStringLiteral("dix"), QStringLiteral("onze"),
    QStringLiteral("douze"), QStringLiteral("treize"), QStringLiteral("quatorze"), QStringLiteral("quinze"),
    QStringLiteral("seize")};
const QString Tens[] = {QString(), QStringLiteral("dix"), QStringLiteral("vingt"), QStringLiteral("trente"),
                        QStringLiteral("quarante"), QStringLiteral("cinquante"), QStringLiteral("soixante")};

// 'plural' is false before "mille", which takes the s off vingts and cents.
QString belowHundred(int n, bool plural)
{
    if (n < 17)
        return Units[n];
    if (n < 20)
        return QStringLiteral("dix-") + Units[n - 10];
    if (n == 80)
        return plural ? QStringLiteral("quatre-vingts") : QStringLiteral("quatre-vingt");
    if (n > 80)
        return QStringLiteral("quatre-vingt-") + belowHundred(n - 80, true);
    const int ten = std::min(n / 10, 6), rest = n - 10 * ten; // 70 is soixante-dix
    if (rest == 0)
        return Tens[ten];
    return Tens[ten] + (rest == 1 || rest == 11 ? QStringLiteral(" et ") : QStringLiteral("-"))
        + belowHundred(rest, true);
}

QString belowThousand(int n, bool plural)
{
    const int hundreds = n / 100, rest = n % 100;
    if (hundreds == 0)
        return belowHundred(rest, plural);
    const QString cent = hundreds > 1 ? Units[hundreds] + QStringLiteral(" cent") : QStringLiteral("cent");
    if (rest == 0)
        return hundreds > 1 && plural ? cent + u's' : cent;
    return cent + u' ' + belowHundred(rest, plural);
}

QString cardinal(int n)
{
    if (n == 0)
        return Units[0];
    const int millions = n / 1000000, thousands = n / 1000 % 1000, rest = n % 1000;
    QStringList parts;
    if (millions)
        parts << belowThousand(millions, true)
                + (millions > 1 ? QStringLiteral(" millions") : QStringLiteral(" million"));
    if (thousands)
        parts << (thousands == 1 ? QStringLiteral("mille")
                                 : belowThousand(thousands, false) + QStringLiteral(" mille"));
    if (rest)
        parts << belowThousand(rest, true);
    return parts.join(u' ');
}

// "cinq" → "cinquième", "vingt et un" → "vingt et unième", "quatre-vingts" → "quatre-vingtième".
QString ordinal(QString c)
{
    if (c.endsWith(QLatin1String("vingts")) || c.endsWith(QLatin1String("cents")) || c.endsWith(u'e'))
        c.chop(1);
    if (c.endsWith(QLatin1String("cinq")))
        c += u'u';
    else if (c.endsWith(QLatin1String("neuf")))
        c.replace(c.size() - 1, 1, u'v');
    return c + QStringLiteral("ième");
}

// Leading zeros are said ("2,05": "zéro cinq"), the rest as one number.
QString digitsInWords(QStringView digits)
{
    QStringList words;
    qsizetype i = 0;
    const bool oneByOne = digits.size() > MaxNumberDigits;
    for (; i < digits.size() && (oneByOne || (i + 1 < digits.size() && digits[i] == u'0')); ++i)
        words << Units[digits[i].digitValue()];
    if (i < digits.size())
        words << cardinal(digits.sliced(i).toInt());
    return words.join(u' ');
}

struct Token
{
    enum Kind { Space, Word, Number, Sign } kind;
    QString text;     // a number's digits without the spaces between groups
    QString decimals; // a number's digits after the comma

    bool isWhole() const { return kind == Number && decimals.isEmpty() && text.size() <= MaxNumberDigits; }
    int value() const { return isWhole() ? text.toInt() : 0; }
    // Euros and degrees are plural from two on.
    bool plural() const { return text.size() > MaxNumberDigits || text.toInt() >= 2; }
    QString words() const
    {
        return decimals.isEmpty() ? digitsInWords(text)
                                  : digitsInWords(text) + QStringLiteral(" virgule ") + digitsInWords(decimals);
    }
};

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isLetter(QChar c) { return c.isLetter() || c.isMark(); }

std::vector<Token> tokenize(QStringView s)
{
    std::vector<Token> tokens;
    const qsizetype n = s.size();
    auto at = [&](qsizetype i) { return i < n ? s[i] : QChar(); };
    auto digitsEnd = [&](qsizetype i) { while (i < n && isDigit(s[i])) ++i; return i; };
    auto runEnd = [&](qsizetype i, QStringView marks) { while (i < n && marks.contains(s[i])) ++i; return i; };
    for (qsizetype i = 0, j = 0; i < n; i = j) {
        const QChar c = s[i];
        j = i + 1;
        const bool pair = c.isHighSurrogate() && at(j).isLowSurrogate();
        if (c.isSpace() || c.category() == QChar::Other_Control || (c.isSurrogate() && !pair)) {
            if (tokens.empty() || tokens.back().kind != Token::Space)
                tokens.push_back({Token::Space, QStringLiteral(" "), {}});
        } else if (isDigit(c)) {
            j = digitsEnd(i);
            QString whole = s.sliced(i, j - i).toString();
            // "12 500": groups of three after a space belong to the same number.
            if (whole.size() <= 3) {
                while (QStringView(u" \u00A0\u202F\u2009").contains(at(j)) && digitsEnd(j + 1) == j + 4) {
                    whole += s.sliced(j + 1, 3);
                    j += 4;
                }
            }
            QString decimals;
            if (at(j) == u',' && isDigit(at(j + 1))) {
                const qsizetype end = digitsEnd(j + 1);
                decimals = s.sliced(j + 1, end - j - 1).toString();
                j = end;
            }
            tokens.push_back({Token::Number, whole, decimals});
        } else if (isLetter(c)) {
            // Hyphens, apostrophes and the inclusive dot between letters are part of the word.
            while (j < n && (isLetter(s[j]) || (QStringView(u"-'’·").contains(s[j]) && isLetter(at(j + 1)))))
                ++j;
            tokens.push_back({Token::Word, s.sliced(i, j - i).toString(), {}});
        } else if (QStringView(u"_.…-–—").contains(c)) {
            // Runs of underscores, dots or dashes are blanks to fill in: a pause.
            j = runEnd(i, QStringView(u"_.…").contains(c) ? QStringView(u"_.…") : QStringView(u"-–—"));
            tokens.push_back({Token::Sign, j - i > 1 ? QStringLiteral("…") : QString(c), {}});
        } else {
            j = pair ? i + 2 : i + 1;
            tokens.push_back({Token::Sign, s.sliced(i, j - i).toString(), {}});
        }
    }
    return tokens;
}

QString signWords(char16_t sign)
{
    switch (sign) {
    case u'+': return QStringLiteral("plus");
    case u'−': return QStringLiteral("moins");
    case u'±': return QStringLiteral("plus ou moins");
    case u'×': return QStringLiteral("fois");
    case u'÷': return QStringLiteral("divisé par");
    case u'=': return QStringLiteral("égale");
    case u'<': return QStringLiteral("est plus petit que");
    case u'>': return QStringLiteral("est plus grand que");
    case u'≤': return QStringLiteral("est plus petit que ou égal à");
    case u'≥': return QStringLiteral("est plus grand que ou égal à");
    case u'≠': return QStringLiteral("n'est pas égal à");
    case u'≈': return QStringLiteral("est environ égal à");
    case u'^': return QStringLiteral("puissance");
    case u'²': return QStringLiteral("au carré");
    case u'³': return QStringLiteral("au cube");
    case u'%': return QStringLiteral("pour cent");
    case u'‰': return QStringLiteral("pour mille");
    case u'&': return QStringLiteral("et");
    case u'½': return QStringLiteral("un demi");
    case u'¼': return QStringLiteral("un quart");
    case u'¾': return QStringLiteral("trois quarts");
    }
    // Brackets, bullets and bars split a sentence: a pause. Quotes and marks of
    // emphasis are not heard at all.
    if (QStringView(u"()[]{}|•◦▪‣►▸·–—").contains(QChar(sign)))
        return QStringLiteral(",");
    if (QStringView(u"\"«»“”„‹›'‘’*_#~`\\/").contains(QChar(sign)))
        return QStringLiteral(" ");
    return QString();
}

class Reader
{
public:
    explicit Reader(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

    QString read()
    {
        for (qsizetype i = 0; i < size(); ++i) {
            const Token &t = m_tokens[i];
            if (t.kind == Token::Number)
                i = number(i);
            else if (t.kind == Token::Sign)
                i = sign(i);
            else if (t.kind == Token::Word)
                i = word(i);
            else
                m_out += u' ';
        }
        return m_out;
    }

private:
    qsizetype size() const { return qsizetype(m_tokens.size()); }
    Token::Kind kind(qsizetype i) const { return i >= 0 && i < size() ? m_tokens[i].kind : Token::Space; }
    bool isSign(qsizetype i, QStringView text) const { return kind(i) == Token::Sign && m_tokens[i].text == text; }
    // The index of the next token that is not a space, in the given direction.
    qsizetype solid(qsizetype i, int step) const { return kind(i + step) == Token::Space ? i + 2 * step : i + step; }
    bool betweenNumbers(qsizetype i) const
    {
        return kind(solid(i, -1)) == Token::Number && kind(solid(i, 1)) == Token::Number;
    }
    bool pluralBefore(qsizetype i) const
    {
        const qsizetype before = solid(i, -1);
        return kind(before) != Token::Number || m_tokens[before].plural();
    }
    void say(const QString &words) { m_out += u' ' + words + u' '; }

    qsizetype number(qsizetype i)
    {
        const Token &t = m_tokens[i];
        std::vector<qsizetype> chain{i};
        while (isSign(solid(chain.back(), 1), u"/") && kind(solid(solid(chain.back(), 1), 1)) == Token::Number)
            chain.push_back(solid(solid(chain.back(), 1), 1));
        const auto zeroFirst = [&](qsizetype k) { return m_tokens[k].text.size() > 1 && m_tokens[k].text[0] == u'0'; };
        if (chain.size() > 2 || (chain.size() == 2 && std::any_of(chain.begin(), chain.end(), zeroFirst))) {
            // A date: each part as a number, with a pause between.
            QStringList parts;
            for (const qsizetype k : chain) {
                Token part = m_tokens[k];
                qsizetype zeros = 0;
                while (zeros + 1 < part.text.size() && part.text[zeros] == u'0')
                    ++zeros;
                part.text.remove(0, zeros); // "03" is March: trois
                parts << part.words();
            }
            say(parts.join(QStringLiteral(", ")));
            return chain.back();
        }
        if (chain.size() == 2) {
            fraction(t, m_tokens[chain[1]]);
            return chain[1];
        }
        if (kind(i + 1) == Token::Word && t.value() > 0) {
            const QString &suffix = m_tokens[i + 1].text;
            if (t.value() == 1 && (suffix == u"er" || suffix == u"re" || suffix == u"ère")) {
                say(suffix == u"er" ? QStringLiteral("premier") : QStringLiteral("première"));
                return i + 1;
            }
            if (suffix == u"e" || suffix == u"è" || suffix == u"ème" || suffix == u"eme") {
                say(ordinal(cardinal(t.value())));
                return i + 1;
            }
        }
        const qsizetype after = solid(i, 1);
        if (kind(after) == Token::Word && m_tokens[after].text == u"h" && t.isWhole()) {
            // "1 h 21": une heure vingt et une; hours and minutes are feminine.
            const auto feminine = [](int n) { const QString c = cardinal(n); return c.endsWith(u"un") ? c + u'e' : c; };
            const QString hours =
                feminine(t.value()) + (t.value() > 1 ? QStringLiteral(" heures") : QStringLiteral(" heure"));
            const qsizetype minutes = solid(after, 1);
            if (kind(minutes) == Token::Number && m_tokens[minutes].isWhole()) {
                say(hours + u' ' + feminine(m_tokens[minutes].value()));
                return minutes;
            }
            say(hours);
            return after;
        }
        if (isSign(after, u"€") && t.decimals.size() <= 2) {
            // "3,50 €" is "trois euros cinquante", as at the shop.
            const int whole = t.text.size() <= MaxNumberDigits ? t.text.toInt() : 0;
            // un million d'euros
            const QString unit = whole >= 1000000 && whole % 1000000 == 0 ? QStringLiteral(" d'euros")
                : t.plural()                                             ? QStringLiteral(" euros")
                                                                         : QStringLiteral(" euro");
            const QString words = digitsInWords(t.text) + unit;
            const int cents = (t.decimals + QStringLiteral("00")).left(2).toInt();
            say(cents ? words + u' ' + cardinal(cents) : words);
            return after;
        }
        say(t.words());
        return i;
    }

    void fraction(const Token &a, const Token &b)
    {
        const int denominator = b.value();
        if (!a.isWhole() || !b.isWhole() || denominator < 2 || denominator > 1000) {
            say(a.words() + QStringLiteral(" sur ") + b.words());
            return;
        }
        QString name = denominator == 2 ? QStringLiteral("demi")
            : denominator == 3          ? QStringLiteral("tiers")
            : denominator == 4          ? QStringLiteral("quart")
                                        : ordinal(cardinal(denominator));
        if (a.value() > 1 && !name.endsWith(u's'))
            name += u's';
        say(cardinal(a.value()) + u' ' + name);
    }

    qsizetype sign(qsizetype i)
    {
        const QString &text = m_tokens[i].text;
        const char16_t c = text[0].unicode();
        if (text.size() > 1 || QStringView(u".,;?!…").contains(QChar(c))) {
            m_out += text;
        } else if (c == u':') {
            m_out += betweenNumbers(i) ? QStringLiteral(" divisé par ") : text;
        } else if (c == u'-') {
            const bool negative = kind(i + 1) == Token::Number && kind(i - 1) != Token::Number
                && kind(i - 1) != Token::Word;
            const bool spacedMinus = kind(i - 1) == Token::Space && kind(i + 1) == Token::Space && betweenNumbers(i);
            say(negative || spacedMinus ? QStringLiteral("moins") : QStringLiteral(","));
        } else if (c == u'€') {
            say(pluralBefore(i) ? QStringLiteral("euros") : QStringLiteral("euro"));
        } else if (c == u'°') {
            QString words = pluralBefore(i) ? QStringLiteral("degrés") : QStringLiteral("degré");
            if (kind(i + 1) == Token::Word && (m_tokens[i + 1].text == u"C" || m_tokens[i + 1].text == u"F")) {
                const bool celsius = m_tokens[i + 1].text == u"C";
                say(words + (celsius ? QStringLiteral(" Celsius") : QStringLiteral(" Fahrenheit")));
                return i + 1;
            }
            say(words);
        } else if (QStringView(u"½¼¾").contains(QChar(c)) && kind(i - 1) == Token::Number) {
            say(c == u'½' ? QStringLiteral("et demi") : QStringLiteral("et ") + signWords(c)); // "1½": un et demi
        } else {
            const QString words = signWords(c);
            if (words.isEmpty())
                m_out += text;
            else
                say(words);
        }
        return i;
    }

    qsizetype word(qsizetype i)
    {
        const QString &text = m_tokens[i].text;
        if ((text == u"x" || text == u"X") && betweenNumbers(i)) {
            say(QStringLiteral("fois"));
        } else if ((text == u"n" || text == u"N") && isSign(i + 1, u"°")) {
            say(QStringLiteral("numéro"));
            return i + 1;
        } else {
            m_out += text;
        }
        return i;
    }

    std::vector<Token> m_tokens;
    QString m_out;
};

// One space between words, no space before a mark, one pause where several
// met, and nothing to pause on at either end.
QString tidied(QString s)
{
    static const QRegularExpression spaces(QStringLiteral(" {2,}"));
    static const QRegularExpression spaceBeforeMark(QStringLiteral(" (?=[,.;:?!…])"));
    static const QRegularExpression commas(QStringLiteral(",{2,}"));
    static const QRegularExpression commaBesideMark(QStringLiteral(",(?=[.;:?!…])|(?<=[.;:?!…]),"));
    static const QRegularExpression edges(QStringLiteral("^[ ,;:.…]+|[ ,]+$"));
    s.replace(spaces, QStringLiteral(" "));
    s.replace(spaceBeforeMark, QString());
    s.replace(commas, QStringLiteral(","));
    s.replace(commaBesideMark, QString());
    s.replace(edges, QString());
    return s;
}

} // namespace

QString spokenText(const QString &written)
{
    return tidied(Reader(tokenize(written)).read());
}

} // namespace qcm
