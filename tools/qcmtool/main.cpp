#include <CLI/CLI.hpp>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <cstdio>
#include <iostream>

#include "quiz/QuizFile.h"
#include "quiz/authoring/Lang.h"
#include "pictures/PictureLoader.h"
#include "quiz/authoring/QuizCheck.h"
#include "quiz/authoring/QuizImport.h"
#include "quiz/authoring/QuizJson.h"
#include "tools/qcmtool/Results.h"

using namespace qcm;
using namespace qcm::authoring;

namespace {

void printLine(const QString &text, std::FILE *stream = stderr)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fputc('\n', stream);
}

int dumpQuiz(const QString &path, Lang lang)
{
    std::vector<QuestionRecord> records;
    std::size_t trailing = 0;
    QString error;
    if (!readWholeQuiz(path, records, trailing, error, lang)) {
        printLine(error);
        return 2;
    }
    std::cout << quizToJson(records).dump(2) << '\n';
    if (trailing != 0)
        printLine(placeOf(lang, path)
            + say(lang, "%1 octets après le dernier enregistrement complet, ignorés",
                "%1 bytes after the last whole record, ignored")
                  .arg(trailing));
    return 0;
}

int buildQuiz(const QString &source, const QString &output, Lang lang)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        printLine(placeOf(lang, source) + say(lang, "ouverture impossible (%1)", "cannot open (%1)").arg(file.errorString()));
        return 2;
    }
    const BuiltQuiz built = quizFromJson(file.readAll(), source, lang);
    for (const QString &warning : built.warnings)
        printLine(warning);
    for (const QString &error : built.errors)
        printLine(error);
    if (!built.errors.isEmpty()) {
        printLine(placeOf(lang, output) + say(lang, "rien n'a été écrit", "nothing was written"));
        return 1;
    }
    if (!writeQuizFile(output, built.records)) {
        printLine(placeOf(lang, output) + say(lang, "écriture impossible", "cannot write"));
        return 2;
    }
    return 0;
}

PictureProbe probePicture(const QString &quizFolder, const QString &pictureName, Lang lang)
{
    PictureProbe probe;
    const QString path = pictures::picturePath(quizFolder, pictureName);
    if (!QFileInfo(path).isFile()) {
        probe.reason = say(lang, "fichier absent : %1", "no such file: %1").arg(QDir::toNativeSeparators(path));
        // Windows ignores case in file names; other systems do not.
        const QFileInfo wanted(path);
        const QStringList near = QDir(wanted.absolutePath()).entryList(QDir::Files);
        for (const QString &name : near) {
            if (name.compare(wanted.fileName(), Qt::CaseInsensitive) == 0)
                probe.reason += say(lang, " ; il existe sous le nom « %1 », la casse compte hors de Windows",
                    "; it exists as \"%1\", and case matters outside Windows")
                                    .arg(name);
        }
        return probe;
    }
    QString error;
    const QString real = pictures::resolvePicture(quizFolder, pictureName, &error);
    if (real.isEmpty()) {
        probe.reason = say(lang, "hors des dossiers du QCM : %1", "outside the quiz folders: %1")
                           .arg(QDir::toNativeSeparators(path));
        return probe;
    }
    const QImage image = pictures::loadPicture(real, &error);
    if (image.isNull()) {
        probe.reason = error.isEmpty() ? say(lang, "image illisible", "unreadable picture") : error;
        return probe;
    }
    probe.loaded = true;
    probe.width = image.width();
    probe.height = image.height();
    return probe;
}

int checkQuizFile(const QString &path, Lang lang, bool quiet)
{
    const CheckReport report = checkQuiz(path, lang, [lang](const QString &folder, const QString &name) {
        return probePicture(folder, name, lang);
    });
    for (const Finding &finding : report.findings) {
        if (!quiet || finding.level != Finding::Level::Remark)
            printLine(formatFinding(finding, path, lang), stdout);
    }
    printLine(formatSummary(report, path, lang), stdout);
    return report.hasErrors() ? 1 : 0;
}

// Pictures the player cannot show (PNG, GIF …) become BMP files.
QByteArray toShownPicture(const QByteArray &data, QString *extension)
{
    QImage image;
    if (!image.loadFromData(data) || image.isNull())
        return {};
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white); // transparent parts over white, as on a page
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!flat.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
        return {};
    *extension = QStringLiteral("bmp");
    return bytes;
}

bool writeBytes(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

int importQuiz(const QString &source, const QString &output, const std::string &from, bool replace, bool cut, Lang lang)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        printLine(placeOf(lang, source) + say(lang, "ouverture impossible (%1)", "cannot open (%1)").arg(file.errorString()));
        return 2;
    }
    const QByteArray contents = file.readAll();
    std::optional<InterchangeFormat> format = guessFormat(source, contents);
    if (from == "gift")
        format = InterchangeFormat::Gift;
    else if (from == "aiken")
        format = InterchangeFormat::Aiken;
    else if (from == "xml")
        format = InterchangeFormat::MoodleXml;
    if (!format) {
        printLine(placeOf(lang, source)
            + say(lang, "format inconnu : extensions .gift, .txt (GIFT ou Aiken) ou .xml (Moodle), ou --from",
                "unknown format: extensions .gift, .txt (GIFT or Aiken) or .xml (Moodle), or --from"));
        return 2;
    }
    const SourceQuiz quiz = readSource(*format, contents, lang);
    for (const QString &error : quiz.errors)
        printLine(placeOf(lang, source) + error);
    if (!quiz.errors.isEmpty())
        return 2;
    ImportOptions options;
    options.lang = lang;
    options.replace = replace;
    options.cut = cut;
    options.convertPicture = toShownPicture;
    const ImportResult result = importQuestions(quiz, source, options);
    for (const QString &line : result.report)
        printLine(line);
    if (result.records.empty()) {
        printLine(placeOf(lang, output) + say(lang, "aucune question à écrire, rien n'a été écrit", "no question to write, nothing was written"));
        return 1;
    }
    const QDir folder = QFileInfo(output).absoluteDir();
    for (const ImportedPicture &picture : result.pictures) {
        const QString path = folder.filePath(picture.relativePath);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !writeBytes(path, picture.data)) {
            printLine(placeOf(lang, path) + say(lang, "écriture impossible", "cannot write"));
            return 2;
        }
    }
    if (!writeQuizFile(output, result.records)) {
        printLine(placeOf(lang, output) + say(lang, "écriture impossible", "cannot write"));
        return 2;
    }
    printLine(placeOf(lang, output)
        + say(lang, "%1 question(s) importée(s), %2 laissée(s) de côté", "%1 question(s) imported, %2 left out")
              .arg(result.records.size())
              .arg(result.leftOut));
    return result.leftOut > 0 ? 1 : 0;
}

