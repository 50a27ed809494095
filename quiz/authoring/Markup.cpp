#include "quiz/authoring/Markup.h"

#include <QHash>
#include <QRegularExpression>

namespace qcm::authoring {

namespace {

const QString CrLf = QStringLiteral("\r\n");
// A non-breaking blank while lines are collapsed and trimmed; a plain blank after.
constexpr char16_t KeptBlank = 0xE000;

// Named entities a teacher's HTML editor writes; numeric ones are decoded apart.
const QHash<QString, char16_t> &namedEntities()
{
    static const QHash<QString, char16_t> entities = [] {
        QHash<QString, char16_t> e{{QStringLiteral("amp"), u'&'}, {QStringLiteral("lt"), u'<'},
            {QStringLiteral("gt"), u'>'}, {QStringLiteral("quot"), u'"'}, {QStringLiteral("apos"), u'\''},
            {QStringLiteral("nbsp"), KeptBlank}, {QStringLiteral("euro"), 0x20AC}, {QStringLiteral("hellip"), 0x2026},
            {QStringLiteral("laquo"), 0xAB}, {QStringLiteral("raquo"), 0xBB}, {QStringLiteral("lsquo"), 0x2018},
            {QStringLiteral("rsquo"), 0x2019}, {QStringLiteral("ldquo"), 0x201C}, {QStringLiteral("rdquo"), 0x201D},
            {QStringLiteral("ndash"), 0x2013}, {QStringLiteral("mdash"), 0x2014}, {QStringLiteral("oelig"), 0x153},
            {QStringLiteral("OElig"), 0x152}, {QStringLiteral("deg"), 0xB0}, {QStringLiteral("times"), 0xD7},
            {QStringLiteral("divide"), 0xF7}, {QStringLiteral("frac12"), 0xBD}, {QStringLiteral("frac14"), 0xBC},
            {QStringLiteral("frac34"), 0xBE}, {QStringLiteral("sup2"), 0xB2}, {QStringLiteral("sup3"), 0xB3},
            {QStringLiteral("middot"), 0xB7}, {QStringLiteral("copy"), 0xA9}, {QStringLiteral("szlig"), 0xDF},
            {QStringLiteral("le"), 0x2264}, {QStringLiteral("ge"), 0x2265}, {QStringLiteral("ne"), 0x2260},
            {QStringLiteral("minus"), 0x2212}, {QStringLiteral("pi"), 0x3C0}, {QStringLiteral("rarr"), 0x2192},
            {QStringLiteral("larr"), 0x2190}, {QStringLiteral("harr"), 0x2194}, {QStringLiteral("rArr"), 0x21D2},
            {QStringLiteral("hArr"), 0x21D4}, {QStringLiteral("radic"), 0x221A}, {QStringLiteral("infin"), 0x221E},
            {QStringLiteral("plusmn"), 0xB1}, {QStringLiteral("sup1"), 0xB9}, {QStringLiteral("micro"), 0xB5},
            {QStringLiteral("asymp"), 0x2248}, {QStringLiteral("equiv"), 0x2261}, {QStringLiteral("sum"), 0x2211},
            {QStringLiteral("prod"), 0x220F}, {QStringLiteral("int"), 0x222B}, {QStringLiteral("isin"), 0x2208},
            {QStringLiteral("cap"), 0x2229}, {QStringLiteral("cup"), 0x222A}, {QStringLiteral("empty"), 0x2205},
            {QStringLiteral("forall"), 0x2200}, {QStringLiteral("exist"), 0x2203}, {QStringLiteral("and"), 0x2227},
            {QStringLiteral("or"), 0x2228}, {QStringLiteral("not"), 0xAC}, {QStringLiteral("bull"), 0x2022},
            {QStringLiteral("trade"), 0x2122}, {QStringLiteral("reg"), 0xAE}, {QStringLiteral("sect"), 0xA7},
            {QStringLiteral("para"), 0xB6}, {QStringLiteral("iquest"), 0xBF}, {QStringLiteral("iexcl"), 0xA1},
            {QStringLiteral("pound"), 0xA3}, {QStringLiteral("cent"), 0xA2}, {QStringLiteral("yen"), 0xA5},
            {QStringLiteral("ordm"), 0xBA}, {QStringLiteral("ordf"), 0xAA}, {QStringLiteral("shy"), 0xAD},
            {QStringLiteral("thinsp"), 0x2009}, {QStringLiteral("ensp"), 0x2002}, {QStringLiteral("emsp"), 0x2003},
            {QStringLiteral("prime"), 0x2032}, {QStringLiteral("Prime"), 0x2033}, {QStringLiteral("permil"), 0x2030},
            {QStringLiteral("dagger"), 0x2020}, {QStringLiteral("bdquo"), 0x201E}, {QStringLiteral("sbquo"), 0x201A}};
        // Greek letters by name: &alpha; … &omega;, &Alpha; … &Omega;
        const char *const greek[] = {"alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta", "iota", "kappa",
            "lambda", "mu", "nu", "xi", "omicron", "pi", "rho", "sigmaf", "sigma", "tau", "upsilon", "phi", "chi", "psi", "omega"};
        for (int i = 0; i < int(std::size(greek)); ++i) {
            const QString name = QLatin1String(greek[i]);
            e.insert(name, char16_t(0x3B1 + i));
            if (name != QLatin1String("sigmaf"))
                e.insert(name.left(1).toUpper() + name.mid(1), char16_t(0x391 + i));
        }
        // Accented letters: &eacute; &Agrave; &ccedil; …
        const struct { const char *mark; char16_t combining; const char16_t *letters; } marks[] = {
            {"acute", 0x301, u"aeiouy"}, {"grave", 0x300, u"aeiou"}, {"circ", 0x302, u"aeiou"},
            {"uml", 0x308, u"aeiouy"}, {"cedil", 0x327, u"c"}, {"tilde", 0x303, u"ano"}, {"ring", 0x30A, u"a"}};
        for (const auto &mark : marks) {
            for (const char16_t *c = mark.letters; *c; ++c) {
                for (const QString &base : {QString(QChar(*c)), QString(QChar(*c)).toUpper()}) {
                    const QString composed = (base + QChar(mark.combining)).normalized(QString::NormalizationForm_C);
                    if (composed.size() == 1)
                        e.insert(base + QLatin1String(mark.mark), composed.at(0).unicode());
                }
            }
        }
        e.insert(QStringLiteral("oslash"), 0xF8);
        e.insert(QStringLiteral("Oslash"), 0xD8);
        return e;
    }();
    return entities;
}

QString decodeEntity(const QString &name)
{
    if (name.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint code = name.startsWith(QLatin1String("#x"), Qt::CaseInsensitive) ? name.mid(2).toUInt(&ok, 16)
                                                                                     : name.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF) {
            const char32_t c = code == 0xA0 ? char32_t(KeptBlank) : char32_t(code);
            return QString::fromUcs4(&c, 1);
        }
        return {};
    }
    const auto it = namedEntities().constFind(name);
    return it == namedEntities().constEnd() ? QString() : QString(QChar(*it));
}

DroppedMedia::Kind mediaKind(const QString &target)
{
    static const QRegularExpression sound(QStringLiteral("\\.(mp3|wav|ogg|oga|m4a|aac|flac|wma)([?#].*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression video(QStringLiteral("\\.(mp4|webm|ogv|avi|mov|mkv|flv)([?#].*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    if (sound.match(target).hasMatch())
        return DroppedMedia::Kind::Sound;
    if (video.match(target).hasMatch())
        return DroppedMedia::Kind::Video;
    return DroppedMedia::Kind::Link;
}

// Links, sounds and videos an HTML text points to.
void collectMedia(const QString &html, QList<DroppedMedia> &dropped)
{
    static const QRegularExpression reference(
        QStringLiteral("<(a|audio|video|source|embed|iframe|object)\\b[^>]*?\\b(href|src|data)\\s*=\\s*[\"']([^\"']*)[\"']"),
        QRegularExpression::CaseInsensitiveOption);
    for (auto it = reference.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        const QString element = match.captured(1).toLower();
        const QString target = match.captured(3);
        if (target.isEmpty() || target.startsWith(QLatin1Char('#')))
            continue;
        DroppedMedia::Kind kind = mediaKind(target);
        if (element == QLatin1String("audio"))
            kind = DroppedMedia::Kind::Sound;
        else if (element == QLatin1String("video") || element == QLatin1String("iframe"))
            kind = kind == DroppedMedia::Kind::Sound ? kind : DroppedMedia::Kind::Video;
        dropped.push_back({kind, target});
    }
}

// <sup>2</sup> as ², <sup>3</sup> as ³, <sup>1</sup> as ¹, anything else as ^n
// (in brackets when longer than one character): the code page has no other
// superscript.
QString withSuperscripts(const QString &html)
{
    static const QRegularExpression sup(QStringLiteral("<sup\\b[^>]*>(.*?)</sup\\s*>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    QString result;
    qsizetype last = 0;
    for (auto it = sup.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        const QString inner = QString(match.captured(1)).remove(tags).trimmed();
        QString plain;
        if (inner == QLatin1String("1"))
            plain = QString(QChar(0xB9));
        else if (inner == QLatin1String("2"))
            plain = QString(QChar(0xB2));
        else if (inner == QLatin1String("3"))
            plain = QString(QChar(0xB3));
        else if (inner.size() == 1)
            plain = QLatin1Char('^') + inner;
        else if (!inner.isEmpty())
            plain = QStringLiteral("^(%1)").arg(inner);
        result += QStringView(html).mid(last, match.capturedStart() - last);
        result += plain;
        last = match.capturedEnd();
    }
    result += QStringView(html).mid(last);
    return result;
}

} // namespace

QString htmlToText(const QString &html, QList<DroppedMedia> *dropped)
{
    static const QRegularExpression droppedParts(QStringLiteral("<(script|style)\\b.*?</\\1\\s*>|<!--.*?-->"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<(/?)([a-zA-Z][a-zA-Z0-9]*)[^>]*>"));
    static const QRegularExpression breaking(QStringLiteral("^(br|p|div|li|tr|h[1-6]|ul|ol|table|blockquote)$"),
        QRegularExpression::CaseInsensitiveOption);
    QString source = html;
    source.remove(droppedParts);
    source = withSuperscripts(source);
    if (dropped)
        collectMedia(source, *dropped);

    // Pieces of text, with a marker for line breaks; blanks collapse inside a
    // line, and entities are decoded after the collapse so that &nbsp; stays.
    QStringList lines{QString()};
    qsizetype at = 0;
    const auto addText = [&lines](QStringView text) {
        static const QRegularExpression entity(QStringLiteral("&(#?[A-Za-z0-9]+);"));
        QString piece;
        bool blank = lines.last().endsWith(QLatin1Char(' '));
        for (const QChar c : text) {
            if (c == QChar(0xA0)) {
                piece += QChar(KeptBlank);
                blank = false;
            } else if (c.isSpace()) {
                if (!blank && !(lines.last().isEmpty() && piece.isEmpty()))
                    piece += QLatin1Char(' ');
                blank = true;
            } else {
                piece += c;
                blank = false;
            }
        }
        QString decoded;
        qsizetype last = 0;
        for (auto it = entity.globalMatch(piece); it.hasNext();) {
            const auto match = it.next();
            const QString value = decodeEntity(match.captured(1));
            decoded += piece.mid(last, match.capturedStart() - last) + (value.isNull() ? match.captured() : value);
            last = match.capturedEnd();
        }
        decoded += piece.mid(last);
        lines.last() += decoded;
    };
    for (auto it = tag.globalMatch(source); it.hasNext();) {
        const auto match = it.next();
        addText(QStringView(source).mid(at, match.capturedStart() - at));
        at = match.capturedEnd();
        if (breaking.match(match.captured(2)).hasMatch()) {
            const bool isBr = match.captured(2).compare(QLatin1String("br"), Qt::CaseInsensitive) == 0;
            if (isBr || !lines.last().trimmed().isEmpty())
                lines << QString();
        }
    }
    addText(QStringView(source).mid(at));
    // Only collapsed blanks are trimmed at the ends of lines.
    for (QString &line : lines) {
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        line.replace(QChar(KeptBlank), QLatin1Char(' '));
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    while (!lines.isEmpty() && lines.first().isEmpty())
        lines.removeFirst();
    return lines.join(CrLf);
}

QString textToHtml(const QString &text)
{
    QString html;
    const QString lines = QString(text).replace(CrLf, QStringLiteral("\n"));
    bool previousBlank = true; // a blank at the start of a line would be dropped
    for (const QChar c : lines) {
        if (c == QLatin1Char('\n')) {
            html += QStringLiteral("<br>");
            previousBlank = true;
            continue;
        }
        if (c == QLatin1Char(' ')) {
            html += previousBlank ? QStringLiteral("&nbsp;") : QStringLiteral(" ");
            previousBlank = true;
            continue;
        }
        previousBlank = false;
        switch (c.unicode()) {
        case '&': html += QStringLiteral("&amp;"); break;
        case '<': html += QStringLiteral("&lt;"); break;
        case '>': html += QStringLiteral("&gt;"); break;
        case '"': html += QStringLiteral("&quot;"); break;
        default: html += c;
        }
    }
    // A blank before a line break or at the end would be trimmed.
    html.replace(QStringLiteral(" <br>"), QStringLiteral("&nbsp;<br>"));
    if (html.endsWith(QLatin1Char(' ')))
        html.replace(html.size() - 1, 1, QStringLiteral("&nbsp;"));
    return html;
}

QString giftUnescape(const QString &text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar next = text.at(++i);
            if (next == QLatin1Char('n'))
                plain += CrLf;
            else if (QStringLiteral("~=#{}:\\").contains(next))
                plain += next;
            else
                plain += c, plain += next;
        } else {
            plain += c;
        }
    }
    return plain;
}

QString giftEscape(const QString &text)
{
    QString escaped;
    const QString lines = QString(text).replace(CrLf, QStringLiteral("\n"));
    for (const QChar c : lines) {
        if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (QStringLiteral("~=#{}:\\").contains(c))
            escaped += QLatin1Char('\\') + c;
        else
            escaped += c;
    }
    return escaped;
}

QString normalisedLines(const QString &text)
{
    QString lines = text;
    lines.replace(CrLf, QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines.trimmed().replace(QLatin1Char('\n'), CrLf);
}

QString markdownToText(const QString &markdown, QList<DroppedMedia> *dropped)
{
    static const QRegularExpression image(QStringLiteral("!\\[([^\\]]*)\\]\\(([^)\\s]*)[^)]*\\)"));
    static const QRegularExpression link(QStringLiteral("\\[([^\\]]*)\\]\\(([^)\\s]*)[^)]*\\)"));
    static const QRegularExpression autoLink(QStringLiteral("<(https?://[^>\\s]+)>"));
    static const QRegularExpression strong(QStringLiteral("(\\*\\*|__)(?=\\S)(.+?)(?<=\\S)\\1"));
    static const QRegularExpression emphasis(QStringLiteral("(?<![\\w*])([*_])(?=\\S)(.+?)(?<=\\S)\\1(?![\\w*])"));
    static const QRegularExpression code(QStringLiteral("`([^`]+)`"));
    static const QRegularExpression heading(QStringLiteral("^\\s{0,3}#{1,6}\\s+"), QRegularExpression::MultilineOption);
    static const QRegularExpression bullet(QStringLiteral("^(\\s*)[*+-]\\s+"), QRegularExpression::MultilineOption);
    static const QRegularExpression escaped(QStringLiteral("\\\\([\\\\`*_{}\\[\\]()#+.!-])"));
    QString text = markdown;
    const auto replaceLinks = [&](const QRegularExpression &pattern, int textGroup, int targetGroup) {
        QString result;
        qsizetype last = 0;
        for (auto it = pattern.globalMatch(text); it.hasNext();) {
            const auto match = it.next();
            if (dropped)
                dropped->push_back({mediaKind(match.captured(targetGroup)), match.captured(targetGroup)});
            result += QStringView(text).mid(last, match.capturedStart() - last);
            result += match.captured(textGroup);
            last = match.capturedEnd();
        }
        result += QStringView(text).mid(last);
        text = result;
    };
    replaceLinks(image, 1, 2);
    replaceLinks(link, 1, 2);
    replaceLinks(autoLink, 1, 1);
    text.replace(code, QStringLiteral("\\1"));
    text.replace(strong, QStringLiteral("\\2"));
    text.replace(emphasis, QStringLiteral("\\2"));
    text.replace(heading, QString());
    text.replace(bullet, QStringLiteral("\\1- "));
    text.replace(escaped, QStringLiteral("\\1"));
    return normalisedLines(text);
}

} // namespace qcm::authoring
