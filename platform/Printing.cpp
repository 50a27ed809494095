#include "platform/Printing.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace platform {

#ifdef Q_OS_WIN
namespace {

// Windows' print dialog lists only real printers ("Microsoft Print to PDF"
// among them): Qt's own PDF writer cannot be one of them.
bool choosePdfFile(QPrinter &printer, QWidget *parent, const QString &suggestedPdf)
{
    QFileDialog dialog(parent, QStringLiteral("Enregistrer les résultats en PDF"),
                       QDir::toNativeSeparators(suggestedPdf), QStringLiteral("PDF (*.pdf)"));
    dialog.setObjectName(QStringLiteral("PdfDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    printer.setOutputFileName(dialog.selectedFiles().constFirst());
    return true;
}

} // namespace
#endif

bool choosePrinter(QPrinter &printer, QWidget *parent, const QString &suggestedPdf)
{
    const bool noPrinter = QPrinterInfo::availablePrinters().isEmpty();
#ifdef Q_OS_WIN
    if (noPrinter)
        return choosePdfFile(printer, parent, suggestedPdf);
#else
    // Qt's dialog offers a PDF file: with no printer, that is all there is.
    if (noPrinter)
        printer.setOutputFileName(suggestedPdf);
#endif
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace platform
