#pragma once

#include <QString>
#include <memory>

#include "quiz/ResultLine.h"

class QPagedPaintDevice;
class QTextDocument;

// The results of one quiz laid out for paper.
struct ResultSheet
{
    qcm::QuizResult result;
    QString verdict;
    QString review; // the summary and the review, line for line as on screen
};

// The sheet's text, before it is cut into pages.
std::unique_ptr<QTextDocument> resultDocument(const ResultSheet &sheet);
// Prints the sheet on as many pages as it needs, each numbered; false when
// the device could not be painted on.
bool printResultSheet(const ResultSheet &sheet, QPagedPaintDevice &device);
