#include "quiz/authoring/ResultsTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <map>

#include "quiz/authoring/QuestionStats.h"

namespace qcm::authoring {

namespace {

// A log grows by one short line per quiz: far below this even after years.
constexpr qint64 MaxLogBytes = 64 * 1024 * 1024;

template <typename Key>
std::vector<ResultGroup> groupBy(const std::vector<QuizResult> &results, Key key)
{
    std::map<QString, ResultGroup> groups;
    std::map<QString, QDateTime> latest;
    for (const QuizResult &r : results) {
        const QString name = key(r);
        ResultGroup &g = groups[name];
        g.name = name;
        g.mean += r.percentage;
        g.best = g.count == 0 ? r.percentage : std::max(g.best, r.percentage);
        ++g.count;
        if (!latest.count(name) || r.finished >= latest[name]) {
            latest[name] = r.finished;
            g.last = r.percentage;
        }
    }
    std::vector<ResultGroup> out;
    for (auto &[name, g] : groups) {
        g.mean /= g.count;
        out.push_back(g);
    }
    std::sort(out.begin(), out.end(), [](const ResultGroup &a, const ResultGroup &b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    return out;
}

QString mergedHeader()
{
    return QStringLiteral("Poste;") + resultsHeader();
}

QString padded(const QString &text, qsizetype width, bool right = false)
{
    return right ? text.rightJustified(width) : text.leftJustified(width);
}

} // namespace

void readResultsFile(const QString &path, LoggedResults &into, Lang lang)
{
    QFile file(path);
    if (file.size() > MaxLogBytes) {
        into.problems << placeOf(lang, path) + say(lang, "fichier trop grand, ignoré", "file too large, skipped");
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        into.problems << placeOf(lang, path) + say(lang, "lecture impossible", "cannot read");
        return;
    }
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (lines.first().startsWith(mergedHeader())) {
        into.problems << placeOf(lang, path)
                + say(lang, "fichier fusionné par qcmtool, ignoré", "file merged by qcmtool, skipped");
        return;
    }
    if (isQuestionStatsCsvHeader(lines.first().trimmed())) {
        into.problems << placeOf(lang, path)
                + say(lang, "tableau des questions écrit par qcmtool, ignoré", "question table written by qcmtool, skipped");
        return;
    }
    const QString computer = QFileInfo(path).completeBaseName();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || (i == 0 && isResultsHeader(line)))
            continue;
        QuizResult result;
        QString reason;
        if (parseResultLine(line, result, reason)) {
            result.computer = computer;
            into.results.push_back(result);
            // The score still counts; only the answers are left out.
            if (!reason.isEmpty())
                into.problems << placeOf(lang, path) + say(lang, "ligne %1 : %2", "line %1: %2").arg(i + 1).arg(reason);
        } else {
            into.problems << placeOf(lang, path)
                    + say(lang, "ligne %1 ignorée (%2)", "line %1 skipped (%2)").arg(i + 1).arg(reason);
        }
    }
}

LoggedResults readResultsFolder(const QString &folder, Lang lang, const QString &skipFile)
{
    LoggedResults logged;
    const QDir dir(folder);
    if (!dir.exists()) {
        logged.problems << placeOf(lang, folder) + say(lang, "dossier absent", "no such folder");
        return logged;
    }
    const QString skip = skipFile.isEmpty() ? QString() : QFileInfo(skipFile).absoluteFilePath();
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        if (file.absoluteFilePath() != skip)
            readResultsFile(file.filePath(), logged, lang);
    }
    std::stable_sort(logged.results.begin(), logged.results.end(),
                     [](const QuizResult &a, const QuizResult &b) { return a.finished < b.finished; });
    return logged;
}

std::vector<ResultGroup> groupByPupil(const std::vector<QuizResult> &results, Lang lang)
{
    const QString nameless = say(lang, "(sans nom)", "(no name)");
    return groupBy(results, [&](const QuizResult &r) { return r.pupil.isEmpty() ? nameless : r.pupil; });
}

std::vector<ResultGroup> groupByQuiz(const std::vector<QuizResult> &results)
{
    return groupBy(results, [](const QuizResult &r) {
        return r.subject.isEmpty() ? r.title : r.subject + QStringLiteral(" / ") + r.title;
    });
}

QString groupTable(const QString &title, const std::vector<ResultGroup> &groups, Lang lang)
{
    const QStringList heads = {title, say(lang, "QCM faits", "Taken"), say(lang, "Meilleur", "Best"),
                               say(lang, "Dernier", "Last"), say(lang, "Moyenne", "Mean")};
    const QLocale locale(lang == Lang::French ? QLocale::French : QLocale::English);
    std::vector<QStringList> rows;
    for (const ResultGroup &g : groups) {
        rows.push_back({g.name, QString::number(g.count), QStringLiteral("%1 %").arg(g.best),
                        QStringLiteral("%1 %").arg(g.last), locale.toString(g.mean, 'f', 1) + QStringLiteral(" %")});
    }
    std::vector<qsizetype> widths;
    for (const QString &head : heads)
        widths.push_back(head.size());
    for (const QStringList &row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    auto format = [&](const QStringList &cells) {
        QStringList out;
        for (qsizetype c = 0; c < cells.size(); ++c)
            out << padded(cells[c], widths[c], c > 0);
        return out.join(QStringLiteral("  ")).trimmed() + QLatin1Char('\n');
    };
    QString table = format(heads);
    for (const QStringList &row : rows)
        table += format(row);
    return table;
}

QByteArray mergedResultsFile(const std::vector<QuizResult> &results)
{
    QByteArray bytes = "\xEF\xBB\xBF" + mergedHeader().toUtf8() + "\r\n";
    for (const QuizResult &r : results)
        bytes += (r.computer + QLatin1Char(';') + resultLine(r)).toUtf8() + "\r\n";
    return bytes;
}

} // namespace qcm::authoring
