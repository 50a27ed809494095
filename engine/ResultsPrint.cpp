#include <QDir>
#include <QInputDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>

#include "app/FormQCM.h"
#include "engine/ResultSheet.h"
#include "platform/Desktop.h"
#include "platform/Printing.h"
#include "ui_FormQCM.h"

namespace {

QString suggestedPdfName(QString title)
{
    title.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!folder.exists())
        folder = QDir::home();
    return folder.filePath(QStringLiteral("Résultats - %1.pdf").arg(title));
}

} // namespace

bool TFormQCM::askPupilName()
{
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("PupilNameDialog"));
    dialog.setWindowTitle(QStringLiteral("Tavelor"));
    dialog.setLabelText(QStringLiteral("Nom de l'élève :"));
    dialog.setTextValue(m_pupilName);
    m_pupilAsked = true;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_pupilName = dialog.textValue().simplified();
    return true;
}

ResultSheet TFormQCM::resultSheet() const
{
    ResultSheet sheet;
    sheet.result = m_lastResult;
    sheet.result.pupil = m_pupilName;
    sheet.verdict = ui->DRLabel14->caption();
    sheet.review = ui->Memo7->toPlainText();
    return sheet;
}

void TFormQCM::ToolButton11Click()
{
    hideToolBars();
    if (!ui->ToolButton11->isEnabled() || !askPupilName())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter);
    printer.setDocName(QStringLiteral("Résultats du QCM ") + m_lastResult.title);
    if (!platform::choosePrinter(printer, this, suggestedPdfName(m_lastResult.title)))
        return;
    if (!printResultSheet(resultSheet(), printer))
        platform::showMessage(this, QStringLiteral("Impossible d'imprimer les résultats."));
}
