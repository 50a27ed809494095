#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace platform {

// Asks where to print: the print dialog (named PrintDialog), with the
// printers of the machine and a PDF file named suggestedPdf where that is
// how it is done. False when the pupil cancels.
bool choosePrinter(QPrinter &printer, QWidget *parent, const QString &suggestedPdf);

} // namespace platform
