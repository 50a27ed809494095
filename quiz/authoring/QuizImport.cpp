#include "quiz/authoring/QuizImport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include "quiz/Cp1252.h"

namespace qcm::authoring {

namespace {

bool isEmoji(char32_t c)
{
    return (c >= 0x1F000 && c <= 0x1FAFF) || (c >= 0x2600 && c <= 0x27BF) || (c >= 0x2B00 && c <= 0x2BFF)
        || c == 0xFE0F || c == 0x200D || c == 0x20E3;
}

} // namespace

QString replacementFor(char32_t c)
{
    static const QHash<char32_t, QString> table = {
        {0x2212, QStringLiteral("-")}, {0x2010, QStringLiteral("-")}, {0x2011, QStringLiteral("-")},
        {0x2264, QStringLiteral("<=")}, {0x2265, QStringLiteral(">=")}, {0x2260, QStringLiteral("<>")},
        {0x2248, QStringLiteral("~")}, {0x221A, QStringLiteral("racine de ")}, {0x03C0, QStringLiteral("pi")},
        {0x2009, QStringLiteral(" ")}, {0x202F, QStringLiteral("\u00A0")}, {0x2007, QStringLiteral(" ")},
        {0x200B, QString()}, {0x2192, QStringLiteral("->")}, {0x2190, QStringLiteral("<-")},
        {0x2032, QStringLiteral("'")}, {0x2033, QStringLiteral("\"")}, {0x2153, QStringLiteral("1/3")},
        {0x2154, QStringLiteral("2/3")}, {0x215B, QStringLiteral("1/8")}, {0x2074, QStringLiteral("^4")},
        {0x2070, QStringLiteral("^0")}, {0x2075, QStringLiteral("^5")}, {0x2076, QStringLiteral("^6")},
        {0x2217, QStringLiteral("*")}, {0x2215, QStringLiteral("/")}, {0x03B1, QStringLiteral("alpha")},
        {0x03B2, QStringLiteral("bêta")}, {0x03B3, QStringLiteral("gamma")}, {0x03B4, QStringLiteral("delta")},
        {0x0394, QStringLiteral("Delta")}, {0x03B8, QStringLiteral("thêta")}, {0x03BB, QStringLiteral("lambda")},
        {0x03BC, QStringLiteral("\u00B5")}, {0x03C3, QStringLiteral("sigma")}, {0x03A9, QStringLiteral("Oméga")}};
    if (const auto it = table.constFind(c); it != table.constEnd())
        return *it;
    if (isEmoji(c))
        return {};
    // A letter with a mark the code page lacks keeps its base letter.
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    QString kept;
    for (const char32_t d : QStringView(decomposed).toUcs4()) {
        if (windows1252Byte(d) >= 0 && !(d >= 0x300 && d < 0x370))
            kept += QString::fromUcs4(&d, 1);
    }
    return kept.isEmpty() ? QStringLiteral("?") : kept;
}

std::optional<InterchangeFormat> guessFormat(const QString &path, QIODevice &device)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("gift"))
        return InterchangeFormat::Gift;
    if (suffix == QLatin1String("xml"))
        return InterchangeFormat::MoodleXml;
    if (suffix == QLatin1String("txt")) {
        static const QRegularExpression aiken(QStringLiteral("^\\s*ANSWER\\s*:\\s*[A-Z]\\s*$"),
            QRegularExpression::MultilineOption);
        const QString start = QString::fromLatin1(device.peek(1 << 16));
        return aiken.match(start).hasMatch() ? InterchangeFormat::Aiken : InterchangeFormat::Gift;
    }
    return std::nullopt;
}

std::optional<InterchangeFormat> guessFormat(const QString &path, const QByteArray &contents)
{
    QBuffer buffer;
    buffer.setData(contents);
    buffer.open(QIODevice::ReadOnly);
    return guessFormat(path, buffer);
}

std::unique_ptr<SourceReader> sourceReader(InterchangeFormat format, QIODevice &device, TextEncoding encoding, Lang lang)
{
    switch (format) {
    case InterchangeFormat::Gift: return giftReader(device, encoding, lang);
    case InterchangeFormat::Aiken: return aikenReader(device, encoding, lang);
    case InterchangeFormat::MoodleXml: return moodleXmlReader(device, lang);
    }
    return {};
}

SourceQuiz readSource(InterchangeFormat format, const QByteArray &contents, Lang lang)
{
    QBuffer buffer;
    buffer.setData(contents);
    buffer.open(QIODevice::ReadOnly);
    const std::unique_ptr<SourceReader> reader = sourceReader(format, buffer, TextEncoding::Detect, lang);
    return readAll(*reader);
}

ImportResult importQuestions(const SourceQuiz &source, const QString &sourceName, const ImportOptions &options)
{
    QuizImporter importer(sourceName, options);
    for (const SourceQuestion &question : source.questions)
        importer.add(question);
    return importer.take();
}

QString importSummary(const QString &sourceName, const ImportCounts &counts, Lang lang)
{
    return placeOf(lang, sourceName)
        + say(lang, "%1 question(s) lue(s), %2 importée(s), %3 laissée(s) de côté, %4 raccourcie(s), %5 image(s) écrite(s)",
            "%1 question(s) read, %2 imported, %3 left out, %4 shortened, %5 picture(s) written")
              .arg(counts.read)
              .arg(counts.imported)
              .arg(counts.leftOut)
              .arg(counts.shortened)
              .arg(counts.pictures);
}

} // namespace qcm::authoring