int exportQuiz(const QString &quiz, const QString &output, const std::string &to, Lang lang)
{
    std::vector<QuestionRecord> records;
    std::size_t trailing = 0;
    QString error;
    if (!readWholeQuiz(quiz, records, trailing, error, lang)) {
        printLine(error);
        return 2;
    }
    const ExportResult result = to == "gift" ? exportGift(records, quiz, lang)
                                             : exportMoodleXml(records, quiz, QFileInfo(quiz).absolutePath(), lang);
    for (const QString &line : result.report)
        printLine(line);
    if (!writeBytes(output, result.data)) {
        printLine(placeOf(lang, output) + say(lang, "écriture impossible", "cannot write"));
        return 2;
    }
    printLine(placeOf(lang, output) + say(lang, "%1 question(s) exportée(s)", "%1 question(s) exported").arg(result.exported));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Pictures are decoded as the player decodes them, which needs the GUI
    // library but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg && !message.startsWith(QLatin1String("QStandardPaths:")))
            printLine(message);
    });
    QGuiApplication application(argc, argv);
    CLI::App app{"qcmtool: quiz files (.qcm) for teachers"};
    app.require_subcommand(1);
    app.fallthrough();
    std::string language = "fr";
    app.add_option("--lang", language, "Language of the messages: fr (default) or en")
        ->check(CLI::IsMember({"fr", "en"}));

    std::string dumpFile;
    CLI::App *dump = app.add_subcommand("dump", "Print every record of a quiz as JSON");
    dump->add_option("QUIZ", dumpFile, "Quiz file (.qcm)")->required();

    std::string buildSource, buildOutput;
    CLI::App *build = app.add_subcommand("build", "Write a quiz from JSON");
    build->add_option("JSON", buildSource, "JSON file as printed by dump")->required();
    build->add_option("-o,--output", buildOutput, "Quiz file to write (.qcm)")->required();

    std::vector<std::string> checkFiles;
    bool quiet = false;
    CLI::App *check = app.add_subcommand("check", "Tell what in a quiz will surprise a pupil or a teacher; "
                                                  "exit status 1 when a question can never be judged right or shown");
    check->add_option("QUIZ", checkFiles, "Quiz files (.qcm)")->required();
    check->add_flag("-q,--quiet", quiet, "Leave out remarks");

    std::string importSource, importOutput, importFrom;
    bool replace = false, cut = false;
    CLI::App *import = app.add_subcommand("import", "Make a quiz from GIFT, Aiken or Moodle XML (multiple choice, true/false)");
    import->add_option("SOURCE", importSource, "File .gift, .txt or .xml")->required();
    import->add_option("-o,--output", importOutput, "Quiz file to write (.qcm); pictures go beside it")->required();
    import->add_option("--from", importFrom, "Format, when the extension does not tell")
        ->check(CLI::IsMember({"gift", "aiken", "xml"}));
    import->add_flag("--replace", replace, "Replace characters that Windows-1252 lacks");
    import->add_flag("--cut", cut, "Cut texts longer than their field");

    std::string exportQuizFile, exportOutput, exportTo;
    CLI::App *exporter = app.add_subcommand("export", "Write a quiz as GIFT or Moodle XML");
    exporter->add_option("QUIZ", exportQuizFile, "Quiz file (.qcm)")->required();
    exporter->add_option("--to", exportTo, "gift or xml")->required()->check(CLI::IsMember({"gift", "xml"}));
    exporter->add_option("-o,--output", exportOutput, "File to write")->required();

    std::string resultsFolder, resultsCsv;
    CLI::App *results = app.add_subcommand("results", "Tables of the pupils' results logs, per pupil and per quiz");
    results->add_option("FOLDER", resultsFolder, "The logs' folder (QCM/Résultats)")->required();
    results->add_option("--csv", resultsCsv, "Also write every line, merged, into this file");

    CLI11_PARSE(app, argc, argv);
    const Lang lang = language == "en" ? Lang::English : Lang::French;
    const auto q = [](const std::string &s) { return QString::fromStdString(s); };

    if (dump->parsed())
        return dumpQuiz(q(dumpFile), lang);
    if (build->parsed())
        return buildQuiz(q(buildSource), q(buildOutput), lang);
    if (import->parsed())
        return importQuiz(q(importSource), q(importOutput), importFrom, replace, cut, lang);
    if (exporter->parsed())
        return exportQuiz(q(exportQuizFile), q(exportOutput), exportTo, lang);
    if (results->parsed())
        return resultsCommand(q(resultsFolder), q(resultsCsv), lang);
    if (check->parsed()) {
        int status = 0;
        for (const std::string &file : checkFiles)
            status = std::max(status, checkQuizFile(q(file), lang, quiet));
        return status;
    }
    return 0;
}
