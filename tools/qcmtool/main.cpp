#include <CLI/CLI.hpp>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>
#include <iostream>

#include "quiz/QuizFile.h"
#include "quiz/authoring/Lang.h"
#include "pictures/PictureForPlayer.h"
#include "pictures/PictureLoader.h"
#include "platform/Console.h"
#include "platform/RegularFile.h"
#include "quiz/authoring/QuizCheck.h"
#include "quiz/authoring/QuizExport.h"
#include "quiz/authoring/QuizImport.h"
#include "quiz/authoring/QuizJson.h"
#include "quiz/authoring/RecordReader.h"
#include "tools/qcmtool/QuizOutputs.h"
#include "tools/qcmtool/Report.h"
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

// A path from the command line as the system knows it: its bytes, whatever
// their encoding.
QByteArray nativePath(const std::string &argument) { return QByteArray::fromStdString(argument); }
QString pathOf(const std::string &argument) { return platform::displayName(nativePath(argument)); }

// A file named on the command line, opened as given; only a regular file is
// read, so that a pipe or a device is refused at once.
bool openInput(QFile &file, const std::string &argument, Lang lang)
{
    QString reason;
    switch (platform::openRegularFile(file, nativePath(argument), &reason)) {
    case platform::OpenFailure::None: return true;
    case platform::OpenFailure::CannotOpen:
        printLine(placeOf(lang, pathOf(argument)) + say(lang, "ouverture impossible (%1)", "cannot open (%1)").arg(reason));
        return false;
    case platform::OpenFailure::NotRegular:
        printLine(placeOf(lang, pathOf(argument))
            + say(lang, "ce n'est pas un fichier ordinaire (tube, périphérique ou dossier) : rien n'est lu",
                "not a regular file (pipe, device or folder): nothing is read"));
        return false;
    }
    return false;
}

// A file to write must have a name this program can spell back to the system.
bool writableName(const std::string &argument, Lang lang)
{
    if (QFile::encodeName(pathOf(argument)) == nativePath(argument))
        return true;
    printLine(placeOf(lang, pathOf(argument))
        + say(lang, "nom de fichier à écrire qui n'est pas de l'UTF-8 : choisissez-en un autre",
            "the name of the file to write is not UTF-8: choose another one"));
    return false;
}

int dumpQuiz(const std::string &argument, Lang lang)
{
    QFile file;
    if (!openInput(file, argument, lang))
        return 2;
    const QString path = pathOf(argument);
    RecordReader reader(file);
    std::cout << "{\n  \"records\": [";
    bool asked = true;
    for (QuestionRecord record; reader.next(record);) {
        const int number = reader.recordsRead();
        asked = asked && record.hasQuestion() && number <= MaxQuestions;
        const std::string entry = recordToJson(record, number, asked).dump(2);
        std::cout << (number > 1 ? ",\n    " : "\n    ");
        for (const char c : entry)
            c == '\n' ? std::cout << "\n    " : std::cout << c;
    }
    std::cout << (reader.recordsRead() > 0 ? "\n  ]\n}\n" : "]\n}\n");
    if (!reader.errorString().isEmpty()) {
        printLine(placeOf(lang, path) + say(lang, "lecture impossible (%1)", "cannot read (%1)").arg(reader.errorString()));
        return 2;
    }
    if (reader.trailingBytes() != 0)
        printLine(placeOf(lang, path)
            + say(lang, "%1 octets après le dernier enregistrement complet, ignorés",
                "%1 bytes after the last whole record, ignored")
                  .arg(reader.trailingBytes()));
    return 0;
}

