#pragma once

#include <QString>
#include <QStringList>

// The quiz named on the command line, as a file manager passes it when a
// .qcm file is opened with the program: the first argument after the
// program's own name that is an existing .qcm file, or a .qcm file whose name
// the system's encoding cannot give (so that opening it says why it fails),
// made absolute. Options and anything else are ignored; empty when there is none.
QString quizFileFromArguments(const QStringList &arguments);
