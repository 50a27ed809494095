#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <iostream>

#include "quiz/QuizFile.h"
#include "quiz/authoring/Lang.h"
#include "quiz/authoring/QuizJson.h"

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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
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

    CLI11_PARSE(app, argc, argv);
    const Lang lang = language == "en" ? Lang::English : Lang::French;
    const auto q = [](const std::string &s) { return QString::fromStdString(s); };

    if (dump->parsed())
        return dumpQuiz(q(dumpFile), lang);
    if (build->parsed())
        return buildQuiz(q(buildSource), q(buildOutput), lang);
    return 0;
}
