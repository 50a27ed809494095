#include "tools/qcmtool/QuizOutputs.h"

#include <QRegularExpression>
#include <QSaveFile>

#include "quiz/QuizFile.h"

using namespace qcm;
using namespace qcm::authoring;

namespace {

bool writeBytes(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

} // namespace

QString categoryName(const QString &category)
{
    static const QRegularExpression forbidden(QStringLiteral("[<>:\"/\\\\|?*\\x00-\\x1F]+"));
    QStringList parts = category.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    while (!parts.isEmpty() && (parts.last() == QLatin1String("top") || parts.last().startsWith(QLatin1Char('$'))))
        parts.removeLast();
    QString name = parts.isEmpty() ? QString() : parts.last();
    name.replace(forbidden, QStringLiteral(" "));
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name.simplified().left(60);
}

QuizOutputs::QuizOutputs(const QString &output, bool split, const QString &sourceName, const ImportOptions &options,
    std::function<void(const QString &)> report)
    : output(QFileInfo(output)), split(split), sourceName(sourceName), options(options), report(std::move(report))
{
}

bool QuizOutputs::add(const SourceQuestion &question)
{
    const QString category = split ? categoryName(question.category) : QString();
    Folder &folder = folderFor(category);
    if (!split && folder.importer->counts().imported >= MaxQuestions) {
        ++beyond;
        return true;
    }
    folder.importer->add(question);
    const ImportResult result = folder.importer->take();
    for (const QString &line : result.report)
        report(line);
    for (const ImportedPicture &picture : result.pictures) {
        const QString path = folder.dir.filePath(picture.relativePath);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !writeBytes(path, picture.data))
            return cannotWrite(path);
    }
    folder.records.insert(folder.records.end(), result.records.begin(), result.records.end());
    return folder.records.size() < std::size_t(MaxQuestions) || flush(folder);
}

bool QuizOutputs::finish()
{
    bool written = true;
    for (auto &[category, folder] : folders)
        written = (folder.records.empty() || flush(folder)) && written;
    return written;
}

ImportCounts QuizOutputs::counts() const
{
    ImportCounts total;
    for (const auto &[category, folder] : folders) {
        const ImportCounts &c = folder.importer->counts();
        total.read += c.read;
        total.imported += c.imported;
        total.leftOut += c.leftOut;
        total.shortened += c.shortened;
        total.pictures += c.pictures;
    }
    total.read += beyond;
    total.leftOut += beyond;
    return total;
}

QuizOutputs::Folder &QuizOutputs::folderFor(const QString &category)
{
    auto it = folders.find(category);
    if (it == folders.end()) {
        Folder folder;
        folder.dir = category.isEmpty() ? output.absoluteDir() : QDir(output.absoluteDir().filePath(category));
        folder.base = category.isEmpty() ? output.completeBaseName() : category;
        folder.importer = std::make_unique<QuizImporter>(sourceName, options);
        it = folders.emplace(category, std::move(folder)).first;
    }
    return it->second;
}

QString QuizOutputs::numbered(const Folder &folder, int n) const
{
    return folder.dir.filePath(QStringLiteral("%1-%2.qcm").arg(folder.base).arg(n, 2, 10, QLatin1Char('0')));
}

bool QuizOutputs::flush(Folder &folder)
{
    if (!QDir().mkpath(folder.dir.absolutePath()))
        return cannotWrite(folder.dir.absolutePath());
    const QString single = folder.dir.filePath(folder.base + QStringLiteral(".qcm"));
    // A second quiz of the same folder: the first one takes its number too.
    if (folder.written == 1 && (QFile::remove(numbered(folder, 1)), !QFile::rename(single, numbered(folder, 1))))
        return cannotWrite(numbered(folder, 1));
    const QString path = folder.written == 0 ? single : numbered(folder, folder.written + 1);
    if (!writeQuizFile(path, folder.records))
        return cannotWrite(path);
    report(placeOf(options.lang, path)
        + say(options.lang, "%1 question(s) écrite(s)", "%1 question(s) written").arg(folder.records.size()));
    folder.records.clear();
    ++folder.written;
    ++quizzes;
    return true;
}

bool QuizOutputs::cannotWrite(const QString &path)
{
    report(placeOf(options.lang, path) + say(options.lang, "écriture impossible", "cannot write"));
    return false;
}
