#include "quiz/ResultLine.h"

#include <QRegularExpression>

namespace qcm {

namespace {

constexpr QChar Separator = QLatin1Char(';');
// Lines written before the fingerprint and the answers were kept have fewer fields.
constexpr int FieldCount = 11;
constexpr int ScoreFieldCount = 9;
const QString ScoreHeader = QStringLiteral("Date;Élève;Matière;QCM;Mode;Questions;Bonnes réponses;Pourcentage;Durée");
const QString DateFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

QString modeName(bool exam)
{
    return exam ? QStringLiteral("examen") : QStringLiteral("entraînement");
}

// Quotes a field only when it must be: a spreadsheet shows quoted and bare
// texts alike, and bare ones stay readable in a text editor.
QString quoted(const QString &field)
{
    if (!field.contains(Separator) && !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\n'))
        && !field.contains(QLatin1Char('\r')))
        return field;
    QString inner = field;
    inner.replace(QLatin1String("\""), QLatin1String("\"\""));
    // A line of the log is one line of the file, whatever a title holds.
    inner.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

// Splits on ';' outside quotes; false when a quote is left open.
bool splitFields(const QString &line, QStringList &fields)
{
    fields.clear();
    QString field;
    bool inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (inQuotes) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"'))
                field += line.at(++i);
            else
                inQuotes = false;
        } else if (c == QLatin1Char('"')) {
            inQuotes = true;
        } else if (c == Separator) {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field;
    return !inQuotes;
}

bool readCount(const QString &text, int &value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= 0;
}

bool readDuration(const QString &text, qint64 &seconds)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return false;
    bool h = false, m = false, s = false;
    const qint64 hours = parts[0].toLongLong(&h);
    const int minutes = parts[1].toInt(&m);
    const int secs = parts[2].toInt(&s);
    if (!h || !m || !s || hours < 0 || minutes < 0 || minutes > 59 || secs < 0 || secs > 59 || parts[1].size() != 2
        || parts[2].size() != 2)
        return false;
    seconds = hours * 3600 + minutes * 60 + secs;
    return true;
}

// "12:13:J" is question 12, propositions 1 and 3 ticked, judged right
// ("juste"); "4:-:F", question 4 left blank, judged wrong ("faux").
QString answerText(const AnsweredQuestion &answer)
{
    QString ticked;
    for (int i = 1; i <= 5; ++i) {
        if (answer.ticked & (1 << (i - 1)))
            ticked += QString::number(i);
    }
    return QStringLiteral("%1:%2:%3")
        .arg(answer.question)
        .arg(ticked.isEmpty() ? QStringLiteral("-") : ticked, answer.right ? QStringLiteral("J") : QStringLiteral("F"));
}

bool readAnswers(const QString &text, std::vector<AnsweredQuestion> &answers)
{
    static const QRegularExpression item(QStringLiteral("^([1-9][0-9]{0,2}):(-|1?2?3?4?5?):([JF])$"));
    answers.clear();
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = item.match(word);
        if (!m.hasMatch() || m.captured(2).isEmpty())
            return false;
        AnsweredQuestion answer;
        answer.question = m.captured(1).toInt();
        for (QChar digit : m.captured(2)) {
            if (digit != QLatin1Char('-'))
                answer.ticked |= 1 << (digit.digitValue() - 1);
        }
        answer.right = m.captured(3) == QLatin1String("J");
        answers.push_back(answer);
    }
    return true;
}

} // namespace

QByteArray resultsFileStart()
{
    return QByteArray("\xEF\xBB\xBF") + resultsHeader().toUtf8() + "\r\n";
}

QString resultsHeader()
{
    return ScoreHeader + QStringLiteral(";Empreinte;Réponses");
}

bool isResultsHeader(const QString &line)
{
    return line == resultsHeader() || line == ScoreHeader;
}

QString durationText(qint64 seconds)
{
    seconds = std::max<qint64>(seconds, 0);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString resultLine(const QuizResult &result)
{
    const QStringList fields = {
        result.finished.toString(DateFormat),
        quoted(result.pupil),
        quoted(result.subject),
        quoted(result.title),
        modeName(result.exam),
        QString::number(result.questions),
        QString::number(result.right),
        QString::number(result.percentage),
        durationText(result.seconds),
        result.fingerprint,
        [&result] {
            QStringList answers;
            for (const AnsweredQuestion &answer : result.answers)
                answers << answerText(answer);
            return answers.join(QLatin1Char(' '));
        }(),
    };
    return fields.join(Separator);
}

bool parseResultLine(const QString &line, QuizResult &result, QString &reason)
{
    QStringList fields;
    if (!splitFields(line, fields)) {
        reason = QStringLiteral("guillemet non refermé");
        return false;
    }
    if (fields.size() != FieldCount && fields.size() != ScoreFieldCount) {
        reason = QStringLiteral("%1 champs au lieu de %2").arg(fields.size()).arg(FieldCount);
        return false;
    }
    QuizResult read;
    read.finished = QDateTime::fromString(fields[0], DateFormat);
    if (!read.finished.isValid()) {
        reason = QStringLiteral("date illisible « %1 »").arg(fields[0]);
        return false;
    }
    read.pupil = fields[1];
    read.subject = fields[2];
    read.title = fields[3];
    if (fields[4] != modeName(true) && fields[4] != modeName(false)) {
        reason = QStringLiteral("mode inconnu « %1 »").arg(fields[4]);
        return false;
    }
    read.exam = fields[4] == modeName(true);
    if (!readCount(fields[5], read.questions) || !readCount(fields[6], read.right)
        || !readCount(fields[7], read.percentage) || read.right > read.questions || read.percentage > 100) {
        reason = QStringLiteral("nombres incohérents");
        return false;
    }
    if (!readDuration(fields[8], read.seconds)) {
        reason = QStringLiteral("durée illisible « %1 »").arg(fields[8]);
        return false;
    }
    reason.clear();
    if (fields.size() == FieldCount) {
        static const QRegularExpression hex16(QStringLiteral("^[0-9a-f]{16}$"));
        if (!hex16.match(fields[9]).hasMatch() && !fields[9].isEmpty())
            reason = QStringLiteral("empreinte illisible « %1 », réponses ignorées").arg(fields[9]);
        else if (!readAnswers(fields[10], read.answers))
            reason = QStringLiteral("réponses illisibles, ignorées");
        if (reason.isEmpty())
            read.fingerprint = fields[9];
        else
            read.answers.clear();
    }
    result = read;
    return true;
}

} // namespace qcm
