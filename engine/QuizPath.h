#pragma once

#include <QString>

#include "platform/PathRule.h"

// What a quiz file's path tells: its folder, the folder above, the subject
// (the name of that folder above) and the title shown to the pupil.
struct QuizPathParts
{
    QString folder;       // up to and including the last separator
    QString parentFolder; // the folder that holds the quiz's folder, no final separator
    QString subject;      // the last name of parentFolder
    QString fileName;     // the name with its extension
    QString title;        // the name without its last four characters
};

// Pure text work: nothing is looked up on disk. Scans that find no
// separator stop at the start of the text, leaving the part empty.
QuizPathParts splitQuizPath(const QString &path, platform::PathRule rule);