int buildQuiz(const std::string &sourceArgument, const QString &output, Lang lang)
{
    // Far more than the JSON of any quiz the player reads.
    constexpr qint64 MaxJsonBytes = 64 << 20;
    QFile file;
    if (!openInput(file, sourceArgument, lang))
        return 2;
    const QString source = pathOf(sourceArgument);
    if (file.size() > MaxJsonBytes) {
        printLine(placeOf(lang, source) + say(lang, "fichier de plus de 64 Mo : ce n'est pas le JSON d'un QCM",
                                              "file larger than 64 MB: not the JSON of a quiz"));
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

int checkQuizFile(const std::string &argument, Lang lang, bool quiet)
{
    QFile file;
    if (!openInput(file, argument, lang))
        return 2;
    const QString path = pathOf(argument);
    const CheckReport report = checkQuiz(file, path, lang, [lang](const QString &folder, const QString &name) {
        return probePicture(folder, name, lang);
    });
    for (const Finding &finding : report.findings) {
        if (!quiet || finding.level != Finding::Level::Remark)
            printLine(formatFinding(finding, path, lang), stdout);
    }
    printLine(formatSummary(report, path, lang), stdout);
    return report.hasErrors() ? 1 : 0;
}

bool writeBytes(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

struct ImportRequest
{
    std::string source;
    std::string output;
    std::string from;
    std::string encoding;
    bool replace = false;
    bool cut = false;
    bool split = false;
};

int importQuiz(const ImportRequest &request, Lang lang)
{
    QFile file;
    if (!openInput(file, request.source, lang))
        return 2;
    const QString source = pathOf(request.source);
    std::optional<InterchangeFormat> format = guessFormat(source, file);
    if (request.from == "gift")
        format = InterchangeFormat::Gift;
    else if (request.from == "aiken")
        format = InterchangeFormat::Aiken;
    else if (request.from == "xml")
        format = InterchangeFormat::MoodleXml;
    if (!format) {
        printLine(placeOf(lang, source)
            + say(lang, "format inconnu : extensions .gift, .txt (GIFT ou Aiken) ou .xml (Moodle), ou --from",
                "unknown format: extensions .gift, .txt (GIFT or Aiken) or .xml (Moodle), or --from"));
        return 2;
    }
    const TextEncoding encoding = request.encoding == "utf-8" ? TextEncoding::Utf8
        : request.encoding == "windows-1252"                  ? TextEncoding::Windows1252
                                                              : TextEncoding::Detect;
    const std::unique_ptr<SourceReader> reader = sourceReader(*format, file, encoding, lang);
    for (const QString &error : reader->errors)
        printLine(placeOf(lang, source) + error);
    if (!reader->errors.isEmpty())
        return 2;
    for (const QString &note : reader->notes)
        printLine(placeOf(lang, source) + note);

    ImportOptions options;
    options.lang = lang;
    options.replace = request.replace;
    options.cut = request.cut;
    options.convertPicture = pictures::pictureForPlayer;
    QuizOutputs outputs(pathOf(request.output), request.split, source, options, [](const QString &line) { printLine(line); });
    bool written = true;
    for (SourceQuestion question; written && reader->next(question);)
        written = outputs.add(question);
    written = written && outputs.finish();
    if (outputs.beyondTheFirstHundred() > 0)
        printLine(placeOf(lang, source)
            + say(lang, "%1 question(s) au-delà des 100 que pose le lecteur, non importée(s) : --split en fait d'autres QCM",
                "%1 question(s) beyond the 100 the player asks, not imported: --split makes more quizzes of them")
                  .arg(outputs.beyondTheFirstHundred()));
    const ImportCounts counts = outputs.counts();
    printLine(importSummary(source, counts, lang));
    if (!written)
        return 2;
    if (outputs.quizzesWritten() == 0) {
        printLine(placeOf(lang, pathOf(request.output))
            + say(lang, "aucune question à écrire, rien n'a été écrit", "no question to write, nothing was written"));
        return 1;
    }
    return counts.leftOut > 0 ? 1 : 0;
}

int exportQuiz(const std::string &argument, const QString &output, const std::string &to, Lang lang)
{
    QFile file;
    if (!openInput(file, argument, lang))
        return 2;
    const QString quiz = pathOf(argument);
    // Only the questions the player asks are exported: the records up to the
    // first empty question, at most 100, and the one that ends them.
    RecordReader reader(file);
    std::vector<QuestionRecord> records;
    for (QuestionRecord record; records.size() <= std::size_t(MaxQuestions) && reader.next(record);) {
        records.push_back(record);
        if (!record.hasQuestion())
            break;
    }
    if (!reader.errorString().isEmpty()) {
        printLine(placeOf(lang, quiz) + say(lang, "lecture impossible (%1)", "cannot read (%1)").arg(reader.errorString()));
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
    const platform::Utf8Console console;
    CLI::App app{"qcmtool: quiz files (.qcm) for teachers"};
    app.require_subcommand(1);
    // On Windows CLI11 would take "/path/quiz.qcm" for an option.
    app.allow_windows_style_options(false);
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

    ImportRequest request;
    CLI::App *import = app.add_subcommand("import", "Make a quiz from GIFT, Aiken or Moodle XML (multiple choice, true/false)");
    import->add_option("SOURCE", request.source, "File .gift, .txt or .xml")->required();
    import->add_option("-o,--output", request.output, "Quiz file to write (.qcm); pictures go beside it")->required();
    import->add_option("--from", request.from, "Format, when the extension does not tell")
        ->check(CLI::IsMember({"gift", "aiken", "xml"}));
    import->add_option("--encoding", request.encoding, "Encoding of a GIFT or Aiken file (default: UTF-8, else Windows-1252)")
        ->check(CLI::IsMember({"utf-8", "windows-1252"}));
    import->add_flag("--replace", request.replace, "Replace characters that Windows-1252 lacks, drop emoji");
    import->add_flag("--cut", request.cut, "Cut texts longer than their field");
    import->add_flag("--split", request.split,
        "Write every question: quizzes of 100 named in order, a folder per category of a Moodle XML file");

    std::string exportQuizFile, exportOutput, exportTo;
    CLI::App *exporter = app.add_subcommand("export", "Write a quiz as GIFT or Moodle XML");
    exporter->add_option("QUIZ", exportQuizFile, "Quiz file (.qcm)")->required();
    exporter->add_option("--to", exportTo, "gift or xml")->required()->check(CLI::IsMember({"gift", "xml"}));
    exporter->add_option("-o,--output", exportOutput, "File to write")->required();

    std::string resultsFolder, resultsCsv;
    ResultsRequest resultsRequest;
    CLI::App *results = app.add_subcommand("results", "Tables of the pupils' results logs, per pupil and per quiz");
    results->add_option("FOLDER", resultsFolder, "The logs' folder (QCM/Résultats)")->required();
    results->add_option("--csv", resultsCsv,
        "Also write every line, merged, into this file; with --questions, the per-question tables into "
        "<file>-questions.csv beside it");
    results->add_flag("--questions", resultsRequest.questions,
        "Also each quiz's table per question: facility, propositions ticked, discrimination "
        "(quiz files are looked for in the folder above FOLDER)");
    results->add_flag("--all-attempts", resultsRequest.allAttempts,
        "Count every attempt in the per-question figures, not only each pupil's first");

    std::string reportFolder, reportOutput;
    bool reportAnonymous = false, reportAllAttempts = false;
    CLI::App *classReport = app.add_subcommand("report", "The class report in PDF: per quiz, the scores and each question's "
                                                         "statistics (quiz files are looked for in the folder above FOLDER)");
    classReport->add_option("FOLDER", reportFolder, "The logs' folder (QCM/Résultats)")->required();
    classReport->add_option("-o,--output", reportOutput, "PDF file to write")->required();
    classReport->add_flag("--anonymous", reportAnonymous, "Number the pupils instead of naming them");
    classReport->add_flag("--all-attempts", reportAllAttempts, "Count every attempt, not only each pupil's first");

    CLI11_PARSE(app, argc, argv);
    const Lang lang = language == "en" ? Lang::English : Lang::French;
    for (const std::string *output : {&buildOutput, &request.output, &exportOutput, &resultsCsv, &reportOutput}) {
        if (!output->empty() && !writableName(*output, lang))
            return 2;
    }
    if (dump->parsed())
        return dumpQuiz(dumpFile, lang);
    if (build->parsed())
        return buildQuiz(buildSource, pathOf(buildOutput), lang);
    if (import->parsed())
        return importQuiz(request, lang);
    if (exporter->parsed())
        return exportQuiz(exportQuizFile, pathOf(exportOutput), exportTo, lang);
    if (classReport->parsed())
        return reportCommand(pathOf(reportFolder), pathOf(reportOutput), reportAnonymous, reportAllAttempts, lang);
    if (results->parsed()) {
        resultsRequest.folder = pathOf(resultsFolder);
        resultsRequest.mergedFile = pathOf(resultsCsv);
        return resultsCommand(resultsRequest, lang);
    }
    if (check->parsed()) {
        int status = 0;
        for (const std::string &file : checkFiles)
            status = std::max(status, checkQuizFile(file, lang, quiet));
        return status;
    }
    return 0;
}
