#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "quiz/authoring/QuizImport.h"

// A category path such as "$course$/top/Géographie" as a folder and file
// name: its last part, without what Windows forbids in a name.
QString categoryName(const QString &category);

// Where the questions of one import go: the quiz file asked for, the first
// 100 questions only; with --split, one quiz of 100 after another ("name.qcm",
// then "name-01.qcm", "name-02.qcm" … once there are two) in a folder per
// category of the source. Pictures are written as their questions come,
// records once a quiz is full or at the end.
class QuizOutputs
{
public:
    // Every line for the teacher goes to `report`.
    QuizOutputs(const QString &output, bool split, const QString &sourceName, const qcm::authoring::ImportOptions &options,
        std::function<void(const QString &)> report);

    // False when something could not be written.
    bool add(const qcm::authoring::SourceQuestion &question);
    bool finish();

    qcm::authoring::ImportCounts counts() const;
    int beyondTheFirstHundred() const { return beyond; }
    int quizzesWritten() const { return quizzes; }

private:
    struct Folder
    {
        QDir dir;
        QString base;
        std::unique_ptr<qcm::authoring::QuizImporter> importer;
        std::vector<qcm::QuestionRecord> records;
        int written = 0;
    };

    Folder &folderFor(const QString &category);
    QString numbered(const Folder &folder, int n) const;
    bool flush(Folder &folder);
    bool cannotWrite(const QString &path);

    QFileInfo output;
    bool split = false;
    QString sourceName;
    const qcm::authoring::ImportOptions &options;
    std::function<void(const QString &)> report;
    std::map<QString, Folder> folders;
    int beyond = 0;
    int quizzes = 0;
};
