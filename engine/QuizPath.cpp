#include "engine/QuizPath.h"

namespace {

// Index of the last separator at or before `from`, or -1.
qsizetype lastSeparator(const QString &text, qsizetype from, platform::PathRule rule)
{
    for (qsizetype i = from; i >= 0; --i) {
        if (platform::isSeparator(text.at(i), rule))
            return i;
    }
    return -1;
}

} // namespace

QuizPathParts splitQuizPath(const QString &path, platform::PathRule rule)
{
    QuizPathParts parts;
    const qsizetype nameStart = lastSeparator(path, path.size() - 1, rule) + 1;
    parts.folder = path.left(nameStart);
    parts.fileName = path.mid(nameStart);
    parts.title = parts.fileName.left(qMax<qsizetype>(0, parts.fileName.size() - 4));

    // The folder's own final separator is skipped.
    const qsizetype parentEnd = lastSeparator(parts.folder, parts.folder.size() - 2, rule);
    if (parentEnd > 0)
        parts.parentFolder = parts.folder.left(parentEnd);

    const qsizetype subjectStart = lastSeparator(parts.parentFolder, parts.parentFolder.size() - 1, rule);
    if (subjectStart >= 0)
        parts.subject = parts.parentFolder.mid(subjectStart + 1);
    return parts;
}
